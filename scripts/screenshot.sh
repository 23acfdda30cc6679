#!/usr/bin/env bash
# Saves a picture of the whole X display $DISPLAY as a PNG file, e.g. inside
# tests/wine/run-in-prefix.sh while a session waits at "screenshot-ready".
#
# Usage: screenshot.sh OUT.png
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUT.png" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "screenshot: DISPLAY is not set" >&2
  exit 2
fi
# The full path: another "convert" may come first on PATH.
xwd -root -silent | /usr/bin/convert xwd:- "png:$1"
