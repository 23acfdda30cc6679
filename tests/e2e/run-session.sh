#!/usr/bin/env bash
# Runs one end-to-end session of the host simulator under Wine and compares
# its transcript with the expected one.
#
# Usage: run-session.sh HOSTSIM_EXE SESSION_FILE EXPECTED_FILE [DB_SQL]
#
# The session runs in a fresh folder: the host's folder host/ holds a copy of
# HOSTSIM_EXE named after the session (so the plug-in's registry key,
# Software\<session name>, is the session's own) and a copy of the Plugins
# folder found beside HOSTSIM_EXE; a folder SESSION.files/ beside the session
# (e.g. SESSION.files/Plugins/qx-qy.dom) is copied over host/, symbolic links
# followed (so a session can use the files of samples/). DB_SQL, when given,
# is run by the sqlite3 shell to make log.db in the session's folder, which is
# the current folder, so the script opens it with "db log.db". A file
# SESSION.dpi beside the session holds a screen density (pixels per inch):
# the session then runs in a throwaway prefix of its own, whatever
# WINEPREFIX says, whose LogPixels is set to it before the host starts, so
# the screen reports it to the plug-in.
#
# The transcript (CR removed) plus a last line "exit: CODE" must equal
# EXPECTED_FILE; on a difference the diff and Wine's error output are shown.
# With QXQY_UPDATE_EXPECTED=1 the transcript is written to EXPECTED_FILE
# instead (review it before committing). Without WINEPREFIX set the script
# runs itself inside a throwaway prefix (tests/wine/run-in-prefix.sh), made
# from the template QXQY_WINE_TEMPLATE or ~/.cache/qxqy/wine-template.
#
# A BMP file the session saves in its folder ("screenshot NAME.bmp") is kept
# as NAME.png, the black desktop around the windows cut away, in the folder
# QXQY_SESSION_PICTURES when that is set (CTest sets it); otherwise it goes
# with the session's folder.
set -uo pipefail

if [ $# -lt 3 ] || [ $# -gt 4 ]; then
  echo "usage: $0 HOSTSIM_EXE SESSION_FILE EXPECTED_FILE [DB_SQL]" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
# A session at another screen density changes its prefix's registry, so it
# always runs in a throwaway prefix (and X server) of its own: sessions that
# share a prefix never see its density.
if [ -f "${2%.session}.dpi" ] && [ -z "${QXQY_SESSION_OWN_PREFIX:-}" ]; then
  export QXQY_SESSION_OWN_PREFIX=1
  unset WINEPREFIX
fi
# shellcheck source=../wine/in-prefix.sh
source "$here/../wine/in-prefix.sh" "$0" "$@"

hostsim=$(realpath "$1")
session=$(realpath "$2")
expected=$(realpath -m "$3")
sql=${4:+$(realpath "$4")}
name=$(basename "$session" .session)

work=$(mktemp -d "${TMPDIR:-/tmp}/qxqy-session.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/host/Plugins"
cp "$hostsim" "$work/host/$name.exe"
if [ -d "$(dirname "$hostsim")/Plugins" ]; then
  cp -a "$(dirname "$hostsim")/Plugins/." "$work/host/Plugins/"
fi
if [ -d "${session%.session}.files" ]; then
  cp -RL "${session%.session}.files/." "$work/host/"
fi
cp "$session" "$work/session.txt"
if [ -n "$sql" ] && ! sqlite3 "$work/log.db" < "$sql"; then
  echo "session $name: cannot build the database from $sql" >&2
  exit 1
fi

dpi_file="${session%.session}.dpi"
dpi=
if [ -f "$dpi_file" ]; then
  dpi=$(tr -d ' \t\r\n' <"$dpi_file")
  if ! [[ "$dpi" =~ ^[1-9][0-9]{1,2}$ ]]; then
    echo "session $name: $dpi_file does not hold a density from 10 to 999" >&2
    exit 1
  fi
fi
# A program reads the screen density when it starts, so it is set before.
if [ -n "$dpi" ] && ! wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d "$dpi" /f >/dev/null 2>&1; then
  echo "session $name: cannot set the screen density $dpi" >&2
  exit 1
fi

cd "$work" || exit 1
timeout -k 5 "${QXQY_SESSION_TIMEOUT:-120}" wine "host/$name.exe" session.txt >out.raw 2>err.txt
code=$?
{
  tr -d '\r' <out.raw
  echo "exit: $code"
} >actual.txt

if [ -n "${QXQY_SESSION_PICTURES:-}" ]; then
  mkdir -p "$QXQY_SESSION_PICTURES"
  for picture in "$work"/*.bmp; do
    [ -f "$picture" ] || continue
    # The full path: another "convert" may come first on PATH.
    if ! /usr/bin/convert "$picture" -trim +repage -bordercolor black -border 16 \
         "$QXQY_SESSION_PICTURES/$(basename "$picture" .bmp).png"; then
      echo "session $name: cannot keep the picture $(basename "$picture")" >&2
      exit 1
    fi
  done
fi

if [ "${QXQY_UPDATE_EXPECTED:-0}" = 1 ]; then
  cp actual.txt "$expected"
  echo "session $name: wrote $expected"
  exit 0
fi
if diff -u "$expected" actual.txt >diff.txt 2>&1; then
  echo "session $name: transcript as expected"
  exit 0
fi
echo "session $name: transcript differs from $expected"
cat diff.txt
if [ -s err.txt ]; then
  echo "--- Wine's error output:"
  tail -n 40 err.txt
fi
exit 1
