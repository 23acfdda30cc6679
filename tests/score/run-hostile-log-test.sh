#!/usr/bin/env bash
# Feeds qxqy-score --log files no logger writes (a 64 MB line, binary data,
# an ADIF length of 2^31): each must be read past with a clear message and
# exit 1, never a crash, with a peak resident memory below 256 MB (measured
# by GNU time rather than limited, so that it runs under AddressSanitizer,
# which needs a large address space of its own).
#   run-hostile-log-test.sh SCORER WORK_DIR
set -euo pipefail
scorer=$1 work=$2
mkdir -p "$work"
cd "$work"

{ echo "START-OF-LOG: 3.0"; head -c 67108864 /dev/zero | tr '\0' 'Q'; echo;
  echo "QSO: 14025 CW 2026-03-14 1200 QX1OWN 599 001 QY2CD 599 BEX"; } > long-line.cbr
{ echo "START-OF-LOG: 3.0"; head -c 1048576 /dev/urandom; } > binary.cbr
printf '<EOH><CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<EOR><NOTES:2147483648>x<EOR>' > length.adi
printf '<EOH><CALL:5>QY2CD<BAND:3>20m<MODE:2>CW<EOR><NOTES:2147483647>x<EOR>' > past-end.adi

check() {  # check FILE EXPECTED_TEXT_IN_STDERR
  set +e
  /usr/bin/time -f %M -o rss "$scorer" --log "$1" --plugins . --own-group QX > out 2> err
  local status=$?
  set -e
  if [ "$status" -ne 1 ]; then echo "$1: exit code $status, expected 1"; cat err; exit 1; fi
  grep -qF -- "$2" err || { echo "$1: no '$2' in:"; head -5 err; exit 1; }
  local rss
  rss=$(tail -n 1 rss)
  if [ "$rss" -gt 262144 ]; then echo "$1: peak resident memory $rss kB, above 256 MB"; exit 1; fi
}
check long-line.cbr "long-line.cbr:2: line longer than 4096 characters, read past"
check binary.cbr "binary.cbr:"
check length.adi "length.adi:1: field NOTES: length '2147483648' is not a number from 0 to 2147483647"
check past-end.adi "past-end.adi:1: field NOTES: its length 2147483647 runs past the end of the file"
echo "hostile logs: ok"
