#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the files' names and
contents and on one given time, not on the machine, the user or the moment:

  write-reproducible-zip.py --epoch SECONDS --directory DIR --output ZIP NAME...

- The entries are DIR/NAME for each NAME, flat, in the order given.
- Every entry carries the same time stamp: EPOCH (seconds since 1970, UTC)
  as a zip date, clamped to the range a zip date can hold (1980 to 2107) and
  to even seconds (its resolution), whatever the local time zone.
- No extra fields (they would carry the owner's user and group ids and more
  time stamps), no archive comment.
- Every entry is a regular file with the mode 0644, made on Unix, whatever
  the files' own modes; compressed with deflate at level 9.
The archive is written beside ZIP under another name and renamed into place,
so a failed run never leaves a partial archive behind.
"""
import argparse
import os
import sys
import tempfile
import time
import zipfile

FILE_MODE = 0o100644  # a regular file, rw-r--r--
MADE_ON_UNIX = 3
EARLIEST = (1980, 1, 1, 0, 0, 0)
LATEST = (2107, 12, 31, 23, 59, 58)


def zip_date_time(epoch):
    """The zip date of EPOCH seconds in UTC, within what a zip date can hold."""
    stamp = time.gmtime(epoch)[:6]
    return min(max(stamp, EARLIEST), LATEST)


def entry_for(name, date_time):
    info = zipfile.ZipInfo(name, date_time)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = MADE_ON_UNIX
    info.external_attr = FILE_MODE << 16
    return info


def write_zip(output, directory, names, epoch):
    date_time = zip_date_time(epoch)
    folder = os.path.dirname(os.path.abspath(output))
    handle, partial = tempfile.mkstemp(dir=folder, prefix=".partial-", suffix=".zip")
    try:
        with os.fdopen(handle, "wb") as stream:
            with zipfile.ZipFile(stream, "w") as archive:
                for name in names:
                    with open(os.path.join(directory, name), "rb") as source:
                        data = source.read()
                    archive.writestr(entry_for(name, date_time), data, compresslevel=9)
        os.chmod(partial, 0o644)
        os.replace(partial, output)
    except BaseException:
        os.unlink(partial)
        raise


def parse_arguments(argv):
    parser = argparse.ArgumentParser(prog="write-reproducible-zip.py",
                                     description=__doc__.split("\n\n")[0])
    parser.add_argument("--epoch", type=int, required=True,
                        help="the entries' time, seconds since 1970 (UTC)")
    parser.add_argument("--directory", required=True, help="the folder holding the files")
    parser.add_argument("--output", required=True, help="the zip file to write")
    parser.add_argument("names", nargs="+", help="the files to store, in this order")
    arguments = parser.parse_args(argv)
    if arguments.epoch < 0:
        parser.error("--epoch must not be negative")
    for name in arguments.names:
        if os.path.basename(name) != name or name in (".", ".."):
            parser.error(f"'{name}' is not a plain file name")
    return arguments


def main(argv):
    arguments = parse_arguments(argv)
    try:
        write_zip(arguments.output, arguments.directory, arguments.names, arguments.epoch)
    except OSError as error:
        print(f"write-reproducible-zip: cannot write {arguments.output}: {error}",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
