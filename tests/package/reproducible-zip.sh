#!/usr/bin/env bash
# Writes the Windows package (cmake/MakeWindowsPackage.cmake, as the dist_zip
# target does) around one built DLL from two copies of this source tree that
# differ in everything the zip must not depend on: the folders' paths, the
# files' modes and modification times, the user's umask and time zone, and
# whether the time comes from SOURCE_DATE_EPOCH or from the last commit:
#   a/src            a git checkout whose one commit is dated EPOCH, umask 022,
#                    UTC, no SOURCE_DATE_EPOCH
#   elsewhere/b-src  no git, files 0600 and touched today, umask 077, a time
#                    zone 14 hours east, SOURCE_DATE_EPOCH=EPOCH
# The two zips must be byte-identical and written the reproducible way
# (tests/package/check-zip.py). Then: another SOURCE_DATE_EPOCH gives other
# entry times, one before 1980 gives the earliest zip date, and a copy that
# is no checkout without SOURCE_DATE_EPOCH fails with a clear message.
# Builds nothing: a few seconds.
#
# Usage: reproducible-zip.sh DLL VERSION [WORK_DIR]
# WORK_DIR (default: a temporary folder, removed afterwards) is emptied and
# keeps the copies, the packages and the logs.
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 DLL VERSION [WORK_DIR]" >&2
  exit 2
fi
dll=$(realpath "$1")
version=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -eq 3 ]; then
  work=$(realpath -m "$3")
  rm -rf "$work"
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/qxqy-reproducible-zip.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi

epoch=1700000000 # 2023-11-14 22:13:20 UTC
entries=(QXQYDXContest.dll README.txt qx-qy.dom qx-qy.txt SHA256SUMS.txt)
zip_name="QXQYDXContest-$version-win32.zip"
failures=0

fail() {
  echo "reproducible-zip: $*" >&2
  failures=$((failures + 1))
}

# package SOURCE_DIR OUT_DIR EPOCH_OR_EMPTY: writes OUT_DIR/dist/ from the
# sources of SOURCE_DIR (its package script included), log in OUT_DIR.log.
package() {
  cmake -DDLL="$dll" -DVERSION="$version" -DSOURCE_DIR="$1" -DSTAGE_DIR="$2/stage" \
        -DDIST_DIR="$2/dist" -DEPOCH="$3" -P "$1/cmake/MakeWindowsPackage.cmake" >"$2.log" 2>&1
}

# check_zip ZIP Y-M-D-h-m-s: the zip holds the entries, written reproducibly.
check_zip() {
  python3 "$here/check-zip.py" "$1" "$2" "${entries[@]}" || fail "$1 is not written reproducibly"
}

source_a="$work/a/src"
source_b="$work/elsewhere/b-src"
(
  umask 022
  "$here/copy-sources.sh" "$root" "$source_a"
  cd "$source_a"
  git init -q
  git add -A
  GIT_AUTHOR_DATE="@$epoch +0000" GIT_COMMITTER_DATE="@$epoch +0000" \
    git -c user.name=builder -c user.email=builder@example.invalid -c commit.gpgsign=false \
    commit -q -m "the sources"
)
(
  umask 077
  "$here/copy-sources.sh" "$root" "$source_b"
  find "$source_b" -type f -exec chmod go-rwx {} + -exec touch {} +
)

if ! (umask 022 && TZ=UTC package "$source_a" "$work/a" ""); then
  fail "packaging the checkout failed: $(tail -n 5 "$work/a.log")"
fi
if ! (umask 077 && TZ=XST-14 package "$source_b" "$work/b" "$epoch"); then
  fail "packaging the copy with SOURCE_DATE_EPOCH failed: $(tail -n 5 "$work/b.log")"
fi
[ "$failures" -eq 0 ] || exit 1

zip_a="$work/a/dist/$zip_name"
zip_b="$work/b/dist/$zip_name"
if ! cmp -s "$zip_a" "$zip_b"; then
  fail "the two packages differ:"$'\n'"$(cmp -l "$zip_a" "$zip_b" | head -n 10)"
fi
check_zip "$zip_a" 2023-11-14-22-13-20
check_zip "$zip_b" 2023-11-14-22-13-20
if ! cmp -s "$dll" <(python3 -c 'import sys, zipfile; sys.stdout.buffer.write(
    zipfile.ZipFile(sys.argv[1]).read("QXQYDXContest.dll"))' "$zip_a"); then
  fail "the packaged DLL is not $dll"
fi

# SOURCE_DATE_EPOCH wins over the commit; a zip date cannot be before 1980.
for case in "1800000000 2027-01-15-08-00-00" "0 1980-01-01-00-00-00"; do
  if package "$source_a" "$work/a-${case% *}" "${case% *}"; then
    check_zip "$work/a-${case% *}/dist/$zip_name" "${case#* }"
  else
    fail "packaging with SOURCE_DATE_EPOCH=${case% *} failed: $(tail -n 5 "$work/a-${case% *}.log")"
  fi
done

# Sources that are no checkout of their own, without SOURCE_DATE_EPOCH.
if package "$source_b" "$work/b-undated" ""; then
  fail "packaging sources that are no git checkout without SOURCE_DATE_EPOCH succeeded"
elif ! tr -s ' \n' '  ' <"$work/b-undated.log" |
  grep -q "Cannot date the package: $source_b is not a git checkout"; then
  fail "no clear message for undatable sources: $(tail -n 5 "$work/b-undated.log")"
fi

[ "$failures" -eq 0 ] || exit 1
echo "reproducible-zip: identical packages from two copies ($(sha256sum <"$zip_a" | cut -d' ' -f1))"
