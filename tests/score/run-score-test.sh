#!/usr/bin/env bash
# Runs qxqy-score on a log built from SQL text and compares what it prints
# (stdout, or stderr plus the exit code for an error case) with a file.
#   run-score-test.sh SCORER SQL_FILE WORK_DIR EXPECTED_FILE EXPECTED_EXIT [scorer options...]
set -euo pipefail
scorer=$1 sql=$2 work=$3 expected=$4 expected_exit=$5
shift 5
mkdir -p "$work"
db="$work/log.db"
rm -f "$db"
sqlite3 "$db" < "$sql"
set +e
"$scorer" --db "$db" "$@" > "$work/stdout" 2> "$work/stderr"
status=$?
set -e
if [ "$status" -ne "$expected_exit" ]; then
  echo "exit code $status, expected $expected_exit"; cat "$work/stderr"; exit 1
fi
actual="$work/stdout"
[ "$expected_exit" -ne 0 ] && actual="$work/stderr"
diff -u "$expected" "$actual"
