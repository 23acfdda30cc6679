#!/usr/bin/env python3
"""Turns the contacts the log checker passed to the engine into a session of
the host simulator that passes the same contacts to the real plug-in.

Usage: contacts-to-session.py DUMP > SESSION

DUMP is what `qxqy-score --log FILE --dump-contacts` prints: one contact a
line, in the order the engine scored them, ten TAB-separated columns (file
line, call, band, mode, received exchange, WPX prefix, country, contact group,
own group, points). The session opens the log database log.db of the
session's folder, whose table QSOs must be empty (so the window's first
recalculation adds nothing), runs the plug-in, and then for each contact sets
every field the engine read (the country also as the lookup country), asks
for the preview score and logs the contact (get-score, add-qso). It ends with
the window's grid and score line and a release. Every value is written as one
quoted word, so blanks, empty values and any byte survive the script's
parsing; a value longer than a text field of the record (255 bytes) is cut
to what the field holds, which is what the scorer's engine read. The dump
writes a backslash, TAB, CR or LF inside a text as \\\\, \\t, \\r or \\n;
they are read back to the bytes. A line that does not have ten columns, or
an escape the dump never writes, is an error (exit 1).
"""

import os
import sys

COLUMNS = 10
SHORT_TEXT = 255  # the most characters a text field of the record holds
# The record's fields, in the dump's column order from the call on; the
# country goes into two fields.
FIELDS = (
    ("Call",),
    ("Band",),
    ("Mode",),
    ("ReportReceived",),
    ("Wpx",),
    ("Country", "LookupCountry"),
    ("QsoGroup",),
    ("OwnGroup",),
)


def quote(value: bytes) -> str:
    """One quoted word of the session script holding exactly `value`."""
    out = []
    for byte in value:
        if byte in (0x5C, 0x22):  # backslash, double quote
            out.append("\\" + chr(byte))
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append("\\x%02X" % byte)
    return '"' + "".join(out) + '"'


UNESCAPED = {ord("\\"): b"\\", ord("t"): b"\t", ord("r"): b"\r", ord("n"): b"\n"}


def unescape(value: bytes, where: str) -> bytes:
    """The text a dump column stands for."""
    out = bytearray()
    index = 0
    while index < len(value):
        byte = value[index]
        if byte == 0x5C:
            if index + 1 >= len(value) or value[index + 1] not in UNESCAPED:
                raise ValueError("%s: a backslash the dump does not write" % where)
            out += UNESCAPED[value[index + 1]]
            index += 2
        else:
            out.append(byte)
            index += 1
    return bytes(out)


def session_lines(dump: bytes, name: str):
    yield "# The contacts of %s, passed to the plug-in one by one." % os.path.basename(name)
    yield "reg delete TfmMainForm"
    yield "reg delete TfmDomList"
    yield "timeout 600"
    yield "db log.db"
    yield 'set LogTable "QSOs"'
    yield "run"
    yield "pump"
    lines = dump[:-1].split(b"\n") if dump.endswith(b"\n") else dump.split(b"\n")
    if lines == [b""]:
        lines = []
    for number, line in enumerate(lines, start=1):
        columns = line.split(b"\t")
        if len(columns) != COLUMNS:
            raise ValueError("%s:%d: %d columns, expected %d" %
                             (name, number, len(columns), COLUMNS))
        yield "# line %s: points %s" % (columns[0].decode("ascii", "replace"),
                                         columns[-1].decode("ascii", "replace"))
        for fields, value in zip(FIELDS, columns[1:-1]):
            text = unescape(value, "%s:%d" % (name, number))
            for field in fields:
                yield "set %s %s" % (field, quote(text[:SHORT_TEXT]))
        yield "get-score"
        yield "add-qso"
    yield "pump"
    yield "show grid"
    yield "show score"
    yield "release"
    yield "pump"


def main() -> int:
    if len(sys.argv) != 2:
        print("usage: contacts-to-session.py DUMP", file=sys.stderr)
        return 2
    path = sys.argv[1]
    try:
        with open(path, "rb") as dump_file:
            dump = dump_file.read()
        sys.stdout.write("".join(line + "\n" for line in session_lines(dump, path)))
    except (OSError, ValueError) as error:
        print("contacts-to-session: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
