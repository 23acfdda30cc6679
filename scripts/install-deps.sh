#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the demo and the
# benchmarks need. Safe to run again: packages already present are skipped,
# and apt is not touched at all when nothing is missing.
set -euo pipefail

native_packages=(
  cmake make g++ clang libclang-rt-14-dev git clang-format-14 clang-tidy cppcheck python3 gcovr
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  time
)
i386_packages=(
  wine wine32:i386 fonts-wine libodbc2:i386 libsqliteodbc:i386
)
x_packages=(
  xvfb xauth x11-apps imagemagick xdotool
)

missing=()
for pkg in "${native_packages[@]}" "${i386_packages[@]}" "${x_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
