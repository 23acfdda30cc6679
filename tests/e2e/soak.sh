#!/usr/bin/env bash
# A bounded soak of the real plug-in under Wine: one host session that logs
# COUNT contacts (default 20000) one by one: the host writes each to its
# SQLite log, then calls _AddQSO. On the way: the multiplier window open for
# the first quarter (Recalc pressed once while it is open, then closed by its
# own close: repainting it on every contact and replayed row costs Wine a few
# milliseconds, which would make the run several minutes long), a release and
# a new run at the half, Recalc again at three quarters. At the end the main
# window's grid and score line must equal what the native scorer prints for
# the same log, before and after a last Recalc; the points the host was told
# must add up to the total; the process's working set and private memory must
# stay under LIMIT_MB (default 200).
#
# Usage: soak.sh SCORER HOSTSIM_EXE [COUNT [LIMIT_MB]]
#   SCORER       the native qxqy-score
#   HOSTSIM_EXE  the host simulator, with Plugins/QXQYDXContest.dll beside it
# Without WINEPREFIX set the script runs itself inside a throwaway prefix
# (tests/wine/run-in-prefix.sh), made from the template QXQY_WINE_TEMPLATE or
# ~/.cache/qxqy/wine-template. Prints the run time and the memory figures.
set -uo pipefail

if [ $# -lt 2 ] || [ $# -gt 4 ]; then
  echo "usage: $0 SCORER HOSTSIM_EXE [COUNT [LIMIT_MB]]" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../wine/in-prefix.sh
source "$here/../wine/in-prefix.sh" "$0" "$@"

scorer=$(realpath "$1")
hostsim=$(realpath "$2")
count=${3:-20000}
limit_mb=${4:-200}
districts=$here/../../samples/qx-qy.dom

work=$(mktemp -d "${TMPDIR:-/tmp}/qxqy-soak.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/host/Plugins"
cp "$hostsim" "$work/host/soak.exe"
cp -a "$(dirname "$hostsim")/Plugins/." "$work/host/Plugins/"
cp "$districts" "$work/host/Plugins/qx-qy.dom"
sqlite3 "$work/log.db" \
  "CREATE TABLE QSOs (QSOId INTEGER PRIMARY KEY, CallSign TEXT, DigiBand TEXT, QSOMode TEXT,
                      QSOReportRecived TEXT, WPX TEXT);" || exit 1

# The session. Contacts come from a pool of calls small enough to bring
# duplicates; bands include two labels outside the grid's rows ("10", "24"),
# one outside the nine ("50") and one with a blank (" 14"); the exchanges
# hold table districts, codes the table lacks, lower case and plain numbers.
awk -v count="$count" '
  function pick(list, n, i) { return list[i % n + 1] }
  BEGIN {
    nb = split("1.8 3.5 7 10 14 18 21 24 28 50 14", bands, " ")
    bands[nb] = " 14"
    nm = split("CW SSB", modes, " ")
    nx = split("ALB BEX CAR DUN ELM FEN GAR HOL IVY JUN KEL LOM MAR NOR OAK PIN RIV SAL TOR " \
               "VEX ZZZ 001 alb", codes, " ")
    np = split("QX1 QY2 QX3 QY4 QX5 DL1 K1 G3", prefixes, " ")
    print "reg delete TfmMainForm"
    print "reg delete TfmDomList"
    print "timeout 600"
    print "db log.db"
    # The host keeps its log as a fast local file would be kept.
    print "sql PRAGMA synchronous=OFF"
    print "sql PRAGMA journal_mode=MEMORY"
    print "set LogTable QSOs"
    print "set LogCaption Soak"
    print "set Country QX"
    print "set OwnGroup QX"
    print "set QsoGroup DX"
    print "run"
    print "pump"
    print "click District"
    print "pump"
    for (i = 0; i < count; i++) {
      n = (i * 7919) % 6007
      wpx = pick(prefixes, np, n)
      call = wpx "A" n
      band = pick(bands, nb, int(i / 3) + n)
      mode = pick(modes, nm, int(n / 5))
      report = "599 " pick(codes, nx, i * 13 + n)
      printf "set Call %s\nset Band \"%s\"\nset Mode %s\nset ReportReceived %s\nset Wpx %s\n", \
             call, band, mode, report, wpx
      printf "sql INSERT INTO QSOs (CallSign, DigiBand, QSOMode, QSOReportRecived, WPX) "
      printf "VALUES ('\''%s'\'', '\''%s'\'', '\''%s'\'', '\''%s'\'', '\''%s'\'')\n", \
             call, band, mode, report, wpx
      print "add-qso"
      if (i % 50 == 49) print "sleep 0"
      if (i == int(count / 8) || i == int(count * 3 / 4)) { print "click Recalc"; print "pump" }
      if (i == int(count / 4)) { print "close multipliers"; print "pump" }
      if (i == int(count / 2)) {
        print "show memory"
        print "release"; print "pump"; print "run"; print "pump"
      }
    }
    print "pump"
    print "show grid"
    print "show score"
    print "click Recalc"
    print "pump"
    print "show grid"
    print "show score"
    print "click District"
    print "pump"
    print "show memory"
    print "release"
    print "pump"
  }' >"$work/session.txt"

cd "$work" || exit 1
started_ms=$(($(date +%s%N) / 1000000))
timeout -k 5 "${QXQY_SESSION_TIMEOUT:-600}" wine host/soak.exe session.txt >out.raw 2>err.txt
code=$?
elapsed_ms=$(($(date +%s%N) / 1000000 - started_ms))
tr -d '\r' <out.raw >out.txt

failed=0
fail() {
  echo "soak: $*"
  failed=1
}

if [ "$code" -ne 0 ]; then
  fail "the session ended with exit code $code"
  tail -n 20 out.txt
  tail -n 20 err.txt
fi
# Nothing but contact results and the final looks: an error box, an ABI
# report or a failed statement would show up here.
unexpected=$(grep -v -E '^(add-qso: (-1|1|3)|show (grid|score|memory): .*|run: handle new|release: returned)$' out.txt |
  head -n 5)
[ -z "$unexpected" ] || fail "unexpected lines in the transcript:"$'\n'"$unexpected"
results=$(grep -c '^add-qso: ' out.txt)
[ "$results" -eq "$count" ] || fail "$results contact results, expected $count"

"$scorer" --db "$work/log.db" --table QSOs --plugins "$work/host/Plugins" --own-group QX \
  --group DX --country QX --caption Soak >scorer.txt 2>scorer.err || fail "the scorer failed: $(cat scorer.err)"

# The window's two looks (before and after the last Recalc) in the scorer's
# form: cells separated by TABs, then the score line.
awk '
  /^show grid: / { sub(/^show grid: /, ""); gsub(/\|/, "\t"); look = look $0 "\n" }
  /^show score: / { sub(/^show score: "/, ""); sub(/"$/, ""); print look $0 > ("look" ++n ".txt"); look = "" }
' out.txt
for look in look1.txt look2.txt; do
  if ! diff -u scorer.txt "$look" >diff.txt; then
    fail "$look differs from the native scorer's output:"
    cat diff.txt
  fi
done

points=$(awk '/^add-qso: [13]$/ { sum += $2 } END { print sum + 0 }' out.txt)
total=$(awk -F'\t' '$1 == "Total" { print $3 }' scorer.txt)
[ "$points" = "$total" ] || fail "the host was told $points points, the total is $total"

grep '^show memory: ' out.txt
read -r working_kb private_kb < <(grep '^show memory: ' out.txt | tail -n 1 |
  sed -E 's/^show memory: working-set ([0-9]+) KB, .* pagefile ([0-9]+) KB, .*/\1 \2/')
limit_kb=$((limit_mb * 1024))
if [ -z "${working_kb:-}" ] || [ "$working_kb" -ge "$limit_kb" ] || [ "$private_kb" -ge "$limit_kb" ]; then
  fail "memory at the end: working set ${working_kb:-?} KB, private ${private_kb:-?} KB (limit $limit_mb MB)"
fi

echo "soak: $count contacts in $((elapsed_ms / 1000)).$((elapsed_ms % 1000 / 100)) s," \
  "working set ${working_kb:-?} KB, private ${private_kb:-?} KB at the end"
tail -n 1 scorer.txt
exit $failed
