#!/usr/bin/env bash
# qxqy-score's own answers before any log is read: --help, a wrong option, a
# database that cannot be opened, and the plugins folder given with or
# without its trailing slash. Each case checks the exit status and the first
# line of standard output and of standard error.
#   run-command-line-test.sh SCORER SAMPLES_DIR CLEAN_LOG WORK_DIR
set -euo pipefail
scorer=$1 samples=$2 clean_log=$3 work=$4
mkdir -p "$work"
cd "$work"
failed=0

check() {  # check STATUS STDOUT_FIRST_LINE STDERR_FIRST_LINE ARGS...
  local want_status=$1 want_out=$2 want_err=$3
  shift 3
  set +e
  "$scorer" "$@" > out 2> err
  local status=$?
  set -e
  local out err
  out=$(head -n 1 out)
  err=$(head -n 1 err)
  if [ "$status" -ne "$want_status" ] || [ "$out" != "$want_out" ] || [ "$err" != "$want_err" ]; then
    echo "qxqy-score $*:"
    echo "  exit $status, expected $want_status"
    echo "  stdout '$out', expected '$want_out'"
    echo "  stderr '$err', expected '$want_err'"
    failed=1
  fi
}

usage="usage: qxqy-score --db FILE --table NAME [options]"
check 0 "$usage" "" --help
check 0 "$usage" "" -h
check 0 "$usage" "" --log x.cbr --help
check 2 "" "qxqy-score: unknown option --frobnicate (see --help)" --frobnicate
check 2 "" "qxqy-score: --log needs a file" --log
check 2 "" "qxqy-score: --db FILE or --log FILE is required (see --help)"
check 1 "" "qxqy-score: Cannot open database $work/no-such-dir/log.db: unable to open database file" \
  --db "$work/no-such-dir/log.db" --table QSOs

# The plugins folder, with or without its slash, holds the district table
# the log's districts are checked against: a clean log stays clean.
cp "$clean_log" clean.cbr
check 0 "Band	QSOs	Points	QX-QY	WPX" "" --log clean.cbr --plugins "$samples"
check 0 "Band	QSOs	Points	QX-QY	WPX" "" --log clean.cbr --plugins "$samples/"
exit $failed
