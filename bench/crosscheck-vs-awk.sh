#!/usr/bin/env bash
# Checking a whole contest against splitting it: qxqy-crosscheck reading,
# matching, scoring and writing every output of a simulated contest,
# against one awk process splitting every QSO: line of all its logs into
# fields, as whole processes. The contests come from the contest simulator
# with a fixed seed (no second logs), so every run measures the same files:
# by default 1,000, 3,000 and 10,000 logs of about 300 contact lines each,
# to show how the time grows with the contest. Runs alternate (awk, check,
# awk, check, ...) so that load from other processes falls on both; medians
# of wall time are compared (CPU-time medians beside them, and each phase's
# medians from the checker's --timings), and the checker's peak resident
# memory is reported per contact line beyond the bytes of the log files.
#
#   bash bench/crosscheck-vs-awk.sh [CHECKER [SIMULATOR]]
#
# CHECKER defaults to build-rel/tools/crosscheck/qxqy-crosscheck and
# SIMULATOR to build-rel/tools/contest_sim/qxqy-contest-sim (a Release
# build). RUNS (default 5) sets the runs per program and size; LOGS
# (default "1000 3000 10000") the contests' sizes in logs, the last one
# judged against the targets; QSOS (default 300) the contact lines per log;
# WORK (default a temporary folder, removed afterwards) keeps the contests
# and the outputs; RT_PRIORITY runs both programs at that real-time
# priority (see bench/whole-process.sh). The checker writes into the same
# output folder on every run (as a sponsor checking again does), after one
# untimed run that makes the files and warms the page cache. Needs bash 5,
# awk and GNU time as /usr/bin/time.
set -euo pipefail
cd "$(dirname "$0")/.."

checker="${1:-build-rel/tools/crosscheck/qxqy-crosscheck}"
simulator="${2:-build-rel/tools/contest_sim/qxqy-contest-sim}"
runs="${RUNS:-5}"
read -r -a sizes <<<"${LOGS:-1000 3000 10000}"
qsos="${QSOS:-300}"
target_ratio=3.0
target_bytes=150
# Time per contact line at the largest size against the smallest: about 1
# when the time grows with the lines, about the ratio of sizes (10) when it
# grows with their square.
target_growth=1.5

for program in "$checker" "$simulator"; do
  [[ -x "$program" ]] || { echo "no program at $program (build it first)" >&2; exit 2; }
done
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (scripts/install-deps.sh)" >&2; exit 2; }

source bench/whole-process.sh
use_work_folder

echo "== machine"
lscpu | grep -E '^(Model name|CPU\(s\))' || true
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
date -u '+%Y-%m-%d %H:%M UTC'
echo "checker: $checker; $runs alternated runs per program and size${RT_PRIORITY:+, real-time priority $RT_PRIORITY}"

split_program='/^QSO:/ { fields += split($0, f, " ") } END { print fields }'
# The checker as measure runs it: exit 1 (findings reported) is a success;
# its --timings go to the file named by $1.
check_command=(sh -c 'timings=$1; shift; "$@" 2>"$timings"; test $? -le 1' sh)

per_line=() summary=()
for logs in "${sizes[@]}"; do
  contest="$work/contest-$logs"
  if [[ ! -d "$contest/logs" ]]; then
    "$simulator" --out "$contest/logs" --logs "$logs" --qsos-per-log "$qsos" --seed 1 \
      --second-log 0 >/dev/null
  fi
  files=("$contest"/logs/*)
  lines="$(awk '/^QSO:/ { n++ } END { print n }' "${files[@]}")"
  bytes="$(cat "${files[@]}" | wc -c)"
  out="$work/out-$logs"
  checker_args=("$checker" "$contest/logs" --out "$out" --plugins samples
    --cty samples/cty-sample.dat --quiet --timings)
  echo
  echo "== $logs logs: $lines contact lines, $((bytes / 1048576)) MB"
  # Untimed: warms the page cache, makes the output files, checks it runs.
  awk "$split_program" "${files[@]}" >/dev/null
  "${check_command[@]}" "$work/timings" "${checker_args[@]}" >/dev/null || {
    echo "qxqy-crosscheck could not check the contest:" >&2
    cat "$work/timings" >&2
    exit 2
  }
  split_times=() split_cpu=() check_times=() check_cpu=() check_rss=()
  : >"$work/phases-$logs"
  for ((run = 0; run < runs; run++)); do
    measure awk "$split_program" "${files[@]}"
    split_times+=("$wall")
    split_cpu+=("$cpu")
    measure "${check_command[@]}" "$work/timings" "${checker_args[@]}"
    check_times+=("$wall")
    check_cpu+=("$cpu")
    check_rss+=("$rss")
    sed -n 's/^timing: //p' "$work/timings" >>"$work/phases-$logs"
  done
  split_median="$(printf '%s\n' "${split_times[@]}" | median)"
  check_median="$(printf '%s\n' "${check_times[@]}" | median)"
  split_cpu_median="$(printf '%s\n' "${split_cpu[@]}" | median)"
  check_cpu_median="$(printf '%s\n' "${check_cpu[@]}" | median)"
  rss_median="$(printf '%s\n' "${check_rss[@]}" | median)"
  ratio="$(awk -v a="$check_median" -v b="$split_median" 'BEGIN { printf "%.2f", a / b }')"
  beyond="$(awk -v r="$rss_median" -v f="$bytes" -v n="$lines" \
    'BEGIN { printf "%.0f", (r * 1024 - f) / n }')"
  echo "awk split:       median $split_median s wall, $split_cpu_median s CPU   (wall: ${split_times[*]})"
  echo "qxqy-crosscheck: median $check_median s wall, $check_cpu_median s CPU   (wall: ${check_times[*]})"
  echo "ratio of wall medians: $ratio; of CPU medians:" \
    "$(awk -v a="$check_cpu_median" -v b="$split_cpu_median" 'BEGIN { printf "%.2f", a / b }');" \
    "cores kept busy: $(awk -v c="$check_cpu_median" -v w="$check_median" 'BEGIN { printf "%.2f", c / w }')"
  echo "peak RSS: median $((rss_median / 1024)) MB; $beyond bytes per contact line beyond the files' bytes"
  echo "phases (medians of the runs' --timings):"
  awk '{ name = $1; for (i = 2; $(i) != ""; i++) if ($(i) ~ /^[0-9.]+$/) break; else name = name " " $(i)
         wall[name] = wall[name] " " $(i); cpu[name] = cpu[name] " " $(i + 3)
         if (!(name in seen)) { seen[name] = 1; order[++n] = name } }
       function med(list,   v, k, c, t, j) {
         c = split(list, v, " ")
         for (k = 2; k <= c; k++) for (j = k; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) {
           t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
         return (c % 2) ? v[(c + 1) / 2] : (v[c / 2] + v[c / 2 + 1]) / 2 }
       END { for (k = 1; k <= n; k++)
               printf "  %-16s %7.3f s wall  %7.3f s CPU\n", order[k], med(wall[order[k]]), med(cpu[order[k]]) }' \
    "$work/phases-$logs"
  per_line+=("$(awk -v t="$check_median" -v n="$lines" 'BEGIN { printf "%.4g", t / n * 1e6 }')")
  summary+=("$logs $lines $check_median $ratio $beyond")
done

echo
echo "== growth (wall time per contact line)"
for ((k = 0; k < ${#sizes[@]}; k++)); do
  read -r logs lines median ratio beyond <<<"${summary[k]}"
  echo "  $logs logs, $lines lines: $median s, ${per_line[k]} µs per line, $ratio × awk, $beyond bytes per line"
done
growth="$(awk -v a="${per_line[-1]}" -v b="${per_line[0]}" 'BEGIN { printf "%.2f", a / b }')"
read -r logs lines median ratio beyond <<<"${summary[-1]}"
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "met" : "NOT met" }'; }
ratio_verdict="$(verdict "$ratio" "$target_ratio")"
bytes_verdict="$(verdict "$beyond" "$target_bytes")"
growth_verdict="$(verdict "$growth" "$target_growth")"
echo "per line, ${sizes[-1]} logs against ${sizes[0]}: $growth (at most $target_growth: $growth_verdict)"
echo "at $logs logs: $ratio × awk (at most $target_ratio: $ratio_verdict);" \
  "$beyond bytes per line beyond the files (at most $target_bytes: $bytes_verdict)"
[[ "$ratio_verdict" == met && "$bytes_verdict" == met && "$growth_verdict" == met ]]
