#!/usr/bin/env bash
# Makes a 32-bit Wine prefix at TEMPLATE_DIR, once: the template that
# run-in-prefix.sh copies for every test run. Does nothing when a complete
# template is there already; a half-made one (an interrupted earlier run) is
# made again. Parallel callers wait on a lock beside the template, and the
# prefix is built under another name and renamed into place when complete.
#
# Usage: make-prefix.sh TEMPLATE_DIR
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 TEMPLATE_DIR" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
# shellcheck source=xvfb.sh
source "$here/xvfb.sh"

template=$(realpath -m "$1")
marker="$template/.qxqy-prefix-complete"
mkdir -p "$(dirname "$template")"

exec 9>"$template.lock"
flock 9

if [ -f "$marker" ]; then
  echo "make-prefix: $template is ready"
  exit 0
fi

started_ms=$(($(date +%s%N) / 1000000))
staging=$(mktemp -d "$template.staging.XXXXXX")
cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
  xvfb_stop
  rm -rf "$staging"
}
trap cleanup EXIT

xvfb_start
export WINEPREFIX="$staging"
wineboot -i >/dev/null 2>&1
# Without a window manager Wine must draw the frames and caption bars itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Let wineboot's work finish and the registry reach the disk, inside the X
# session: killing the server now would leave the prefix half-initialised.
wineserver -w
# Wine does not load its own fonts from the system folder by itself.
ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

touch "$staging/.qxqy-prefix-complete"
unset WINEPREFIX
rm -rf "$template"
mv "$staging" "$template"
xvfb_stop
trap - EXIT

echo "make-prefix: made $template in $(($(date +%s%N) / 1000000 - started_ms)) ms"
