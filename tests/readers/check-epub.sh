#!/usr/bin/env bash
# The e-book in real readers: the demo compendium and the hard-text compendium are each written
# as an EPUB with tavri-cli, checked by epubcheck (no error and no warning allowed) and turned
# into text by calibre's ebook-convert, which must hold every entry's name and description
# exactly as stored (accented, Greek, Polish and CJK letters intact).
#   tests/readers/check-epub.sh [path/to/tavri-cli]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cli="$(realpath "${1:-$root/build/tavri-cli}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Checks the book of the compendium in $1, naming it $2 in the summary.
check_book() {
  local dir="$1" label="$2" book="$1/Reports/palm/Tavri.epub"
  "$cli" epub "$dir" >"$work/$label-epub.log"
  if ! java -jar /usr/share/java/epubcheck.jar --quiet "$book" >"$work/$label-check.log" 2>&1; then
    cat "$work/$label-check.log"
    fail "$label: epubcheck found errors"
  elif grep -q -E '^(WARNING|ERROR|FATAL)' "$work/$label-check.log"; then
    cat "$work/$label-check.log"
    fail "$label: epubcheck reported warnings"
  fi
  if ! ebook-convert "$book" "$work/$label.txt" >"$work/$label-convert.log" 2>&1; then
    tail -n 20 "$work/$label-convert.log"
    fail "$label: ebook-convert could not read the book"
    return
  fi
  # Every entry's name (cell 2) and description (cell 5) of the list, trimmed of blanks as the
  # book holds them, must be found in the text. (Cells may be empty, so awk splits them: read
  # would merge the TABs around an empty cell.)
  "$cli" list "$dir" | awk -F'\t' '{ print $2; print $5 }' | sed -e 's/^ *//' -e 's/ *$//' \
    >"$work/$label-texts"
  local entries missing=0 text
  entries=$(("$(wc -l <"$work/$label-texts")" / 2))
  while IFS= read -r text; do
    if [ -n "$text" ] && ! grep -qF -- "$text" "$work/$label.txt"; then
      echo "  $label: not in calibre's text: $text"
      missing=$((missing + 1))
    fi
  done <"$work/$label-texts"
  if [ "$entries" -eq 0 ]; then
    fail "$label: the compendium lists no entries"
  elif [ "$missing" -ne 0 ]; then
    fail "$label: $missing names or descriptions missing from calibre's text"
  else
    echo "ok: $label: epubcheck clean, all $entries entries' names and descriptions in calibre's text"
  fi
}

"$cli" new --demo "$work/demo" >/dev/null
check_book "$work/demo" demo

# The upload writes its log beside the CSV file, so the file is copied first.
cp "$root/tests/data/hardtext/hardtext.csv" "$work/hardtext.csv"
"$cli" new "$work/hardtext" >/dev/null
"$cli" upload-csv "$work/hardtext" "$work/hardtext.csv" >/dev/null
check_book "$work/hardtext" hardtext
# The letters that older reading files could not hold, spelled out, so a reader that loses them
# cannot pass by losing the list's copy in the same way.
for word in "Élan" "Ωmega Circle" "Łukasz Żółć" "李小龍" "Ärzte Guild" "Ελένη"; do
  grep -qF -- "$word" "$work/hardtext.txt" || fail "hardtext: \"$word\" is not in calibre's text"
done

if [ "$failures" -ne 0 ]; then
  echo "e-book readers: $failures failure(s)"
  exit 1
fi
echo "e-book readers: all checks passed"
