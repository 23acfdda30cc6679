#!/usr/bin/env python3
"""Checks that a package zip is written the reproducible way:

  check-zip.py ZIP YEAR-MONTH-DAY-HOUR-MINUTE-SECOND NAME...

- its entries are exactly NAME..., in that order, deflated,
- every entry's time is the one given (the zip date, no time zone),
- every entry is a regular file with the mode 0644, made on Unix,
- no entry has an extra field, in the central directory or in its local
  header, and the archive has no comment.
Prints every failed check and exits with 1 when there is one.
"""
import struct
import sys
import zipfile

LOCAL_HEADER = struct.Struct("<4s5H3L2H")  # up to the name and extra lengths
LOCAL_SIGNATURE = b"PK\x03\x04"


def local_extra_length(stream, info):
    stream.seek(info.header_offset)
    fields = LOCAL_HEADER.unpack(stream.read(LOCAL_HEADER.size))
    if fields[0] != LOCAL_SIGNATURE:
        return None
    return fields[-1]


def problems_of(path, date_time, names):
    with open(path, "rb") as stream, zipfile.ZipFile(stream) as archive:
        entries = archive.infolist()
        found = [info.filename for info in entries]
        if found != names:
            yield f"entries {found} instead of {names}"
        if archive.comment:
            yield f"an archive comment {archive.comment!r}"
        for info in entries:
            where = f"{info.filename}:"
            if info.date_time != date_time:
                yield f"{where} time {info.date_time} instead of {date_time}"
            if info.create_system != 3 or info.external_attr >> 16 != 0o100644:
                yield (f"{where} made on system {info.create_system} with mode "
                       f"{oct(info.external_attr >> 16)} instead of Unix and 0o100644")
            if info.compress_type != zipfile.ZIP_DEFLATED:
                yield f"{where} compression {info.compress_type} instead of deflate"
            if info.extra:
                yield f"{where} an extra field in the central directory {info.extra!r}"
            extra_length = local_extra_length(stream, info)
            if extra_length is None:
                yield f"{where} no local header at offset {info.header_offset}"
            elif extra_length:
                yield f"{where} an extra field of {extra_length} bytes in the local header"
        bad = archive.testzip()
        if bad is not None:
            yield f"{bad}: its data do not match its CRC"


def main(argv):
    if len(argv) < 3:
        print("usage: check-zip.py ZIP YEAR-MONTH-DAY-HOUR-MINUTE-SECOND NAME...", file=sys.stderr)
        return 2
    path, stamp, names = argv[0], argv[1], argv[2:]
    date_time = tuple(int(part) for part in stamp.split("-"))
    problems = list(problems_of(path, date_time, names))
    for problem in problems:
        print(f"check-zip: {path}: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
