#!/usr/bin/env bash
# Checks a built QXQYDXContest.dll for what a shipped DLL must be:
#   - exactly the six entry points, by name, at ordinals 1 to 6 (the host
#     may bind them by ordinal), in an export table whose module name is
#     QXQYDXContest (no ".dll"),
#   - no import of a MinGW runtime DLL (a user's machine does not have them),
#   - stripped: no symbol table, no debug sections,
#   - the version resource: FILEVERSION and PRODUCTVERSION VERSION.0, and
#     the strings "FileVersion" and "ProductVersion" VERSION,
#   - the PE link time stamp SOURCE_DATE_EPOCH (from the environment), or 0,
#   - no path of the machine that built it: neither SOURCE_DIR nor BUILD_DIR,
#     the folders it was built from and in.
# Prints every failed check and exits with 1 when there is one.
#
# Usage: check-dll.sh DLL VERSION SOURCE_DIR BUILD_DIR
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 DLL VERSION SOURCE_DIR BUILD_DIR" >&2
  exit 2
fi
dll=$(realpath "$1")
version=$2
build_paths=("$(realpath "$3")" "$(realpath -m "$4")")
objdump=i686-w64-mingw32-objdump
failures=0

fail() {
  echo "check-dll: $dll: $*" >&2
  failures=$((failures + 1))
}

# Unsigned little-endian integer of `size` bytes at `offset`.
read_uint() {
  od -An -t "u$2" -j "$1" -N "$2" "$dll" | tr -d ' '
}

headers=$("$objdump" -p "$dll")

# The name table lists "[ordinal-1] name", alphabetically.
expected_exports=$'1 _GrabNumber\n2 _Release\n3 _GetScore\n4 _AddQSO\n5 _Run\n6 _GetInfo'
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
  sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' |
  awk '{ print $1 + 1, $2 }' | sort -n)
if [ "$exports" != "$expected_exports" ]; then
  fail "exports (ordinal name) are"$'\n'"$exports"$'\n'"instead of"$'\n'"$expected_exports"
fi
if ! grep -q 'Export Address Table -- Ordinal Base 1$' <<<"$headers"; then
  fail "the export ordinals do not start at 1"
fi

module_name=$(sed -n 's/^Name[[:space:]]*[0-9a-fA-F]* \(.*\)$/\1/p' <<<"$headers")
if [ "$module_name" != "QXQYDXContest" ]; then
  fail "the export table's module name is \"$module_name\" instead of \"QXQYDXContest\""
fi

runtime_imports=$(grep -oiE 'DLL Name: (libwinpthread|libstdc\+\+|libgcc)[^ ]*' <<<"$headers" || true)
if [ -n "$runtime_imports" ]; then
  fail "imports a MinGW runtime DLL: $runtime_imports"
fi

if ! "$objdump" -t "$dll" | grep -q 'no symbols'; then
  fail "has a symbol table (not stripped)"
fi
if "$objdump" -h "$dll" | grep -q '\.debug'; then
  fail "has debug sections"
fi

# VS_FIXEDFILEINFO follows its signature 0xFEEF04BD: the structure version,
# then FILEVERSION a,b,c,d as two little-endian DWORDs a.b and c.d, that is
# the 16-bit words b, a, d, c; then PRODUCTVERSION the same way.
IFS=. read -r major minor patch <<<"$version"
signature_at=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$dll" | head -n1 | cut -d: -f1)
if [ -z "$signature_at" ]; then
  fail "has no version resource"
else
  # shellcheck disable=SC2046
  set -- $(od -An -t u2 -j $((signature_at + 8)) -N 16 "$dll")
  file_version="$2.$1.$4.$3"
  product_version="$6.$5.$8.$7"
  for field in "FILEVERSION $file_version" "PRODUCTVERSION $product_version"; do
    if [ "${field#* }" != "$major.$minor.$patch.0" ]; then
      fail "version resource: $field instead of $major.$minor.$patch.0"
    fi
  done
fi
# The resource's strings are UTF-16: each name is followed by its value.
resource_strings=$(strings -a -el "$dll")
for name in FileVersion ProductVersion; do
  value=$(grep -x -A1 "$name" <<<"$resource_strings" | sed -n 2p)
  if [ "$value" != "$version" ]; then
    fail "version resource: \"$name\" is \"$value\" instead of \"$version\""
  fi
done

pe_header_at=$(read_uint 60 4)
stamp=$(read_uint $((pe_header_at + 8)) 4)
if [ "$stamp" != "${SOURCE_DATE_EPOCH:-0}" ]; then
  fail "link time stamp $stamp instead of ${SOURCE_DATE_EPOCH:-0} (SOURCE_DATE_EPOCH or 0)"
fi

all_strings=$( (strings -a "$dll"; strings -a -el "$dll") )
for path in "${build_paths[@]}"; do
  if grep -qF "$path" <<<"$all_strings"; then
    fail "holds the build path $path"
  fi
done

if [ "$failures" -ne 0 ]; then
  exit 1
fi
echo "check-dll: $dll: module QXQYDXContest, six exports at ordinals 1-6, stripped, version $version, time stamp $stamp"
