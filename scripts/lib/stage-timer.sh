# shellcheck shell=bash
# Shell functions (sourced, not run) that time the stages of a script and
# print where the time went:
#   stage_begin NAME     ends the running stage (if any) and starts NAME
#   stage_end            ends the running stage
#   stage_report         prints each stage's wall-clock time, the processor
#                        time of the programs it ran, and the totals
# A stage begun twice under the same name adds up. The processor time counts
# the programs the script waited for and theirs (a compiler under make, for
# example), so on a machine shared with other work it shows what the stage
# itself cost while the wall-clock time grows with the others' load.

stage_names=()
stage_wall_ms=()
stage_cpu_ms=()
stage_running=""
stage_started_wall_ms=0
stage_started_cpu_ms=0

stage_now_ms() {
  echo $(($(date +%s%N) / 1000000))
}

# User and system time of this shell's finished children, in milliseconds,
# from /proc (read by the shell itself: a subshell would count its own).
stage_cpu_now_ms() {
  local fields
  read -r -a fields </proc/$$/stat
  # After "pid (comm)": cutime and cstime are fields 16 and 17, in ticks.
  local ticks_per_second=${STAGE_TICKS_PER_SECOND:=$(getconf CLK_TCK)}
  echo $(((fields[15] + fields[16]) * 1000 / ticks_per_second))
}

stage_end() {
  if [ -z "$stage_running" ]; then return 0; fi
  local wall=$(($(stage_now_ms) - stage_started_wall_ms))
  local cpu=$(($(stage_cpu_now_ms) - stage_started_cpu_ms))
  local i
  for i in "${!stage_names[@]}"; do
    if [ "${stage_names[$i]}" = "$stage_running" ]; then
      stage_wall_ms[i]=$((stage_wall_ms[i] + wall))
      stage_cpu_ms[i]=$((stage_cpu_ms[i] + cpu))
      stage_running=""
      return 0
    fi
  done
  stage_names+=("$stage_running")
  stage_wall_ms+=("$wall")
  stage_cpu_ms+=("$cpu")
  stage_running=""
}

stage_begin() {
  stage_end
  stage_running=$1
  stage_started_wall_ms=$(stage_now_ms)
  stage_started_cpu_ms=$(stage_cpu_now_ms)
}

# Seconds with one decimal from milliseconds.
stage_seconds() {
  printf '%d.%d s' $(($1 / 1000)) $((($1 % 1000) / 100))
}

stage_report() {
  stage_end
  local wall=0 cpu=0 i
  echo "Where the time went (wall clock, and processor time of the programs run):"
  for i in "${!stage_names[@]}"; do
    printf '  %-18s %10s %10s\n' "${stage_names[$i]}" "$(stage_seconds "${stage_wall_ms[$i]}")" \
      "$(stage_seconds "${stage_cpu_ms[$i]}")"
    wall=$((wall + stage_wall_ms[i]))
    cpu=$((cpu + stage_cpu_ms[i]))
  done
  printf '  %-18s %10s %10s\n' "total" "$(stage_seconds "$wall")" "$(stage_seconds "$cpu")"
}
