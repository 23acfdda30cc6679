"""Reads the size and the pixels of a PNG file (8 bits a sample, grey, RGB or
RGBA, not interlaced: what Chromium writes), with the standard library only."""

import struct
import zlib

_CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}


class PngError(Exception):
    pass


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def png_size(path):
    """(width, height) from the PNG file's header."""
    with open(path, "rb") as file:
        head = file.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise PngError(f"{path} is not a PNG file")
    return struct.unpack(">II", head[16:24])


def read_png(path, max_rows=None):
    """Returns (width, height, channels, rows): rows[y] is a bytes object of
    RGB(A) or grey samples, `channels` samples a pixel. With max_rows, only
    the top rows are decoded."""
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise PngError(f"{path} is not a PNG file")
    pos, idat, header = 8, bytearray(), None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    if header is None:
        raise PngError(f"{path} has no header")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in _CHANNELS or interlace != 0:
        raise PngError(f"{path}: unsupported PNG layout (depth {depth}, colour {colour})")
    channels = _CHANNELS[colour]
    raw = zlib.decompress(bytes(idat))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height if max_rows is None else min(height, max_rows)):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + _paeth(left, up, corner)) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, channels, rows


def pixel(png, x, y):
    """The (r, g, b) of one pixel of what read_png returned."""
    _, _, channels, rows = png
    sample = rows[y][x * channels:x * channels + channels]
    return tuple(sample[:3]) if channels >= 3 else (sample[0],) * 3
