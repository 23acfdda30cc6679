# shellcheck shell=bash
# Shell functions (sourced, not run) that time the stages of a script and
# print where the time went:
#   stage_begin NAME     ends the running stage (if any) and starts NAME
#   stage_end            ends the running stage
#   stage_report         prints each stage's wall-clock time and the total
# A stage begun twice under the same name adds up.

stage_names=()
stage_millis=()
stage_running=""
stage_started_ms=0

stage_now_ms() {
  echo $(($(date +%s%N) / 1000000))
}

stage_end() {
  if [ -z "$stage_running" ]; then return 0; fi
  local elapsed=$(($(stage_now_ms) - stage_started_ms)) i
  for i in "${!stage_names[@]}"; do
    if [ "${stage_names[$i]}" = "$stage_running" ]; then
      stage_millis[i]=$((stage_millis[i] + elapsed))
      stage_running=""
      return 0
    fi
  done
  stage_names+=("$stage_running")
  stage_millis+=("$elapsed")
  stage_running=""
}

stage_begin() {
  stage_end
  stage_running=$1
  stage_started_ms=$(stage_now_ms)
}

# Seconds with one decimal from milliseconds.
stage_seconds() {
  printf '%d.%d s' $(($1 / 1000)) $((($1 % 1000) / 100))
}

stage_report() {
  stage_end
  local total=0 i
  echo "Where the time went:"
  for i in "${!stage_names[@]}"; do
    printf '  %-16s %10s\n' "${stage_names[$i]}" "$(stage_seconds "${stage_millis[$i]}")"
    total=$((total + stage_millis[i]))
  done
  printf '  %-16s %10s\n' "total" "$(stage_seconds "$total")"
}
