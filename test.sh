#!/usr/bin/env bash
# Builds Tavri and runs every test: once in a normal build (build/), once more with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), where any report fails the run.
#   ./test.sh
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps --tests
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRI_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp"
(cd build-asan && ctest --output-on-failure -j "$jobs")
