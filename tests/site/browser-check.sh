#!/usr/bin/env bash
# Opens a results site in headless Chromium and checks what it rendered
# (check_site.py says what), leaving its screenshots in PICTURES_DIR:
#   browser-check.sh SITE_DIR PICTURES_DIR [--expect JSON] [--station stations/NAME.html]...
# Without Chromium the check is skipped (exit 77), unless QXQY_REQUIRE_BROWSER=1
# (scripts/test.sh sets it: CI installs Chromium and must run the check).
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 SITE_DIR PICTURES_DIR [check_site.py options]" >&2
  exit 2
fi
site=$1
pictures=$2
shift 2

browser=${QXQY_CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
if [ -z "$browser" ] || ! command -v python3 >/dev/null; then
  message="browser-check: Chromium or python3 is missing (scripts/install-deps.sh test installs them)"
  if [ "${QXQY_REQUIRE_BROWSER:-0}" = 1 ]; then
    echo "$message" >&2
    exit 1
  fi
  echo "$message; skipped" >&2
  exit 77
fi

exec python3 "$(dirname "$0")/check_site.py" --browser "$browser" --site "$site" \
  --pictures "$pictures" "$@"
