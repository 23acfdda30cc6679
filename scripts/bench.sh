#!/usr/bin/env bash
# Builds a Release native tree (build-bench) and runs every benchmark, then
# prints the ratios the performance targets are judged by. Not run by the
# tests; docs/performance.md records one run. Takes a few minutes. The
# rebuild's whole-process targets are measured by bench/rebuild-vs-read.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${QXQY_JOBS:-2}"
build=build-bench
benchmarks=(qxqy_bench_scoring qxqy_bench_rebuild qxqy_bench_entry_points
            qxqy_bench_dom_list_paint qxqy_bench_contact_memory)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQXQY_TESTS=OFF \
      -DQXQY_WIN32_BUILD=OFF -DQXQY_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j"$jobs" --target "${benchmarks[@]}"

results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

echo "== machine"
lscpu | grep -E '^(Model name|CPU\(s\)|Thread|L2|L3)' || true
grep MemTotal /proc/meminfo || true
date -u '+%Y-%m-%d %H:%M UTC'

for bench in "${benchmarks[@]:0:4}"; do
  echo "== $bench"
  "$build/bench/$bench" --benchmark_color=false | tee "$results/$bench.txt"
done
echo "== qxqy_bench_contact_memory"
"$build/bench/qxqy_bench_contact_memory"

# From the console reports: the CPU time of one benchmark run in
# nanoseconds, and the CPU time per item (batches count every contact).
cpu_ns() {
  awk -v name="$1" '
    $1 == name {
      scale = ($5 == "ms") ? 1e6 : ($5 == "us") ? 1e3 : ($5 == "s") ? 1e9 : 1
      printf "%.6f\n", $4 * scale
    }' "$results"/*.txt
}
per_item_ns() {
  awk -v name="$1" '
    $1 == name && match($0, /items_per_second=[0-9.]+[kMG]?/) {
      rate = substr($0, RSTART + 17, RLENGTH - 17)
      unit = substr(rate, length(rate))
      scale = (unit == "k") ? 1e3 : (unit == "M") ? 1e6 : (unit == "G") ? 1e9 : 1
      if (scale > 1) rate = substr(rate, 1, length(rate) - 1)
      printf "%.6f\n", 1e9 / (rate * scale)
    }' "$results"/*.txt
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "== ratios"
for name in BM_ScoreQsoPreview BM_ScoreQsoCommit BM_GetScoreEntryPoint BM_AddQsoEntryPoint; do
  small="$(per_item_ns "$name/1000")"
  large="$(per_item_ns "$name/100000")"
  printf '%-24s per contact %8.1f ns at 1k, %8.1f ns at 100k: 100k/1k = %s\n' \
    "$name" "$small" "$large" "$(ratio "$large" "$small")"
done
rebuild="$(cpu_ns BM_RebuildFromLog)"
bare="$(cpu_ns BM_BareRead)"
# In process, for the shares of the work; the targets are whole processes
# (bench/rebuild-vs-read.sh).
printf 'rebuild / bare read of 100,000 rows, in process: %.1f ms / %.1f ms = %s\n' \
  "$(ratio "$rebuild" 1e6)" "$(ratio "$bare" 1e6)" "$(ratio "$rebuild" "$bare")"
paint="$(cpu_ns BM_PaintDistrictList)"
scan="$(cpu_ns BM_PaintDistrictListLinearScan)"
printf 'paint of 200 districts, 2,000 keys: %.1f us indexed, %.1f us by scan: scan/indexed = %s\n' \
  "$(ratio "$paint" 1e3)" "$(ratio "$scan" 1e3)" "$(ratio "$scan" "$paint")"
