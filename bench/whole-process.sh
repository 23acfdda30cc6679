# Helpers for timing whole processes, sourced by the bench/*-vs-*.sh scripts:
# use_work_folder (the folder for scratch files), measure (wall, CPU and peak
# memory of one run) and median.

# Sets $work: the folder WORK names (kept afterwards), else a temporary one
# removed when the script exits.
use_work_folder() {
  if [[ -n "${WORK:-}" ]]; then
    work="$WORK"
    mkdir -p "$work"
  else
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
  fi
}

# Runs "$@" once with output discarded and sets wall (seconds, from bash's
# microsecond clock), cpu (user + system seconds of the finished children,
# to the millisecond, from the times builtin, which must run in this shell
# to see them) and rss (peak resident kB, from /usr/bin/time). With
# RT_PRIORITY set (1 to 99; needs the right to), the run gets that
# real-time priority (chrt -f), so that on a machine busy with other work
# the measured program still has the cores to itself while it runs; the
# kernel leaves other work at least 5 % of each second.
measure() {
  local start end
  local -a priority=()
  [[ -n "${RT_PRIORITY:-}" ]] && priority=(chrt -f "$RT_PRIORITY")
  times >"$work/times-before"
  start=$EPOCHREALTIME
  "${priority[@]}" /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null
  end=$EPOCHREALTIME
  times >"$work/times-after"
  wall="$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')"
  cpu="$(awk 'FNR == 2 {
      sign = (FILENAME ~ /before/) ? -1 : 1
      for (i = 1; i <= 2; i++) { split($i, t, "m"); total += sign * (t[1] * 60 + t[2]) }
    }
    END { printf "%.3f", total }' "$work/times-before" "$work/times-after")"
  rss="$(cat "$work/rss")"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
