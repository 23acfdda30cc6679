#!/usr/bin/env bash
# The demo: the real plug-in DLL, driven by the host simulator under Wine,
# scores the sample contest log and a few contacts logged live, and shows its
# two windows.
#   1. installs the packages that are missing, only those the demo needs
#      (scripts/install-deps.sh demo),
#   2. configures build/win32, the Windows half of scripts/test.sh's build,
#      with the same arguments (cmake/Win32BuildArgs.cmake), and builds only
#      the DLL and the host simulator there (incremental after the first
#      time; scripts/test.sh later builds only the rest),
#   3. makes the Wine prefix template build/wine-template once (the test
#      suite uses the same one),
#   4. build/demo/: the sample log database made from samples/sample-log.sql,
#      and the host's folder host/ with the simulator and Plugins/ (the DLL
#      and the sample reference files),
#   5. runs samples/demo.session in a throwaway copy of that prefix under a
#      private X server, prints what the plug-in answered and its windows
#      showed, and saves the picture of both windows as
#      build/demo/screenshot.png,
#   6. prints where the time went.
# Stops at the first step that fails, with that step's output.
set -euo pipefail
cd "$(dirname "$0")/.."
# The physical path: the Windows half's cache must name the same source
# folder as the superbuild's, which CMake records without symbolic links.
root=$(pwd -P)
build="$root/build"
win32="$build/win32"
demo="$build/demo"
host="$demo/host"
# shellcheck source=scripts/lib/stage-timer.sh
source scripts/lib/stage-timer.sh

stage_begin "installs"
bash scripts/install-deps.sh demo

stage_begin "build"
echo "== building the DLL and the host simulator in build/win32/ (output in build/demo-build.log)"
mkdir -p "$build"
build_log="$build/demo-build.log"
if ! { mapfile -t win32_args < <(cmake -DSOURCE_DIR="$root" -DQXQY_TESTS=ON -DQXQY_WERROR=ON \
                                       -P cmake/Win32BuildArgs.cmake) &&
       [ "${#win32_args[@]}" -gt 0 ] &&
       cmake -S "$root" -B "$win32" "${win32_args[@]}" &&
       cmake --build "$win32" --target QXQYDXContest hostsim -j"${QXQY_JOBS:-2}"; } \
     >"$build_log" 2>&1; then
  tail -n 40 "$build_log"
  echo "demo: the build failed (whole output in $build_log)" >&2
  exit 1
fi

simulator="$win32/tools/hostsim/hostsim.exe"
plugin="$win32/Plugin/QXQYDXContest.dll"
for built in "$simulator" "$plugin"; do
  if [ ! -f "$built" ]; then
    echo "demo: the build did not make $built" >&2
    exit 1
  fi
done

stage_begin "Wine prefix"
echo "== Wine prefix"
tests/wine/make-prefix.sh "$build/wine-template"

stage_begin "session"
echo "== preparing build/demo/"
rm -rf "$host" "$demo/sample-log.db" "$demo/screenshot.bmp" "$demo/screenshot.png"
mkdir -p "$host/Plugins"
sqlite3 "$demo/sample-log.db" <samples/sample-log.sql
cp "$simulator" "$host/hostsim.exe"
cp "$plugin" samples/qx-qy.dom samples/qx-qy.txt "$host/Plugins/"

echo "== the session (samples/demo.session)"
# The session names its files relative to build/demo/: the database it opens
# and the screenshot it saves.
set +e
tests/wine/run-in-prefix.sh "$build/wine-template" \
  bash -c 'cd "$1" && wine host/hostsim.exe "$2"' demo "$demo" "$root/samples/demo.session" \
  >"$demo/transcript.raw" 2>"$demo/wine-errors.txt"
code=$?
set -e
tr -d '\r' <"$demo/transcript.raw" >"$demo/transcript.txt"
cat "$demo/transcript.txt"
if [ "$code" -ne 0 ]; then
  tail -n 40 "$demo/wine-errors.txt" >&2
  echo "demo: the session ended with exit code $code" >&2
  exit 1
fi
if [ ! -s "$demo/screenshot.bmp" ]; then
  echo "demo: the session saved no screenshot" >&2
  exit 1
fi

# The full path: another "convert" may come first on PATH. The black desktop
# around the windows is cut away, leaving a narrow border. Without its date
# chunks the picture's bytes depend only on what the windows showed.
/usr/bin/convert "$demo/screenshot.bmp" -trim +repage -bordercolor black -border 16 \
  -define png:exclude-chunks=date,time "$demo/screenshot.png"
rm -f "$demo/screenshot.bmp" "$demo/transcript.raw"

echo
echo "Transcript: build/demo/transcript.txt"
echo "Screenshot of both windows: build/demo/screenshot.png ($demo/screenshot.png)"

echo
stage_report
