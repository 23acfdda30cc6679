#!/usr/bin/env bash
# Runs COMMAND in a throwaway copy of the Wine prefix TEMPLATE_DIR (made by
# make-prefix.sh) under a private Xvfb server, then stops that prefix's
# wineserver and the X server and removes the copy. Exits with COMMAND's exit
# code. The template itself is never written to (the copy is a real copy:
# wineserver rewrites the registry files in place).
#
# COMMAND sees WINEPREFIX, DISPLAY, WINEDEBUG=-all and QXQY_WINE_TEMPLATE.
#
# Usage: run-in-prefix.sh TEMPLATE_DIR COMMAND [ARG...]
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 TEMPLATE_DIR COMMAND [ARG...]" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
# shellcheck source=xvfb.sh
source "$here/xvfb.sh"

template=$(realpath -m "$1")
shift
if [ ! -f "$template/.qxqy-prefix-complete" ]; then
  echo "run-in-prefix: no complete Wine prefix at $template (make it with make-prefix.sh)" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/qxqy-wine.XXXXXX")
cleanup() {
  if [ -d "$work/prefix" ]; then WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; fi
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cp -a "$template" "$work/prefix"
xvfb_start || exit 1
export WINEPREFIX="$work/prefix"
export QXQY_WINE_TEMPLATE="$template"
# No persistent wineserver (-p): Wine's background services (winedevice,
# explorer) inherit the standard output of the program that started them and
# live as long as the server does, so a test runner reading that output would
# wait for ever. Without -p they end with the server after the last program.
# Start Wine's own background programs now, detached from our output: a
# program started by COMMAND would otherwise hand them COMMAND's pipes, and
# a caller that waits for those to close (ctest) would wait for ever.
wine cmd /c exit </dev/null >/dev/null 2>&1

"$@"
exit $?
