#!/usr/bin/env bash
# Short runs of every fuzzer: builds build-fuzz (clang, libFuzzer, ASan and
# UBSan) when needed, runs the tests of the fuzzers' model of the rules, then
# runs each target for QXQY_FUZZ_SECONDS (20 by default) from its seed
# corpus in fuzz/corpus/<name>/. New inputs go to
# a scratch folder, never into the committed corpus. Exits non-zero as soon
# as a fuzzer reports a crash, a sanitizer finding, a leak or a broken
# invariant; the input that caused it is kept under build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${QXQY_FUZZ_SECONDS:-20}"
jobs="${QXQY_JOBS:-2}"
build=build-fuzz

if ! command -v clang++ >/dev/null; then
  echo "fuzz-smoke: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQXQY_FUZZERS=ON -DQXQY_WIN32_BUILD=OFF -DQXQY_TESTS=OFF -DQXQY_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target fuzz_model_tests fuzz_reference_data fuzz_entry_points \
  fuzz_host_actions fuzz_contest_session
"$build/fuzz/fuzz_model_tests" --gtest_brief=1

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/findings"

# name and the longest input worth trying (entry points take 5916-byte records)
targets=(
  "reference_data 4096"
  "entry_points 24000"
  "host_actions 2048"
  "contest_session 4096"
)
for entry in "${targets[@]}"; do
  read -r name max_len <<<"$entry"
  mkdir -p "$scratch/$name"
  echo "== fuzz_$name for ${seconds}s"
  if ! "$build/fuzz/fuzz_$name" "$scratch/$name" "fuzz/corpus/$name" \
      -max_total_time="$seconds" -max_len="$max_len" -len_control=0 -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
      >"$scratch/$name.log" 2>&1; then
    tail -n 60 "$scratch/$name.log" >&2
    echo "fuzz-smoke: fuzz_$name failed; input kept in $build/findings/" >&2
    exit 1
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|cov: .* DONE|^#[0-9]+ +DONE' \
    "$scratch/$name.log" || true
done
echo "fuzz-smoke: all fuzzers ran clean"
