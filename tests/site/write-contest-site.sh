#!/usr/bin/env bash
# Writes a contest's results site with qxqy-crosscheck for the browser check,
# after checking what a re-run into the same folder leaves and that a site
# that cannot be written stops the command (exit 2, with the file named):
#   write-contest-site.sh QXQY_CROSSCHECK CONTEST_DIR PLUGINS_DIR WORK_DIR STATION...
# WORK_DIR/out then holds the outputs and WORK_DIR/expect.json what the
# index and the pages of the STATIONs must show (contest_expect.py).
set -uo pipefail
if [ $# -lt 5 ]; then
  echo "usage: $0 QXQY_CROSSCHECK CONTEST_DIR PLUGINS_DIR WORK_DIR STATION..." >&2
  exit 2
fi
tool=$1 contest=$2 plugins=$3 work=$4
shift 4
here=$(dirname "$0")
status=0
fail() {
  echo "FAIL: $*"
  status=1
}
# Runs the check of folder $1 into $2: exit 0 or 1 (findings) is a result.
check() {
  "$tool" "$1" --out "$2" --plugins "$plugins" --quiet 2>"$work/stderr"
  local got=$?
  [ "$got" -le 1 ] || fail "qxqy-crosscheck $1 exited $got: $(cat "$work/stderr")"
}

rm -rf "$work" && mkdir -p "$work/earlier"
out=$work/out

# An earlier run of a contest with a station that is not in this one, and a
# page of the sponsor's own in stations/: the re-run removes the first only.
logs=("$contest"/*)
cp "${logs[0]}" "$work/earlier/"
printf '%s\n' 'START-OF-LOG: 3.0' 'CALLSIGN: QX9OLD' \
  'QSO: 14025 CW 2026-03-14 1200 QX9OLD 599 001 QY2BB 599 BEX' 'END-OF-LOG:' >"$work/earlier/old.log"
check "$work/earlier" "$out"
[ -f "$out/stations/QX9OLD.html" ] || fail "the earlier run wrote no page of QX9OLD"
printf '%s\n' '<!DOCTYPE html><html lang="en"><head><title>Notes</title>' \
  '<meta name="viewport" content="width=device-width"></head><body><p>Our notes.</p></body></html>' \
  >"$out/stations/notes.html"
check "$contest" "$out"
[ ! -e "$out/stations/QX9OLD.html" ] || fail "the page of QX9OLD, no longer in the results, stayed"
[ -f "$out/stations/notes.html" ] || fail "the sponsor's own page in stations/ was removed"
grep -q "QX9OLD" "$out/index.html" && fail "the index still names QX9OLD"

# A site that cannot be written: exit 2, the file named.
mkdir -p "$work/blocked" && touch "$work/blocked/stations"
"$tool" "$contest" --out "$work/blocked" --plugins "$plugins" --quiet 2>"$work/stderr"
got=$?
[ "$got" -eq 2 ] || fail "a site that cannot be written: exit $got, expected 2"
grep -q "qxqy-crosscheck: Cannot create folder $work/blocked/stations" "$work/stderr" ||
  fail "a site that cannot be written: the message is '$(cat "$work/stderr")'"

python3 "$here/contest_expect.py" "$out" "$@" >"$work/expect.json" ||
  fail "contest_expect.py could not say what the pages must show"
exit $status
