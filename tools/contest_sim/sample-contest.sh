#!/bin/sh
# The sample contest: 20 logs with every decision of the contest check.
# usage: sample-contest.sh SIMULATOR DIR         writes DIR/contest/ and DIR/contest-truth.csv
#        sample-contest.sh SIMULATOR DIR SAMPLES  ... and fails unless they equal the ones in
#                                                SAMPLES (the simulator still draws the sample)
# Regenerate the project's sample with
#   tools/contest_sim/sample-contest.sh build-native/tools/contest_sim/qxqy-contest-sim samples
set -eu
sim=$1
dir=$2
samples=${3:-}
rm -rf "$dir/contest" "$dir/contest-truth.csv"
mkdir -p "$dir"
"$sim" --out "$dir/contest" --truth "$dir/contest-truth.csv" --logs 20 --qsos-per-log 26 \
  --seed 11 --hours 8 --busted-call 0.05 --busted-exchange 0.04 --wrong-band 0.04 --nil 0.03 \
  --unknown-call 0.03 --dupe 0.03 --double-entry 0.02 --moved-band 0.03 --not-scored 0.15 \
  --second-log 0.06 --no-log 0.25 --clock 0.2
[ -n "$samples" ] || exit 0
if ! diff -r "$samples/contest" "$dir/contest" > "$dir/contest.diff" ||
  ! cmp -s "$samples/contest-truth.csv" "$dir/contest-truth.csv"; then
  echo "the simulator no longer draws samples/contest: regenerate it (see the top of $0)"
  head -20 "$dir/contest.diff"
  exit 1
fi
echo "samples/contest and samples/contest-truth.csv are what the simulator draws"
