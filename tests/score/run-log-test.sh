#!/usr/bin/env bash
# Runs qxqy-score --log on a log file from the folder that holds it (so the
# report names the file as given) and compares its exit code, standard
# output and standard error with the expected ones.
#   run-log-test.sh SCORER LOG_DIR LOG_NAME WORK_DIR EXPECTED_BASE EXPECTED_EXIT [options...]
# EXPECTED_BASE.out and EXPECTED_BASE.err hold the expected output; a missing
# one stands for empty output.
set -euo pipefail
scorer=$1 log_dir=$2 log_name=$3 work=$4 expected=$5 expected_exit=$6
shift 6
mkdir -p "$work"
set +e
(cd "$log_dir" && "$scorer" --log "$log_name" "$@") > "$work/stdout" 2> "$work/stderr"
status=$?
set -e
failed=0
if [ "$status" -ne "$expected_exit" ]; then
  echo "exit code $status, expected $expected_exit"; failed=1
fi
for stream in out err; do
  want="$expected.$stream"
  [ -f "$want" ] || want=/dev/null
  actual="$work/std$stream"
  diff -u "$want" "$actual" || failed=1
done
exit $failed
