#!/usr/bin/env bash
# Copies the files git would commit from the checkout ROOT into DEST: the
# tracked ones (as they are in the working tree, changes included) and the new
# ones not ignored. No build folder, no .git.
#
# Usage: copy-sources.sh ROOT DEST
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 ROOT DEST" >&2
  exit 2
fi
root=$1
mkdir -p "$2"
git -C "$root" ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do
    if [ -e "$root/$file" ]; then printf '%s\0' "$file"; fi
  done |
  tar -C "$root" --null -T - -cf - | tar -C "$2" -xf -
