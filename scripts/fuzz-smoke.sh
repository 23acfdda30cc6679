#!/usr/bin/env bash
# Short runs of every fuzzer: builds build-fuzz (clang, libFuzzer, ASan and
# UBSan) when needed, runs the tests of the fuzzers' model of the rules, then
# runs each target for QXQY_FUZZ_SECONDS (20 by default) from its seed
# corpus in fuzz/corpus/<name>/, and checks that the host-actions target
# gives every input the same outcome among others as alone. New inputs go to
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
  fuzz_host_actions fuzz_contest_session fuzz_cabrillo fuzz_adif fuzz_country_file fuzz_crosscheck
"$build/fuzz/fuzz_model_tests" --gtest_brief=1

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/findings"

# name and the longest input worth trying (entry points take 5916-byte records)
targets=(
  "reference_data 4096"
  "entry_points 24000"
  "host_actions 4096"
  "contest_session 4096"
  "cabrillo 8192"
  "adif 8192"
  "country_file 4096"
  "crosscheck 4096"
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
# One process serves every input of the host-actions target and is reset
# between them: the largest seeds, run in one process and each alone, must
# give the same digests of what the host and the operator saw. (libFuzzer
# may run an input twice to look for leaks; each line names its input.)
echo "== fuzz_host_actions: inputs among others and alone"
mapfile -t seeds < <(ls -S fuzz/corpus/host_actions | head -n 16 | sed 's|^|fuzz/corpus/host_actions/|')
digests() { QXQY_FUZZ_DIGEST=1 "$build/fuzz/fuzz_host_actions" "$@" 2>&1 | grep '^digest '; }
digests "${seeds[@]}" | sort -u >"$scratch/together"
for seed in "${seeds[@]}"; do digests "$seed"; done | sort -u >"$scratch/alone"
inputs=$(sha1sum "${seeds[@]}" | cut -d' ' -f1 | sort -u | wc -l)
if [ "$(wc -l <"$scratch/together")" -ne "$inputs" ] ||
    ! diff "$scratch/together" "$scratch/alone" >&2; then
  echo "fuzz-smoke: an input of fuzz_host_actions did something else after other inputs" >&2
  exit 1
fi
echo "fuzz-smoke: all fuzzers ran clean"
