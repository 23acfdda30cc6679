#!/usr/bin/env bash
# The command-line scorer replays a log through the contest engine alone:
# it must not contain any code of the windows or the component framework.
#   check-no-window-code.sh SCORER
set -uo pipefail
classes='Form|Control|Component|Application|StringGrid|Button|ToggleButton|ListView|Label|Panel|FormStorage|TfmMainForm|TfmDomList'
hits=$(nm -C "$1" | grep -E " qxqy::(${classes})(::|<| )" | head -n 10)
if [ -n "$hits" ]; then
  echo "the scorer holds window or widget code:"
  echo "$hits"
  exit 1
fi
echo "no window or widget code in $(basename "$1")"
