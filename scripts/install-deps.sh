#!/usr/bin/env bash
# Installs the Debian packages that one or more jobs need, for example
#   install-deps.sh demo       what scripts/demo.sh needs and no more
#   install-deps.sh            everything (the group "all")
# Groups:
#   demo     build the Windows half (DLL and host simulator) and play a session
#            under Wine on a private X server, with its picture
#   package  build the DLL and write the Windows package (scripts/package.sh)
#   test     everything scripts/test.sh runs: native and Windows builds, the Wine
#            suites, the results site in a headless browser, sanitizers,
#            fuzzers, static analysis
#   all      every group above, and the tools of the other scripts (coverage,
#            benchmarks, scripts/screenshot.sh)
# Safe to run again: packages already present are skipped, and apt is not
# touched at all when nothing is missing.
set -euo pipefail

usage() {
  echo "usage: $0 [demo|package|test|all]..." >&2
  exit 2
}

# The parts the groups are made of.
cross_build=(cmake make g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
# The Windows half is configured with its tests (it shares build/win32 with
# scripts/test.sh), which needs GoogleTest's sources.
cross_test_sources=(googletest)
wine_session=(wine wine32:i386 fonts-wine libodbc2:i386 libsqliteodbc:i386 xvfb sqlite3)
demo_picture=(imagemagick)
package_writing=(python3)
native_build=(g++ libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev)
checks=(git clang libclang-rt-14-dev clang-format-14 clang-tidy cppcheck time)
# The results site opened in headless Chromium (tests/site/browser-check.sh).
browser_check=(chromium python3)
other_tools=(gcovr xauth x11-apps xdotool)

packages=()
add_group() {
  case "$1" in
    demo) packages+=("${cross_build[@]}" "${cross_test_sources[@]}" "${wine_session[@]}"
                     "${demo_picture[@]}") ;;
    package) packages+=("${cross_build[@]}" "${package_writing[@]}") ;;
    test) packages+=("${cross_build[@]}" "${cross_test_sources[@]}" "${wine_session[@]}"
                     "${package_writing[@]}" "${native_build[@]}" "${checks[@]}"
                     "${browser_check[@]}") ;;
    all) for group in demo package test; do add_group "$group"; done
         packages+=("${other_tools[@]}") ;;
    *) echo "install-deps: unknown group '$1'" >&2
       usage ;;
  esac
}

if [ $# -eq 0 ]; then set -- all; fi
for group in "$@"; do add_group "$group"; done

missing=()
for pkg in $(printf '%s\n' "${packages[@]}" | sort -u); do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present ($*)"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
  ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
