#!/usr/bin/env bash
# qxqy-score --log where a result could change or get lost without a word:
# a missing district table, standard output that cannot be written (a full
# disk, a closed pipe), a reference file that cannot be opened, an option
# without its value, control characters from the log, a UTF-16 log. Each
# case checks the exit status and the message.
#   run-log-messages-test.sh SCORER SAMPLES_DIR LOGS_DIR WORK_DIR
set -euo pipefail
scorer=$1 samples=$2 logs=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
cd "$work"
failed=0

# run NAME EXPECTED_EXIT ARGS...: runs the scorer, output in NAME.out/NAME.err.
run() {
  local name=$1 expected=$2
  shift 2
  set +e
  "$scorer" "$@" > "$name.out" 2> "$name.err"
  local status=$?
  set -e
  if [ "$status" -ne "$expected" ]; then
    echo "$name: exit code $status, expected $expected"; cat "$name.err"; failed=1
  fi
}
# expect NAME STREAM TEXT: the stream (out or err) holds the line TEXT.
expect() {
  if ! grep -qxF -- "$3" "$1.$2"; then
    echo "$1: no line '$3' in std$2:"; cat "$1.$2"; failed=1
  fi
}

cp "$logs/clean.cbr" .
with_table="Score: 4*(2+2)=16"  # clean.cbr with the sample district table
without_table="Score: 4*(0+2)=8"

# The district table: missing from a folder, a file named as the folder,
# a folder that does not exist, the default folder that does not exist.
mkdir empty
echo "ALB=ALB" > a-file
for plugins in empty a-file no-such-folder; do
  run "plugins-$plugins" 1 --log clean.cbr --plugins "$plugins"
  expect "plugins-$plugins" out "$without_table"
  expect "plugins-$plugins" err \
    "clean.cbr: no district table at $plugins/qx-qy.dom: no district multipliers counted"
done
mkdir bin
cp "$scorer" bin/qxqy-score
scorer=$PWD/bin/qxqy-score run plugins-default 1 --log clean.cbr
expect plugins-default out "$without_table"
expect plugins-default err \
  "clean.cbr: no district table at $PWD/bin/Plugins/qx-qy.dom: no district multipliers counted"
run plugins-samples 0 --log clean.cbr --plugins "$samples"
expect plugins-samples out "$with_table"

# Standard output that cannot be written: the status says so, in every format.
for format in "--format text" "--format json" "--format csv" "--dump-contacts"; do
  set +e
  # shellcheck disable=SC2086
  "$scorer" --log clean.cbr --plugins "$samples" $format > /dev/full 2> full.err
  status=$?
  set -e
  if [ "$status" -ne 2 ]; then echo "$format to /dev/full: exit code $status, expected 2"; failed=1; fi
  expect full err "qxqy-score: cannot write standard output: No space left on device"
done
python3 - "$scorer" "$samples" > pipe.err <<'PY'
import os, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)  # nobody reads: every write fails
status = subprocess.run([sys.argv[1], "--log", "clean.cbr", "--plugins", sys.argv[2]],
                        stdout=write_end, stderr=subprocess.PIPE).returncode
os.close(write_end)
print(status)
PY
if [ "$(cat pipe.err)" != 2 ]; then echo "closed pipe: exit code $(cat pipe.err), expected 2"; failed=1; fi
set +e
python3 - "$scorer" "$samples" 2> pipe-stderr.err <<'PY'
import os, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)
subprocess.run([sys.argv[1], "--log", "clean.cbr", "--plugins", sys.argv[2]], stdout=write_end)
PY
set -e
expect pipe-stderr err "qxqy-score: cannot write standard output: Broken pipe"

# A district table that is there but cannot be opened says why.
mkdir locked
cp "$samples/qx-qy.dom" locked/
python3 - "$scorer" > locked.err <<'PY'
import fcntl, subprocess, sys
with open("locked/qx-qy.dom", "r+") as table:
    fcntl.lockf(table, fcntl.LOCK_EX)  # another program writing it
    result = subprocess.run([sys.argv[1], "--log", "clean.cbr", "--plugins", "locked"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
print(result.returncode)
print(result.stderr, end="")
PY
expect locked err "2"
expect locked err \
  "qxqy-score: Cannot open file locked/qx-qy.dom: another program holds it open for writing"
if [ "$(id -u)" -ne 0 ]; then  # root may read a file whatever its mode
  mkdir unreadable
  cp "$samples/qx-qy.dom" unreadable/
  chmod 000 unreadable/qx-qy.dom
  run unreadable 2 --log clean.cbr --plugins unreadable
  expect unreadable err "qxqy-score: Cannot open file unreadable/qx-qy.dom: Permission denied"
fi

# An option without its value names what is missing.
run no-value 2 --log --plugins "$samples"
expect no-value err "qxqy-score: --log needs a file"

# Control characters from the log never reach the terminal raw.
printf '<EOH><STATION_CALLSIGN:6>QX1OWN<CALL:7>Q\033[2J\007X<BAND:3>20m<MODE:2>CW<EOR>' > esc.adi
for format in text csv; do
  run "esc-$format" 1 --log esc.adi --plugins "$samples" --format "$format"
  expect "esc-$format" err 'esc.adi:1: country of Q\x1b[2J\x07X unknown, no prefix multiplier'
done
run esc-json 1 --log esc.adi --plugins "$samples" --format json
expect esc-json out \
  '    {"line": 1, "reason": "country of Q\u001b[2J\u0007X unknown, no prefix multiplier"}'
if LC_ALL=C grep -q $'[\033\007]' esc-*.out esc-*.err; then
  echo "a control character was written raw:"; grep -l $'[\033\007]' esc-*.out esc-*.err; failed=1
fi

# A UTF-16 log says so.
printf '\377\376' > utf16.cbr
printf 'START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\n' | sed 's/./&\x00/g' >> utf16.cbr
run utf16 2 --log utf16.cbr --plugins "$samples"
expect utf16 err "qxqy-score: the log is UTF-16 text, which is not read: save it as UTF-8 or ASCII (plain text) and check it again"

[ "$failed" -eq 0 ] && echo "log messages: ok"
exit "$failed"
