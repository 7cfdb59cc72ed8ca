#!/usr/bin/env bash
# Builds Tallyfive and runs every test: the whole suite, offscreen and in X servers of its own, with
# warnings as errors; then the suite once more built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-packages.sh test

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYFIVE_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALLYFIVE_WERROR=ON -DTALLYFIVE_SANITIZE=ON
cmake --build build-sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j2 -LE windows
