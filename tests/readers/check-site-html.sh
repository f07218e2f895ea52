#!/usr/bin/env bash
# The Nu HTML Checker (npm's vnu-jar, run with Debian's Java) over every page and the style
# sheet of the modern web site of two compendiums: the demo world and the hard-text compendium
# (tests/data/hardtext/hardtext.csv). Any error fails the stage; warnings are not errors.
#   tests/readers/check-site-html.sh            (after a build into build/)
# TAVRI_CLI names another tavri-cli.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
cli=${TAVRI_CLI:-$root/build/tavri-cli}

(cd tests/readers/html-checker && npm ci --no-audit --no-fund --loglevel=error)
vnu=tests/readers/html-checker/node_modules/vnu-jar/build/dist/vnu.jar

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cli" new --demo "$work/demo/" >/dev/null
"$cli" site "$work/demo/" >/dev/null
"$cli" new "$work/hard/" >/dev/null
cp tests/data/hardtext/hardtext.csv "$work/hardtext.csv"
"$cli" upload-csv "$work/hard/" "$work/hardtext.csv" >/dev/null
"$cli" site "$work/hard/" >/dev/null

mapfile -t files < <(find "$work/demo/Reports/site" "$work/hard/Reports/site" -maxdepth 1 \
  \( -name '*.html' -o -name '*.css' \) | sort)
pages=$(printf '%s\n' "${files[@]}" | grep -c '\.html$')

status=0
java -jar "$vnu" --errors-only --format gnu --also-check-css "${files[@]}" >"$work/vnu.log" 2>&1 ||
  status=$?
if [ "$status" -ne 0 ] || [ -s "$work/vnu.log" ]; then
  sed "s|file:$work/||" "$work/vnu.log"
  echo "HTML checker: FAILED, $(wc -l <"$work/vnu.log") errors in the $pages pages of the demo" \
    "and hard-text sites"
  exit 1
fi
echo "HTML checker: no error in the $pages pages and 2 style sheets of the demo and hard-text sites"
