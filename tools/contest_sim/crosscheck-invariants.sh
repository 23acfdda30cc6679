#!/bin/sh
# Invariants of the contest check on a simulated contest:
# - every contact line of every log gets exactly one decision;
# - the decisions do not depend on the files' names or the order they are
#   read in: the contest is checked as written and again with every file
#   renamed (names that sort in another order), and both qsos.csv files
#   must say the same once the renamed files are mapped back to their names;
# - a folder holding a single log decides each of its lines unique, dupe or
#   not-scored.
# usage: crosscheck-invariants.sh SIMULATOR CHECKER SAMPLES_DIR WORK_DIR
# Exits 77 (skipped) when CHECKER is empty: the check is not built.
set -eu
sim=$1
checker=$2
samples=$3
work=$4
if [ -z "$checker" ]; then
  echo "skipped: qxqy-crosscheck is not part of this build"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work/renamed" "$work/single"
# Two logs of one station differ in length here, so which one is checked
# does not depend on the names.
"$sim" --out "$work/contest/logs" --logs 40 --qsos-per-log 120 --seed 7 --hours 12 \
  --busted-call 0.03 --wrong-band 0.02 --nil 0.02 --dupe 0.02 --not-scored 0.3 --second-log 0.1

check() {
  status=0
  "$checker" "$1" --out "$2" --plugins "$samples" --cty "$samples/cty-sample.dat" \
    > "$2.out" 2> "$2.err" || status=$?
  if [ "$status" -gt 1 ]; then
    echo "qxqy-crosscheck could not run on $1 (exit $status):"
    cat "$2.err"
    exit 1
  fi
}

# Renamed: the reverse of the sorted order, numbered; map.txt says which is which.
count=$(ls "$work/contest/logs" | wc -l)
number=0
for name in $(ls "$work/contest/logs" | sort -r); do
  number=$((number + 1))
  new=$(printf 'z%05d-%s' "$((count - number))" "$(echo "$name" | tr 'A-Z' 'a-z')")
  cp "$work/contest/logs/$name" "$work/renamed/$new"
  echo "$new $name" >> "$work/map.txt"
done

check "$work/contest/logs" "$work/first"
check "$work/renamed" "$work/second"

# One decision per line: the scoring fails on a line decided twice or not at all.
if ! "$sim" --score "$work/contest/truth.csv" "$work/first/qsos.csv" > "$work/first.score"; then
  cat "$work/first.score"
  exit 1
fi

# Each qsos.csv's rows with every renamed file's name (in the file column,
# any folder dropped, and in the evidence) put back, sorted.
rows() {
  awk -F, 'NR == FNR { split($0, pair, " "); name[pair[1]] = pair[2]; next }
           FNR == 1 { next }
           {
             sub(/.*\//, "", $1)
             for (renamed in name) {
               while ((at = index($0, renamed)) > 0) {
                 $0 = substr($0, 1, at - 1) name[renamed] substr($0, at + length(renamed))
               }
             }
             print
           }' OFS=, "$work/map.txt" "$1" | sort
}
rows "$work/first/qsos.csv" > "$work/first.rows"
rows "$work/second/qsos.csv" > "$work/second.rows"
if ! cmp -s "$work/first.rows" "$work/second.rows"; then
  echo "the decisions changed with the files' names and order:"
  diff "$work/first.rows" "$work/second.rows" | head -20
  exit 1
fi
echo "$(wc -l < "$work/first.rows") contact lines decided alike under other names and order"

# A lone log: the one with a line the reader rejects, if any.
lone=$(grep -l -e '^X-QSO:' "$work/contest/logs"/* | head -n 1)
[ -n "$lone" ] || lone=$(ls "$work/contest/logs"/* | head -n 1)
cp "$lone" "$work/single/"
check "$work/single" "$work/alone"
tail -n +2 "$work/alone/qsos.csv" |
  awk -F, '$8 != "unique" && $8 != "dupe" && $8 != "not-scored"' > "$work/alone.others"
if [ -s "$work/alone.others" ]; then
  echo "a lone log has lines decided other than unique, dupe or not-scored:"
  head "$work/alone.others"
  exit 1
fi
echo "a lone log ($(basename "$lone")): $(($(wc -l < "$work/alone/qsos.csv") - 1)) lines unique, dupe or not-scored"
