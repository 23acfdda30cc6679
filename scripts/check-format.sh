#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what clang-format 14
# makes of it (.clang-format), listing the files; `clang-format -i FILE`
# fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "check-format: clang-format is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if ! "$format" --dry-run --Werror "${sources[@]}" 2>/tmp/check-format.$$; then
  grep -oE '^[^:]+\.(cpp|h)' /tmp/check-format.$$ | sort -u | sed 's/^/not formatted: /' >&2
  rm -f /tmp/check-format.$$
  exit 1
fi
rm -f /tmp/check-format.$$
echo "format: ok (${#sources[@]} files)"
