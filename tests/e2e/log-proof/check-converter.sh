#!/usr/bin/env bash
# Checks contacts-to-session.py without Wine: a dump with awkward values
# (quotes, backslashes, blanks at both ends, empty fields, control bytes,
# bytes beyond ASCII, an exchange longer than a record's text) must give
# exactly fields.session.expected, and a dump with a line short of a column
# must be refused with the line named.
#
# Usage: check-converter.sh WORK_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
converter=$here/../contacts-to-session.py
work=$1
mkdir -p "$work"
failed=0

if ! "$converter" "$here/fields.dump" >"$work/fields.session"; then
  echo "the converter refused fields.dump"
  failed=1
elif ! diff -u "$here/fields.session.expected" "$work/fields.session"; then
  echo "the session made of fields.dump differs from fields.session.expected"
  failed=1
fi

"$converter" "$here/bad-columns.dump" >"$work/bad.session" 2>"$work/bad.err"
code=$?
expected_error="contacts-to-session: $here/bad-columns.dump:2: 9 columns, expected 10"
if [ "$code" -ne 1 ] || [ "$(cat "$work/bad.err")" != "$expected_error" ]; then
  echo "bad-columns.dump: exit $code, error \"$(cat "$work/bad.err")\"; expected exit 1, \"$expected_error\""
  failed=1
fi
exit $failed
