#!/usr/bin/env bash
# Builds what a Windows user downloads:
#   1. installs the packages that are missing, those this needs
#      (scripts/install-deps.sh package),
#   2. build-package/: the Windows build alone (the mingw-w64 toolchain file,
#      Release, tests and benchmarks off), only the DLL. Release is also what
#      the superbuild's Windows half (cmake/Win32Build.cmake) builds for the
#      unit and end-to-end tests, and the DLL is reproducible, so this DLL is
#      byte for byte the one those tests ran (scripts/test.sh checks it),
#   3. checks the DLL (tests/package/check-dll.sh: six exports at ordinals
#      1-6, stripped, version resource, time stamp, no build path),
#   4. dist/QXQYDXContest-<version>-win32.zip: the DLL, the two sample
#      reference files, README.txt (docs/user-guide.txt with CR LF) and
#      SHA256SUMS.txt; beside it the zip's own .sha256. The zip's bytes
#      depend only on the sources: fixed entry order, modes and time stamps,
#      no extra fields (cmake/write-reproducible-zip.py).
# Steps 2 to 4 are the build-package/ target dist_zip; incremental after the
# first time. SOURCE_DATE_EPOCH, when set, becomes the DLL's link time stamp
# (0 otherwise) and the time of every entry of the zip (the last commit's
# time otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh package

echo "== configuring build-package/ (the Windows build alone)"
cmake -S . -B build-package -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DQXQY_TESTS=OFF -DQXQY_BENCHMARKS=OFF \
      -DQXQY_DIST_DIR="$root/dist"

echo "== building and checking the DLL, writing dist/"
cmake --build build-package --target dist_zip -j"${QXQY_JOBS:-2}"
echo "The packaged DLL: build-package/Plugin/QXQYDXContest.dll"
