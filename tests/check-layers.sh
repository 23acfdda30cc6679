#!/usr/bin/env bash
# Checks the direction of dependencies between the layers and that no
# platform header is included above the framework's Windows backend.
#   check-layers.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 2

status=0
fail() {
  echo "$1"
  status=1
}

# The layers, bottom to top; a layer may include only itself and those below.
layers=(framework records refdata scoring domlist MainForm Plugin)
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

# Platform headers only in the Windows backend, the exports and the host simulator.
hits=$(git ls-files '*.h' '*.cpp' |
       grep -vE '^(framework/win32/|Plugin/exports_win32\.cpp|tools/hostsim/)' |
       xargs -r grep -nE '#include <(windows|winuser|wingdi|commctrl|ole2|oleauto|objbase)\.h>')
[ -n "$hits" ] && fail "a platform header outside framework/win32/:"$'\n'"$hits"

[ $status -eq 0 ] && echo "layers: ok"
exit $status
