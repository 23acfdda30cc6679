#!/usr/bin/env bash
# A random sample of one-line mutations of the product, each tried against
# the native test suite (by hand; not part of CI; docs/robustness.md):
#   1. lists every mutation site in the chosen product folders (by default
#      records refdata scoring ui domlist MainForm Plugin base; not tests,
#      their support files, test doubles or fixtures, and not the win32/
#      backends, which the native suite never compiles): a statement line
#      dropped, a boolean literal flipped, a comparison flipped (== and !=,
#      < and <=, > and >=), an integer literal moved by one;
#   2. picks --sites of them at random with --seed, so a run is repeatable
#      (the same seed on the same sources picks the same sites);
#   3. for each: copies the file aside, writes the mutant, rebuilds the
#      native test targets incrementally (--build, build-native/ by default),
#      runs the native CTest suite up to its first failure, records caught
#      (by that test) / survived / build failed,
#      and puts the file back. A trap puts it back however the run ends; a
#      run killed outright is repaired by the next one, which finds the copy.
# Prints one line per site and the share caught among the mutants that
# built; the same goes to <build>/mutation-sample.txt.
#
#   bash scripts/mutation-sample.sh [--sites N] [--seed S] [--build DIR] [--list] [--only I,J]
#                                   [--folders "A B ..."] [--folder A]... [--tests REGEX]
#
# --folders replaces the folder list (paths from the project's root, e.g.
# "logfile tools/score"); --folder adds one folder to a list that starts
# empty, and may be given again. A folder that does not exist is an error.
# --list prints the chosen sites and mutants without building anything;
# --only tries only the sites of the sample with those numbers (the survivors
# of an earlier run with the same sites and seed, say);
# --tests runs only the CTest entries that match REGEX (ctest -R) and builds
# only the programs they run: quicker per mutant, but a mutant another test
# would catch then counts as survived, so a figure to publish runs them all.
# QXQY_JOBS sets the build's parallelism (2); a test that runs longer than
# QXQY_TEST_TIMEOUT seconds (60) counts as a failure, so a mutant that loops
# is caught.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

sites=50
seed=1
build=build-native
list_only=0
only=""
folders="records refdata scoring ui domlist MainForm Plugin base"
added_folders=""
tests_regex=""
usage="usage: $0 [--sites N] [--seed S] [--build DIR] [--list] [--only I,J] [--folders \"A B\"] [--folder A]... [--tests REGEX]"
while (($#)); do
  case "$1" in
    --sites) sites="$2"; shift 2 ;;
    --seed) seed="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --list) list_only=1; shift ;;
    --only) only=",$2,"; shift 2 ;;
    --folders) folders="$2"; shift 2 ;;
    --folder) added_folders+=" $2"; shift 2 ;;
    --tests) tests_regex="$2"; shift 2 ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
done
jobs="${QXQY_JOBS:-2}"
test_timeout="${QXQY_TEST_TIMEOUT:-60}"
[[ -z "$added_folders" ]] || folders="$added_folders"
read -r -a folder_list <<<"$folders"
((${#folder_list[@]})) || { echo "no folder to draw from" >&2; exit 2; }
for folder in "${folder_list[@]}"; do
  [[ -d "$folder" ]] || { echo "no folder $folder in $root" >&2; exit 2; }
done

# Finds the sites, picks the sample and writes one mutant. Subcommands:
#   plan <root> <seed> <count> <plan file> <folders...>
#   apply <root> <plan file> <index>
# A plan line: index, file, line number, operator, original, mutant,
# separated by the unit separator (0x1F) so that empty fields survive.
read -r -d '' helper <<'PY' || true
import json, random, re, sys
from pathlib import Path

SEP = "\x1f"
CMP_FLIP = {"==": "!=", "!=": "==", "<": "<=", "<=": "<", ">": ">=", ">=": ">"}
DECL = re.compile(
    r"^(?:(?:const|static|constexpr|inline|thread_local|unsigned|signed|mutable)\s+)*"
    r"[A-Za-z_][\w:]*(?:<[^;()]*>)?(?:\s*[*&]+\s*|\s+)(?:const\s+)?[*&]*\s*[A-Za-z_]\w*\s*[=({\[;]")
STATEMENT_WORDS = ("throw", "delete", "goto")


def is_product(path, rel):
    """Product code: not a test, a test's support file (reader_test_support.*),
    a test double or fixture (testing/ folders, *_fixture.h), nor a Win32
    backend (win32/ folders, *_win32.cpp)."""
    parts = rel.split("/")
    if path.suffix not in (".cpp", ".h") or "win32" in parts or "testing" in parts:
        return False
    stem = path.stem
    if stem.endswith(("_test", "_fixture", "_win32")) or "_test_" in stem:
        return False
    return True


def product_files(root, folders):
    seen = set()
    for folder in folders:
        for path in sorted((root / folder).rglob("*")):
            rel = path.relative_to(root).as_posix()
            if rel in seen or not is_product(path, rel):
                continue
            seen.add(rel)
            yield rel


def mask(lines):
    """Each line's code with string and character literals blanked and
    comments removed (same length), so operators and numbers are only
    found in code."""
    out, in_block = [], False
    for line in lines:
        code, i, quote = [], 0, None
        while i < len(line):
            c = line[i]
            if in_block:
                if line.startswith("*/", i):
                    in_block = False
                    code.append("  ")
                    i += 2
                    continue
                code.append(" ")
            elif quote:
                if c == "\\":
                    code.append("  ")
                    i += 2
                    continue
                if c == quote:
                    quote = None
                    code.append(c)
                else:
                    code.append(" ")
            elif line.startswith("//", i):
                break
            elif line.startswith("/*", i):
                in_block = True
                code.append("  ")
                i += 2
                continue
            elif c in "\"'":
                quote = c
                code.append(c)
            else:
                code.append(c)
            i += 1
        out.append("".join(code)[: len(line)])
    return out


def code_contexts(masked):
    """For each line, whether it lies directly inside a block of code (a
    function body, a lambda, a statement block) rather than a namespace, a
    class or an initialiser: only there is dropping a line a mutant."""
    stack, inside, pending = [], [], ""
    for code in masked:
        inside.append(bool(stack) and stack[-1] == "code")
        for c in code:
            if c == "{":
                words = set(re.findall(r"\w+", pending))
                if words & {"namespace", "extern"}:
                    kind = "namespace"
                elif words & {"class", "struct", "union", "enum"} and ")" not in pending:
                    kind = "type"
                elif re.search(r"[=,(]\s*$|^\s*$|return\s*$", pending) and ")" not in pending[-2:]:
                    kind = "init"
                else:
                    kind = "code"
                stack.append(kind)
                pending = ""
            elif c == "}":
                if stack:
                    stack.pop()
                pending = ""
            elif c == ";":
                pending = ""
            else:
                pending += c
        pending += " "
    return inside


def droppable(code, previous, in_code):
    text = code.strip()
    if not in_code or not text.endswith(";") or text.startswith(("case ", "default:", "}")):
        return False
    if text.count("(") != text.count(")") or text.count("{") != text.count("}"):
        return False
    if not previous.endswith((";", "{", "}", ":")):
        return False  # the end of a statement that began on an earlier line
    first = re.match(r"\w*", text).group(0)
    if first == "return" and text != "return;":
        return False  # a function without its result does not build
    if first not in STATEMENT_WORDS and DECL.match(text):
        return False  # a declaration: its uses would not build
    return True


def sites_of(root, rel, seed):
    lines = (root / rel).read_text(encoding="latin-1").split("\n")
    masked = mask(lines)
    inside = code_contexts(masked)
    previous = ""
    for number, (line, code) in enumerate(zip(lines, masked), start=1):
        text = code.strip()
        if not text or text.startswith("#"):
            continue
        spans = []
        for m in re.finditer(r"\b(true|false)\b", code):
            spans.append(("flip-bool", m.start(), m.end(), "false" if m.group() == "true" else "true"))
        for m in re.finditer(r"(?<= )(==|!=|<=|>=|<|>)(?= )", code):
            spans.append(("flip-compare", m.start(), m.end(), CMP_FLIP[m.group()]))
        for m in re.finditer(r"(?<![\w.'])\d+(?![\w.'])", code):
            value = int(m.group())
            step = random.Random(f"{seed}:{rel}:{number}:{m.start()}").choice((1, -1))
            moved = value + 1 if value == 0 else value + step
            spans.append(("move-int", m.start(), m.end(), str(moved)))
        for op, start, end, new in spans:
            yield (rel, number, op, line, line[:start] + new + line[end:])
        if droppable(code, previous, inside[number - 1]):
            indent = line[: len(line) - len(line.lstrip())]
            yield (rel, number, "drop-line", line, indent + "// (dropped)")
        previous = text


def plan(root, seed, count, plan_file, folders):
    sites = [s for rel in product_files(root, folders) for s in sites_of(root, rel, seed)]
    # Tried in the order drawn, so the first k results of a run cut short are
    # a random sample of k too.
    chosen = random.Random(int(seed)).sample(sites, min(int(count), len(sites)))
    with open(plan_file, "w", encoding="latin-1") as out:
        for index, (rel, number, op, before, after) in enumerate(chosen):
            out.write(SEP.join([str(index), rel, str(number), op, before, after]) + "\n")
    print(f"{len(sites)} sites in {len(list(product_files(root, folders)))} files; "
          f"{len(chosen)} chosen with seed {seed}")


def apply(root, plan_file, index):
    for entry in open(plan_file, encoding="latin-1").read().split("\n"):
        fields = entry.split(SEP)
        if fields[0] != index:
            continue
        rel, number, before, after = fields[1], int(fields[2]), fields[4], fields[5]
        path = root / rel
        lines = path.read_text(encoding="latin-1").split("\n")
        if lines[number - 1] != before:
            sys.exit(f"{rel}:{number} is not the line the plan was made from")
        lines[number - 1] = after
        path.write_text("\n".join(lines), encoding="latin-1")
        return
    sys.exit(f"no site {index} in the plan")


command = sys.argv[1]
if command == "plan":
    plan(Path(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5], sys.argv[6:])
elif command == "apply":
    apply(Path(sys.argv[2]), sys.argv[3], sys.argv[4])
PY

[[ "$build" == /* ]] || build="$root/$build"  # --build may be absolute
state="$build/mutation-sample"
mkdir -p "$state"
plan_file="$state/plan"
saved_copy="$state/original"
pending="$state/pending"  # names the file under mutation while one is

put_back() {
  if [[ -f "$pending" ]]; then
    cp "$saved_copy" "$root/$(cat "$pending")"  # a new time stamp: the next build compiles it again
    rm -f "$pending"
  fi
}
if [[ -f "$pending" ]]; then
  echo "putting back $(cat "$pending"), left mutated by an earlier run that was killed"
  put_back
fi
trap put_back EXIT
trap 'put_back; exit 130' INT TERM HUP

python3 -c "$helper" plan "$root" "$seed" "$sites" "$plan_file" "${folder_list[@]}"

if ((list_only)); then
  while IFS=$'\x1f' read -r index file line op before after; do
    printf '%3d %s:%s %s\n      - %s\n      + %s\n' "$index" "$file" "$line" "$op" \
      "$(sed 's/^ *//' <<<"$before")" "$(sed 's/^ *//' <<<"$after")"
  done <"$plan_file"
  exit 0
fi

[[ -f "$build/CMakeCache.txt" ]] || cmake --preset native -B "$build" >/dev/null
# The test targets: every executable the native CTest suite runs (the unit and
# fault test programs, the scorer its scripts drive).
select=()
[[ -z "$tests_regex" ]] || select=(-R "$tests_regex")
list_targets() {
  ctest --test-dir "$build" "${select[@]}" --show-only=json-v1 | python3 -c '
import json, os, sys
build = os.path.realpath(sys.argv[1])
names = set()
for test in json.load(sys.stdin)["tests"]:
    if "command" not in test:
        names.add("?")  # its program was never built: CTest cannot name it
    for arg in test.get("command", []):
        path = os.path.realpath(arg)
        if path.startswith(build + os.sep) and os.access(path, os.X_OK) and os.path.isfile(path):
            names.add(os.path.basename(path))
for name in sorted(names):
    print(name)' "$build"
}
mapfile -t targets < <(list_targets)
if ((${#targets[@]} == 0)) || [[ " ${targets[*]} " == *" ? "* ]]; then
  # A test program never built: the programs are known once they exist.
  echo "== full build of $build"
  cmake --build "$build" -j "$jobs" >"$state/build.log" 2>&1 ||
    { echo "the unmutated tree does not build; see $state/build.log" >&2; exit 1; }
  mapfile -t targets < <(list_targets)
fi
((${#targets[@]})) || { echo "no native test matches '$tests_regex'" >&2; exit 2; }

build_tests() { cmake --build "$build" -j "$jobs" --target "${targets[@]}" >"$state/build.log" 2>&1; }
# The first failing test decides: the rest of the suite is not run.
run_tests() {
  ctest --test-dir "$build" "${select[@]}" --timeout "$test_timeout" --stop-on-failure \
    >"$state/test.log" 2>&1
}

echo "== unmutated: build and run the native suite"
if ! build_tests || ! run_tests; then
  echo "the unmutated tree does not build or pass; see $state/build.log and $state/test.log" >&2
  exit 1
fi

report="$build/mutation-sample.txt"
: >"$report"
caught=0 survived=0 failed_build=0
while IFS=$'\x1f' read -r index file line op before after; do
  [[ -z "$only" || "$only" == *",$index,"* ]] || continue
  cp "$root/$file" "$saved_copy"
  echo "$file" >"$pending"
  python3 -c "$helper" apply "$root" "$plan_file" "$index"
  if ! build_tests; then
    result="build-failed"
    failed_build=$((failed_build + 1))
  elif run_tests; then
    result="SURVIVED"
    survived=$((survived + 1))
  else
    result="caught by $(grep -oE '[0-9]+ - [A-Za-z0-9_]+ \([A-Za-z ]+\)' "$state/test.log" |
      sed -E 's/^[0-9]+ - //; s/ \(.*//' | sort -u | paste -sd, -)"
    caught=$((caught + 1))
  fi
  put_back
  printf '%3d %s:%s %s: %s\n      - %s\n      + %s\n' "$index" "$file" "$line" "$op" "$result" \
    "$(sed 's/^ *//' <<<"$before")" "$(sed 's/^ *//' <<<"$after")" | tee -a "$report"
done <"$plan_file"

built=$((caught + survived))
share="n/a"
((built > 0)) && share="$((100 * caught / built))%"
summary="seed $seed, ${folder_list[*]}${tests_regex:+, tests $tests_regex}: $((built + failed_build)) mutants, $failed_build did not build;"
summary+=" of the $built that built, $caught caught and $survived survived: $share caught"
echo "$summary" | tee -a "$report"
