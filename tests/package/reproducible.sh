#!/usr/bin/env bash
# Builds QXQYDXContest.dll twice from copies of this source tree in two
# different folders (different names and lengths; one build folder inside its
# source folder, one beside it), the way scripts/package.sh builds it, and
# checks that the two DLLs are byte-identical and pass tests/package/check-dll.sh.
# Then configures the second one again with SOURCE_DATE_EPOCH set and checks
# that the DLL is linked again with that time stamp. Only the DLL target is built, the two builds side
# by side with one job each.
#
# Usage: reproducible.sh VERSION [WORK_DIR]
# WORK_DIR (default: a temporary folder, removed afterwards) is emptied and
# keeps the builds and their logs.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 VERSION [WORK_DIR]" >&2
  exit 2
fi
version=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -eq 2 ]; then
  work=$(realpath -m "$2")
  rm -rf "$work"
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/qxqy-reproducible.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi

# configure_and_build SOURCE_DIR BUILD_DIR LOG: the package's configuration.
configure_and_build() {
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/toolchain-mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQXQY_TESTS=OFF -DQXQY_BENCHMARKS=OFF >"$3" 2>&1 &&
    cmake --build "$2" --target QXQYDXContest -j1 >>"$3" 2>&1
}

source_a="$work/a/src"
build_a="$source_a/build-package"
source_b="$work/second-checkout/QXQYDXContest-sources"
build_b="$work/second-checkout/out"
"$here/copy-sources.sh" "$root" "$source_a"
"$here/copy-sources.sh" "$root" "$source_b"

unset SOURCE_DATE_EPOCH
configure_and_build "$source_a" "$build_a" "$work/a.log" &
pid_a=$!
configure_and_build "$source_b" "$build_b" "$work/b.log" &
pid_b=$!
status=0
for side in "a $pid_a" "b $pid_b"; do
  if ! wait "${side#* }"; then
    tail -n 30 "$work/${side% *}.log" >&2
    echo "reproducible: build ${side% *} failed (log above)" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] || exit 1

dll_a="$build_a/Plugin/QXQYDXContest.dll"
dll_b="$build_b/Plugin/QXQYDXContest.dll"
if ! cmp -s "$dll_a" "$dll_b"; then
  echo "reproducible: the two builds differ in $(cmp -l "$dll_a" "$dll_b" | wc -l) bytes:" >&2
  diff <(i686-w64-mingw32-objdump -p "$dll_a") <(i686-w64-mingw32-objdump -p "$dll_b") |
    head -n 20 >&2 || true
  exit 1
fi
"$here/check-dll.sh" "$dll_a" "$version" "$source_a" "$build_a"
"$here/check-dll.sh" "$dll_b" "$version" "$source_b" "$build_b"

# A configure with SOURCE_DATE_EPOCH links the same objects again, with it as
# the time stamp.
export SOURCE_DATE_EPOCH=1700000000
configure_and_build "$source_b" "$build_b" "$work/b-epoch.log" || {
  tail -n 30 "$work/b-epoch.log" >&2
  exit 1
}
"$here/check-dll.sh" "$dll_b" "$version" "$source_b" "$build_b"
echo "reproducible: identical DLLs from two folders ($(sha256sum <"$dll_a" | cut -d' ' -f1))"
