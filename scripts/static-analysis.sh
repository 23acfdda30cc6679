#!/usr/bin/env bash
# Static analysis of the product's sources (base records refdata scoring logfile crosscheck ui
# domlist MainForm Plugin; the test tools and tests are left out), both
# backends:
#   clang-tidy with the checks of .clang-tidy: the portable and POSIX sources
#     from the native build's compile database, the Win32 sources from the
#     Windows build's, rewritten for clang (the i686-w64-mingw32 target, the
#     mingw-w64 C++ headers, gcc-only flags dropped);
#   cppcheck (warning, performance and portability checks) over the same.
# Any finding fails. Suppressions stand in the code with the reason beside
# them (NOLINT / cppcheck-suppress).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs="${QXQY_JOBS:-2}"

for tool in clang-tidy run-clang-tidy cppcheck i686-w64-mingw32-g++-posix; do
  if ! command -v "$tool" >/dev/null; then
    echo "static-analysis: $tool is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done

layers=(base records refdata scoring logfile crosscheck ui domlist MainForm Plugin)
mapfile -t sources < <(git ls-files "${layers[@]}" | grep -E '\.cpp$' | grep -vE '_test\.cpp$|/testing/')
native=()
windows=()
for source in "${sources[@]}"; do
  case "$source" in
    */win32/* | Plugin/exports_win32.cpp) windows+=("$root/$source") ;;
    *) native+=("$root/$source") ;;
  esac
done

echo "== configuring the compile databases"
cmake -S . -B build-analysis-native -DCMAKE_BUILD_TYPE=Debug -DQXQY_WIN32_BUILD=OFF \
      -DQXQY_TESTS=OFF -DQXQY_BENCHMARKS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake -S . -B build-analysis-windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DQXQY_TESTS=OFF -DQXQY_BENCHMARKS=OFF \
      -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The DLL's version resource is generated at configure time; nothing else is.

# The Windows database for clang: the mingw-w64 g++'s own C++ header folders
# and the target's C headers, the i686-w64-mingw32 target, and no gcc-only flag.
mkdir -p build-analysis-windows/clang
mapfile -t mingw_includes < <(echo | i686-w64-mingw32-g++-posix -E -x c++ - -v 2>&1 |
  sed -n '/#include <...> search starts here/,/End of search list/p' | grep '^ /' |
  grep -vE '/include(-fixed)?$' | sed 's/^ //')
python3 - "${mingw_includes[@]}" <<'PY'
import json, shlex, sys
includes = sys.argv[1:]
entries = json.load(open("build-analysis-windows/compile_commands.json"))
dropped = {"-mincoming-stack-boundary=2", "-Werror"}
out = []
for entry in entries:
    args = shlex.split(entry["command"])
    flags = [a for a in args[1:] if a not in dropped]
    system = [f for include in includes for f in ("-isystem", include)]
    out.append({"directory": entry["directory"], "file": entry["file"],
                "arguments": ["clang++", "--target=i686-w64-mingw32", "-nostdinc++"] + system + flags})
json.dump(out, open("build-analysis-windows/clang/compile_commands.json", "w"), indent=1)
PY

status=0
echo "== clang-tidy: portable and POSIX sources (${#native[@]} files)"
run-clang-tidy -quiet -j "$jobs" -p build-analysis-native "${native[@]}" >build-analysis-native/tidy.txt 2>&1 || status=1
echo "== clang-tidy: Win32 sources (${#windows[@]} files)"
run-clang-tidy -quiet -j "$jobs" -p build-analysis-windows/clang "${windows[@]}" \
  >build-analysis-windows/tidy.txt 2>&1 || status=1
for report in build-analysis-native/tidy.txt build-analysis-windows/tidy.txt; do
  if grep -qE '(warning|error):' "$report"; then
    grep -E '(warning|error):' "$report" | sed 's/\x1b\[[0-9;]*m//g' | sort -u
    status=1
  fi
done

echo "== cppcheck"
printf '%s\n' "${sources[@]}" >build-analysis-native/cppcheck-files.txt
cppcheck -q --std=c++17 --language=c++ --enable=warning,performance,portability \
  --inline-suppr --error-exitcode=1 -I. -DWIN32_LEAN_AND_MEAN \
  --file-list=build-analysis-native/cppcheck-files.txt || status=1

if [ $status -ne 0 ]; then
  echo "static-analysis: findings above" >&2
  exit 1
fi
echo "static-analysis: clean"
