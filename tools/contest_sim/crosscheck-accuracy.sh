#!/bin/sh
# The contest check's accuracy on a small simulated contest: simulates it
# with a fixed seed, checks it with qxqy-crosscheck and scores the decisions
# against the truth, printing the accuracy table; fails when fewer than
# 99.5 % of the lines are decided as the truth says or when 1 in 2,000 lines
# of contacts that happened are judged nil or busted-call.
# usage: crosscheck-accuracy.sh SIMULATOR CHECKER SAMPLES_DIR WORK_DIR
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
mkdir -p "$work"
# The default error rates, with more of the rarer kinds so that every
# decision occurs (a second log, not-scored lines, clocks off), and
# stations whose calls are one edit apart.
"$sim" --out "$work/contest/logs" --logs 60 --qsos-per-log 250 --seed 20260314 \
  --clock 0.15 --not-scored 0.2 --second-log 0.05 --near-calls 0.1
status=0
"$checker" "$work/contest/logs" --out "$work/checked" --plugins "$samples" \
  --cty "$samples/cty-sample.dat" > "$work/check.out" 2> "$work/check.err" || status=$?
if [ "$status" -gt 1 ]; then
  echo "qxqy-crosscheck could not run (exit $status):"
  cat "$work/check.err"
  exit 1
fi
"$sim" --score "$work/contest/truth.csv" "$work/checked/qsos.csv" \
  --min-accuracy 0.995 --max-false-nil-per-2000 1
