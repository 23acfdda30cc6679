#!/usr/bin/env bash
# The contest checker's command line: exit codes, the files it writes and
# the header of qsos.csv.
#   run-crosscheck-test.sh QXQY_CROSSCHECK CONTEST_DIR WORK_DIR PLUGINS_DIR
set -uo pipefail
tool=$1 contest=$2 work=$3 plugins=$4
status=0
fail() {
  echo "FAIL: $*"
  status=1
}
expect_exit() {
  local want=$1
  shift
  "$tool" "$@" >"$work/stdout" 2>"$work/stderr"
  local got=$?
  [ "$got" -eq "$want" ] || fail "exit $got, expected $want: $* ($(cat "$work/stderr"))"
}

rm -rf "$work" && mkdir -p "$work"

expect_exit 0 --help
grep -q "usage: qxqy-crosscheck" "$work/stdout" || fail "--help prints no usage"
expect_exit 2
expect_exit 2 "$contest"
expect_exit 2 "$work/no-such-folder" --out "$work/out"
mkdir -p "$work/empty"
expect_exit 2 "$work/empty" --out "$work/out"
expect_exit 2 "$contest" --out "$work/out" --window x
expect_exit 2 "$contest" --out "$work/out" --cty "$work/no-such-cty.dat"
touch "$work/a-file"
expect_exit 2 "$contest" --out "$work/a-file/out" --plugins "$plugins"

# A district table another program holds open for writing: 2, saying so.
mkdir -p "$work/locked" && cp "$plugins/qx-qy.dom" "$plugins/qx-qy.txt" "$work/locked/"
python3 -c 'import fcntl, sys, time
f = open(sys.argv[1], "r+"); fcntl.lockf(f, fcntl.LOCK_EX); print("locked", flush=True)
time.sleep(60)' "$work/locked/qx-qy.dom" >"$work/lock-state" &
locker=$!
for _ in $(seq 50); do grep -q locked "$work/lock-state" 2>/dev/null && break; sleep 0.1; done
expect_exit 2 "$contest" --out "$work/out" --plugins "$work/locked" --quiet
kill "$locker" 2>/dev/null
grep -q "qx-qy.dom: another program holds it open for writing" "$work/stderr" ||
  fail "a locked district table is not explained: $(cat "$work/stderr")"

# The sample folder holds a file that is not a log and lines not scored: 1.
expect_exit 1 "$contest" --out "$work/out" --plugins "$plugins"
grep -q "notes.txt" "$work/stderr" || fail "the file that is not a log is not named on stderr"
for file in results.txt results.csv results.json qsos.csv reports/QX1AA.txt reports/QY2BB.txt; do
  [ -s "$work/out/$file" ] || fail "$file not written"
done
header=$(head -n 1 "$work/out/qsos.csv")
[ "$header" = "file,line,station,call,band,mode,time,decision,evidence,penalty" ] ||
  fail "qsos.csv header is '$header'"
# One row per contact line: 5 of QX1AA (one X-QSO), 3 of QY2BB.
rows=$(($(wc -l <"$work/out/qsos.csv") - 1))
[ "$rows" -eq 8 ] || fail "qsos.csv has $rows rows, expected 8"
for row in "qx1aa.log,6,QX1AA,QY2BB,14,CW,2026-03-14 1200,ok,BEX,0" \
           "qx1aa.log,7,QX1AA,QY2BB,7,CW,2026-03-14 1220,band-or-mode," \
           "qx1aa.log,8,QX1AA,QY2BC,21,CW,2026-03-14 1240,busted-call,QY2BB," \
           "qx1aa.log,9,QX1AA,DL1XX,28,CW,2026-03-14 1300,unique,,0" \
           "qx1aa.log,10,QX1AA,,,,,not-scored," \
           "qy2bb.log,7,QY2BB,QX1AA,21,CW,2026-03-14 1240,nil-their-bust,QY2BC,0"; do
  grep -qF "$row" "$work/out/qsos.csv" || fail "qsos.csv lacks a row starting '$row'"
done
grep -q "Stations that logged your call busted:" "$work/out/reports/QY2BB.txt" ||
  fail "the report lacks its lists"

# A folder of logs that read cleanly and match: 0.
mkdir -p "$work/clean"
printf '%s\n' 'START-OF-LOG: 3.0' 'CALLSIGN: QX1AA' \
  'QSO: 14025 CW 2026-03-14 1200 QX1AA 599 001 QY2BB 599 BEX' 'END-OF-LOG:' >"$work/clean/a.log"
printf '%s\n' 'START-OF-LOG: 3.0' 'CALLSIGN: QY2BB' \
  'QSO: 14025 CW 2026-03-14 1201 QY2BB 599 BEX QX1AA 599 001' 'END-OF-LOG:' >"$work/clean/b.log"
expect_exit 0 "$work/clean" --out "$work/clean-out" --plugins "$plugins" --cty "$plugins/cty-sample.dat"

[ $status -eq 0 ] && echo "crosscheck command: ok"
exit $status
