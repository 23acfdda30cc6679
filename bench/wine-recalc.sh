#!/usr/bin/env bash
# A Recalc of a large log through the real plug-in under Wine: the host
# simulator opens a generated SQLite log over ODBC (the host's automation
# connection), runs the plug-in (its first show rebuilds from the log), then
# presses Recalc once more, with the multiplier window closed. Prints the
# time of that Recalc (between two transcript lines stamped as they arrive),
# the peak working set of the whole process (the ODBC driver included), and
# checks that the final grid and score line equal the native scorer's for
# the same log.
#
# Usage: wine-recalc.sh SCORER HOSTSIM_EXE [ROWS [DLL]]
#   SCORER       the native qxqy-score (build/tools/score/qxqy-score)
#   HOSTSIM_EXE  the host simulator (build/win32/tests/e2e/plugin-host/hostsim.exe)
#   ROWS         rows of the log table (default 100000)
#   DLL          the plug-in to load (default: Plugins/ beside HOSTSIM_EXE)
# The log: table LOG (ID integer primary key, CallSign, DigiBand, QSOMode,
# QSOReportRecived, WPX) of random 6-character calls over six bands and two
# modes, exchanges ending in a district of samples/qx-qy.dom or another
# code. Without WINEPREFIX set the script runs itself inside a throwaway
# prefix (tests/wine/run-in-prefix.sh). Not a test: a measurement.
set -uo pipefail

if [ $# -lt 2 ] || [ $# -gt 4 ]; then
  echo "usage: $0 SCORER HOSTSIM_EXE [ROWS [DLL]]" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../tests/wine/in-prefix.sh
source "$here/../tests/wine/in-prefix.sh" "$0" "$@"

scorer=$(realpath "$1")
hostsim=$(realpath "$2")
rows=${3:-100000}
dll=${4:+$(realpath "$4")}
samples=$here/../samples

work=$(mktemp -d "${TMPDIR:-/tmp}/qxqy-wine-recalc.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/host/Plugins"
cp "$hostsim" "$work/host/recalc.exe"
if [ -n "$dll" ]; then
  cp "$dll" "$work/host/Plugins/QXQYDXContest.dll"
else
  cp -a "$(dirname "$hostsim")/Plugins/." "$work/host/Plugins/"
fi
cp "$samples/qx-qy.dom" "$samples/qx-qy.txt" "$work/host/Plugins/"

sqlite3 "$work/LOG.db" <<SQL || exit 1
CREATE TABLE LOG (ID integer primary key, CallSign text, DigiBand text, QSOMode text,
                  QSOReportRecived text, WPX text);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $rows),
  r(i, call) AS (
    SELECT i, char(81 + abs(random()) % 2, 88 + abs(random()) % 2, 48 + abs(random()) % 10,
                   65 + abs(random()) % 26, 65 + abs(random()) % 26, 65 + abs(random()) % 26)
    FROM n)
INSERT INTO LOG (CallSign, DigiBand, QSOMode, QSOReportRecived, WPX)
SELECT call,
       CASE abs(random()) % 6 WHEN 0 THEN '1.8' WHEN 1 THEN '3.5' WHEN 2 THEN '7'
                              WHEN 3 THEN '14' WHEN 4 THEN '21' ELSE '28' END,
       CASE abs(random()) % 2 WHEN 0 THEN 'CW' ELSE 'SSB' END,
       '599 ' || CASE abs(random()) % 9 WHEN 0 THEN 'ALB' WHEN 1 THEN 'BEX' WHEN 2 THEN 'CAR'
                   WHEN 3 THEN 'DUN' WHEN 4 THEN 'ELM' WHEN 5 THEN 'FEN' WHEN 6 THEN 'GAR'
                   WHEN 7 THEN 'ZZZ' ELSE '001' END,
       substr(call, 1, 3)
FROM r;
SQL

cat >"$work/session.txt" <<'SESSION'
reg delete TfmMainForm
reg delete TfmDomList
timeout 3600
db LOG.db
set LogTable LOG
set Country QX
echo run
run
echo recalc
click Recalc
echo recalculated
show grid
show score
show memory
release
pump
SESSION

cd "$work" || exit 1
# Each transcript line with the time it arrived, in milliseconds.
timeout -k 5 3700 wine host/recalc.exe --timeout 3600 session.txt 2>err.txt |
  while IFS= read -r line; do echo "$(($(date +%s%N) / 1000000)) ${line%$'\r'}"; done >out.txt
stamp() { awk -v line="$1" '{ t = $1; $1 = ""; sub(/^ /, "") } $0 == line { print t; exit }' out.txt; }
run_ms=$(($(stamp "echo: recalc") - $(stamp "echo: run")))
recalc_ms=$(($(stamp "echo: recalculated") - $(stamp "echo: recalc")))
cut -d' ' -f2- out.txt >transcript.txt

failed=0
if grep -qvE '^(echo: .*|run: handle new|show (grid|score|memory): .*|release: returned)$' transcript.txt; then
  echo "wine-recalc: unexpected lines in the transcript:"
  grep -vE '^(echo: .*|run: handle new|show (grid|score|memory): .*|release: returned)$' transcript.txt | head
  failed=1
fi
"$scorer" --db LOG.db --table LOG --plugins host/Plugins --country QX >scorer.txt || failed=1
awk '/^show grid: / { sub(/^show grid: /, ""); gsub(/\|/, "\t"); print }
     /^show score: / { sub(/^show score: "/, ""); sub(/"$/, ""); print }' transcript.txt >window.txt
if ! diff -u scorer.txt window.txt; then
  echo "wine-recalc: the window differs from the native scorer"
  failed=1
fi
peak_kb=$(sed -nE 's/^show memory: .*peak working-set ([0-9]+) KB.*/\1/p' transcript.txt)
echo "wine-recalc: $rows rows: first show $run_ms ms, Recalc $recalc_ms ms," \
  "peak working set ${peak_kb:-?} KB; $(tail -n 1 scorer.txt)"
exit $failed
