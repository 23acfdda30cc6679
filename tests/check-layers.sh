#!/usr/bin/env bash
# Checks the direction of dependencies between the layers, that the contest
# engine and the ui library build on base alone, and that no platform header
# is included outside the Windows backends.
#   check-layers.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 2

status=0
fail() {
  echo "$1"
  status=1
}

# The layers, bottom to top; a layer may include only itself and those below.
layers=(base records refdata scoring logfile crosscheck ui domlist MainForm Plugin)
for ((i = 0; i < ${#layers[@]}; i++)); do
  layer=${layers[$i]}
  above=("${layers[@]:$((i + 1))}")
  [ ${#above[@]} -eq 0 ] && continue
  pattern="#include \"($(IFS='|'; echo "${above[*]}"))/"
  # Production sources only: a test may bring in a higher layer as a fixture.
  hits=$(git ls-files "$layer" | grep -E '\.(h|cpp)$' | grep -vE '_test\.cpp$|/testing/' |
         xargs -r grep -nE "$pattern")
  [ -n "$hits" ] && fail "$layer includes a layer above it:"$'\n'"$hits"
done

# The ui library sits above the engine in the list only to keep it below the
# windows: it builds on base alone.
hits=$(git ls-files ui | grep -E '\.(h|cpp)$' |
       xargs -r grep -nE '#include "(records|refdata|scoring)/')
[ -n "$hits" ] && fail "ui includes the contest engine:"$'\n'"$hits"

# The log-file checker and the contest check sit beside the windows, not
# under them: only the tools, benchmarks and fuzzers use them.
hits=$(git ls-files ui domlist MainForm Plugin | grep -E '\.(h|cpp)$' |
       xargs -r grep -nE '#include "(logfile|crosscheck)/')
[ -n "$hits" ] && fail "a window or the plug-in includes the log-file checker:"$'\n'"$hits"

# The contest check includes no window code.
hits=$(git ls-files crosscheck | grep -E '\.(h|cpp)$' |
       xargs -r grep -nE '#include "(ui|domlist|MainForm|Plugin)/')
[ -n "$hits" ] && fail "the contest check includes window code:"$'\n'"$hits"

# The results site knows only its own view model: base and itself, never the
# checker that fills it (crosscheck/site_view does, from above).
hits=$(git ls-files crosscheck/site | grep -E '\.(h|cpp)$' | grep -vE '_test\.cpp$' |
       xargs -r grep -nE '#include "' | grep -vE '#include "(base|crosscheck/site)/')
[ -n "$hits" ] && fail "the results site includes more than base and itself:"$'\n'"$hits"

# Platform headers only in the Windows backends, the exports and the host simulator.
hits=$(git ls-files '*.h' '*.cpp' |
       grep -vE '^(base/win32/|ui/win32/|Plugin/exports_win32\.cpp|tools/hostsim/)' |
       xargs -r grep -nE '#include <(windows|winuser|wingdi|commctrl|ole2|oleauto|objbase)\.h>')
[ -n "$hits" ] && fail "a platform header outside the Windows backends:"$'\n'"$hits"

[ $status -eq 0 ] && echo "layers: ok"
exit $status
