#!/usr/bin/env bash
# Checks the log-file checker against the real plug-in: the native scorer
# scores a log file (qxqy-score --log), then the host simulator passes the
# very contacts the scorer gave its engine to the plug-in under Wine, one
# _GetScore and one _AddQSO each, with each contact's own fields. Each answer
# must equal the points the scorer's engine gave that contact, and the
# window's grid and score line must equal the scorer's.
#
# Usage: log-proof.sh SCORER HOSTSIM_EXE PLUGINS_DIR COUNTRY_FILE LOG...
#   SCORER        the native qxqy-score
#   HOSTSIM_EXE   the host simulator, with Plugins/QXQYDXContest.dll beside it
#   PLUGINS_DIR   the reference files (qx-qy.dom, qx-qy.txt): the scorer's
#                 --plugins folder, copied into the host's Plugins folder
#   COUNTRY_FILE  the scorer's --cty file
#   LOG           a log file to check, or generated:COUNT for a Cabrillo log
#                 of COUNT contacts written by generate-cabrillo.py
# Every log is checked (in one Wine prefix) and each difference is shown;
# the exit code is 1 when any log failed.
#
# The session is made by contacts-to-session.py from the scorer's
# --dump-contacts output; the host's log table is empty, so the window's first
# recalculation adds nothing. Without WINEPREFIX set the script runs itself
# inside a throwaway prefix (tests/wine/run-in-prefix.sh), made from the
# template QXQY_WINE_TEMPLATE or ~/.cache/qxqy/wine-template.
set -uo pipefail

if [ $# -lt 5 ]; then
  echo "usage: $0 SCORER HOSTSIM_EXE PLUGINS_DIR COUNTRY_FILE LOG..." >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../wine/in-prefix.sh
source "$here/../wine/in-prefix.sh" "$0" "$@"

scorer=$(realpath "$1")
hostsim=$(realpath "$2")
plugins=$(realpath "$3")
countries=$(realpath "$4")
shift 4

work=$(mktemp -d "${TMPDIR:-/tmp}/qxqy-log-proof.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Scores LOG natively into $dir: text.txt (grid, score line, claimed score)
# and dump.txt (the contacts as passed to the engine). Exit 1 from the scorer
# only says that its checker reported something.
score_log() {
  local log=$1 dir=$2 output code
  for output in text dump; do
    local options=()
    [ "$output" = dump ] && options=(--dump-contacts)
    (cd "$(dirname "$log")" &&
      "$scorer" --log "$log" --plugins "$plugins" --cty "$countries" "${options[@]}") \
      >"$dir/$output.txt" 2>"$dir/$output.err"
    code=$?
    if [ "$code" -gt 1 ]; then
      echo "the scorer failed (exit $code): $(head -n 3 "$dir/$output.err")"
      return 1
    fi
  done
}

# Passes the contacts of $dir/dump.txt to the plug-in; the transcript is
# $dir/out.txt, Wine's error output $dir/err.txt.
run_session() {
  local dir=$1 code
  "$here/contacts-to-session.py" "$dir/dump.txt" >"$dir/session.txt" || return 1
  mkdir -p "$dir/host/Plugins"
  cp "$hostsim" "$dir/host/logproof.exe"
  cp -a "$(dirname "$hostsim")/Plugins/." "$dir/host/Plugins/"
  local file
  for file in qx-qy.dom qx-qy.txt; do
    if [ -f "$plugins/$file" ]; then cp "$plugins/$file" "$dir/host/Plugins/"; fi
  done
  sqlite3 "$dir/log.db" \
    "CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT,
                        WPX TEXT);" || return 1
  (cd "$dir" && timeout -k 5 "${QXQY_SESSION_TIMEOUT:-120}" wine host/logproof.exe session.txt \
    >out.raw 2>err.txt)
  code=$?
  tr -d '\r' <"$dir/out.raw" >"$dir/out.txt"
  if [ "$code" -ne 0 ]; then
    echo "the session ended with exit code $code:"
    tail -n 10 "$dir/out.txt"
    tail -n 10 "$dir/err.txt"
    return 1
  fi
}

# Compares the transcript $dir/out.txt with the scorer's results; prints each
# difference and returns 1 when there is one.
compare() {
  local dir=$1 result=0
  # Nothing but the answers and the final looks: an error box, an ABI report
  # or a failed statement would show up here.
  local unexpected
  unexpected=$(grep -v -E '^((get-score|add-qso): (-1|1|3)|show (grid|score): .*|run: handle new|release: returned)$' \
    "$dir/out.txt" | head -n 5)
  if [ -n "$unexpected" ]; then
    echo "unexpected lines in the transcript:"$'\n'"$unexpected"
    result=1
  fi

  # Each contact's preview and logging answers beside the scorer's points.
  cut -f 1,2,10 "$dir/dump.txt" >"$dir/points.txt"
  awk '/^get-score: / { preview = $2 } /^add-qso: / { print preview "\t" $2 }' "$dir/out.txt" \
    >"$dir/answers.txt"
  local contacts answered mismatches
  contacts=$(wc -l <"$dir/dump.txt")
  answered=$(wc -l <"$dir/answers.txt")
  if [ "$contacts" -eq 0 ]; then
    echo "the scorer passed no contact to its engine: nothing to compare"
    result=1
  fi
  if [ "$answered" -ne "$contacts" ]; then
    echo "$answered contacts answered, the scorer scored $contacts"
    result=1
  fi
  mismatches=$(paste "$dir/points.txt" "$dir/answers.txt" | awk -F'\t' '$3 != $5 || $4 != $5 {
    printf "line %s (%s): scorer %s, plug-in get-score %s add-qso %s\n", $1, $2, $3, $4, $5 }')
  if [ -n "$mismatches" ]; then
    echo "answers differ from the scorer's points:"$'\n'"$(head -n 10 <<<"$mismatches")"
    result=1
  fi

  # The window's grid (cells joined by |) and score line in the scorer's
  # form: cells separated by TABs, the line unquoted. The scorer's text
  # output begins with the same nine lines (a claimed score may follow).
  awk '/^show grid: / { sub(/^show grid: /, ""); gsub(/\|/, "\t"); print }
       /^show score: / { sub(/^show score: "/, ""); sub(/"$/, ""); print }' "$dir/out.txt" \
    >"$dir/window.txt"
  head -n 9 "$dir/text.txt" >"$dir/scorer.txt"
  if ! diff -u "$dir/scorer.txt" "$dir/window.txt" >"$dir/diff.txt"; then
    echo "the window differs from the scorer's output:"
    cat "$dir/diff.txt"
    result=1
  fi
  return $result
}

failed=0
number=0
for log in "$@"; do
  number=$((number + 1))
  dir=$work/$number
  mkdir -p "$dir"
  if [[ $log == generated:* ]]; then
    if ! "$here/generate-cabrillo.py" "${log#generated:}" >"$dir/generated.cbr"; then
      echo "log-proof $log: FAILED, the log cannot be generated"
      failed=1
      continue
    fi
    log=$dir/generated.cbr
  else
    log=$(realpath "$log")
  fi
  name=$(basename "$log")
  if score_log "$log" "$dir" >"$dir/findings.txt" && run_session "$dir" >>"$dir/findings.txt" &&
    compare "$dir" >>"$dir/findings.txt"; then
    echo "log-proof $name: $(wc -l <"$dir/dump.txt") contacts, the plug-in agrees:" \
      "$(tail -n 1 "$dir/scorer.txt")"
  else
    failed=1
    echo "log-proof $name: FAILED"
    sed 's/^/  /' "$dir/findings.txt"
  fi
done
exit $failed
