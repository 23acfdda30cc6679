# Sourced (not run) at the top of a test script that needs a Wine prefix:
#   source "$here/../wine/in-prefix.sh" "$0" "$@"
# When WINEPREFIX is not set, re-runs the calling script with the same
# arguments inside a throwaway prefix (run-in-prefix.sh) made from the
# template QXQY_WINE_TEMPLATE or ~/.cache/qxqy/wine-template; otherwise
# returns and the script goes on in the prefix it was given.
if [ -z "${WINEPREFIX:-}" ]; then
  qxqy_wine_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  qxqy_template=${QXQY_WINE_TEMPLATE:-${XDG_CACHE_HOME:-$HOME/.cache}/qxqy/wine-template}
  "$qxqy_wine_dir/make-prefix.sh" "$qxqy_template" >/dev/null || exit 1
  qxqy_script=$(realpath "$1")
  shift
  exec "$qxqy_wine_dir/run-in-prefix.sh" "$qxqy_template" "$qxqy_script" "$@"
fi
