#!/usr/bin/env bash
# A long fuzzing campaign that can be stopped and resumed (not part of CI).
#
#   scripts/fuzz-campaign.sh [run] [target ...]   fuzz until each target reaches its count
#   scripts/fuzz-campaign.sh merge [target ...]   minimise each kept corpus in place
#   scripts/fuzz-campaign.sh status [target ...]  executions, coverage and corpus so far
#
# Targets run one after the other, each in one libFuzzer worker on one core
# (-jobs=1 -workers=1), with fuzz/corpus/<name>/ as the kept corpus: every
# new input goes there, so a stopped campaign resumes from what it found.
# The executions of every finished or stopped session are added up in
# build-fuzz/campaign/<name>.done; a resumed target runs only what is left.
# Findings go to build-fuzz/campaign/findings/; the campaign stops at the
# first one. Session logs: build-fuzz/campaign/<name>.log.
#
# Builds build-fuzz like scripts/fuzz-smoke.sh when needed. Run it in the
# background, e.g. nohup scripts/fuzz-campaign.sh >build-fuzz/campaign.out 2>&1 &
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz
campaign="$build/campaign"
mkdir -p "$campaign/findings"

# name, executions to reach, longest input
targets=(
  "contest_session 10000000 4096"
  "host_actions 1000000 4096"
  "reference_data 1000000 4096"
  "entry_points 1000000 24000"
  "cabrillo 1000000 8192"
  "adif 1000000 8192"
  "country_file 1000000 4096"
  "crosscheck 1000000 4096"
)

target_line() {
  local entry
  for entry in "${targets[@]}"; do
    [ "${entry%% *}" = "$1" ] && { echo "$entry"; return; }
  done
  echo "fuzz-campaign: unknown target $1" >&2
  exit 2
}

done_so_far() { cat "$campaign/$1.done" 2>/dev/null || echo 0; }

build_fuzzers() {
  CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQXQY_FUZZERS=ON -DQXQY_WIN32_BUILD=OFF -DQXQY_TESTS=OFF -DQXQY_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" -j1 --target fuzz_reference_data fuzz_entry_points fuzz_host_actions \
    fuzz_contest_session fuzz_cabrillo fuzz_adif fuzz_country_file fuzz_crosscheck >/dev/null
}

# Adds the executions of the last session of `name` (finished, stopped or
# killed with the campaign) to its count and its output to its log.
account_session() {
  local name=$1 log="$campaign/$1.work/fuzz-0.log" ran done
  [ -f "$log" ] || return 0
  done=$(done_so_far "$name")
  {
    echo "=== session ending $(date -u +%FT%TZ), $done executions before"
    cat "$log"
  } >>"$campaign/$name.log"
  # The last status line tells how far the session got.
  ran=$(grep -oE '^#[0-9]+' "$log" | tail -n 1 | tr -d '#')
  echo $((done + ${ran:-0})) >"$campaign/$name.done"
  echo "   $(grep -E '^#[0-9]+\s' "$log" | tail -n 1)"
  rm -f "$log"
}

# Runs one session of `name` for what is left of its count.
run_target() {
  local name goal max_len done left status=0
  read -r name goal max_len <<<"$(target_line "$1")"
  account_session "$name"
  done=$(done_so_far "$name")
  left=$((goal - done))
  if [ "$left" -le 0 ]; then
    echo "== fuzz_$name: $done of $goal executions, nothing left"
    return 0
  fi
  echo "== fuzz_$name: $done of $goal executions, $left to go ($(date -u +%FT%TZ))"
  mkdir -p "fuzz/corpus/$name" "$campaign/$name.work"
  # libFuzzer's worker writes its output to fuzz-0.log in the current folder.
  (cd "$campaign/$name.work" &&
    "$OLDPWD/$build/fuzz/fuzz_$name" "$OLDPWD/fuzz/corpus/$name" -jobs=1 -workers=1 \
      -runs="$left" -max_len="$max_len" -len_control=0 -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$OLDPWD/$campaign/findings/$name-" \
      >/dev/null 2>&1) || status=$?
  account_session "$name"
  if [ "$status" -ne 0 ] || ls "$campaign/findings/$name-"* >/dev/null 2>&1; then
    echo "fuzz-campaign: fuzz_$name found something; see $campaign/findings/ and $campaign/$name.log" >&2
    exit 1
  fi
}

# From a target's session log, one line per session: the executions it
# covered (counted over all sessions), its last edge and feature counts,
# the execution at which each last grew, and its executions per second.
# Sessions built from other sources count differently, so each stands alone.
coverage_growth() {
  awk '
    function report() {
      if (!seen) return
      printf "   executions %d-%d: edges %d (last grew at %d), features %d (last grew at %d), %d exec/s\n",
             base, n, cov, at_cov, ft, at_ft, rate
    }
    /^=== session/ { report(); base = $(NF - 2); seen = 0; cov = ft = 0 }
    /^#[0-9]+\t/ && / cov: / {
      n = base + substr($1, 2)
      for (i = 1; i <= NF; i++) {
        if ($i == "cov:" && $(i + 1) + 0 > cov) { cov = $(i + 1) + 0; at_cov = n }
        if ($i == "ft:" && $(i + 1) + 0 > ft) { ft = $(i + 1) + 0; at_ft = n }
        if ($i == "exec/s:") rate = $(i + 1)
      }
      seen = 1
    }
    END { report() }' "$1"
}

# Minimises the kept corpus of `name` into a fresh folder and swaps it in.
merge_target() {
  local name
  read -r name _ max_len <<<"$(target_line "$1")"
  local fresh="fuzz/corpus/$name.merged"
  rm -rf "$fresh" && mkdir -p "$fresh"
  "$build/fuzz/fuzz_$name" -merge=1 -max_len="$max_len" "$fresh" "fuzz/corpus/$name" \
    >"$campaign/$name.merge.log" 2>&1
  rm -rf "fuzz/corpus/$name" && mv "$fresh" "fuzz/corpus/$name"
  echo "== fuzz_$name: $(ls "fuzz/corpus/$name" | wc -l) inputs, $(du -sh "fuzz/corpus/$name" | cut -f1)"
}

mode=run
case "${1:-}" in
  run | merge | status) mode=$1 && shift ;;
esac
names=("$@")
[ ${#names[@]} -eq 0 ] && for entry in "${targets[@]}"; do names+=("${entry%% *}"); done

case "$mode" in
  status)
    for name in "${names[@]}"; do
      read -r _ goal _ <<<"$(target_line "$name")"
      echo "fuzz_$name: $(done_so_far "$name") of $goal executions;" \
        "corpus $(ls "fuzz/corpus/$name" | wc -l) inputs," \
        "$(cat "fuzz/corpus/$name"/* | wc -c) bytes"
      [ -f "$campaign/$name.log" ] && coverage_growth "$campaign/$name.log"
    done
    ;;
  run)
    build_fuzzers
    for name in "${names[@]}"; do run_target "$name"; done
    ;;
  merge)
    build_fuzzers
    for name in "${names[@]}"; do merge_target "$name"; done
    ;;
esac
