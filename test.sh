#!/usr/bin/env bash
# Builds Tavri and runs every test: once in a normal build (build/), once more with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), where any report fails the run.
#   ./test.sh
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps --tests
jobs=$(nproc)
# Each stage says when it starts and how long the run has taken so far.
stage() { echo "== $1 (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }

stage "normal build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

stage "sanitizer build and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRI_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp"
(cd build-asan && ctest --output-on-failure -j "$jobs")

# The CSV record reader under libFuzzer (clang, build-fuzz/): 60 s from the seed corpus; a crash,
# a hang or a sanitizer report fails the run and leaves the input in build-fuzz/.
stage "fuzzing the CSV reader"
CC=clang CXX=clang++ cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$jobs"
fuzz_corpus=$(mktemp -d)
fuzz_status=0
build-fuzz/csv_reader_fuzz -max_total_time=60 -timeout=10 -max_len=4096 \
  -artifact_prefix=build-fuzz/ "$fuzz_corpus" tests/fuzz/corpus 2>build-fuzz/fuzz.log ||
  fuzz_status=$?
rm -rf "$fuzz_corpus"
if [ "$fuzz_status" -ne 0 ]; then
  tail -n 40 build-fuzz/fuzz.log
  exit 1
fi
grep -E '^Done [0-9]+ runs' build-fuzz/fuzz.log

# The published sites in headless Chromium (Debian's chromium, driven by npm's playwright-core):
# every frame loads, every link inside the site resolves, entry pages render their notes' mark-up;
# the modern site's entries are all reachable, fit a phone, search and print.
stage "browser"
(cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
TAVRI_CLI="$PWD/build/tavri-cli" node --test tests/browser/

# The Nu HTML Checker over every page of the modern site of the demo and hard-text compendiums.
stage "HTML checker"
TAVRI_CLI="$PWD/build/tavri-cli" tests/readers/check-site-html.sh

# The e-book in its readers: epubcheck and calibre's ebook-convert on the demo and hard-text books.
stage "e-book readers"
tests/readers/check-epub.sh build/tavri-cli

# The reading files of the hard-text compendium and the demo in the readers people use: every RTF
# file in LibreOffice, the PML files in calibre (tests/readers/).
stage "RTF and PML readers"
TAVRI_CLI="$PWD/build/tavri-cli" node tests/readers/check-readers.mjs
stage "all passed"
