#!/usr/bin/env bash
# Builds Tallyfive and runs every test: the whole suite, offscreen and in X servers of its own, with
# warnings as errors; then the suite once more built with AddressSanitizer and UndefinedBehaviorSanitizer.
# A test that cannot test fails here: every tool the tests need must be found, and a run with a skipped
# test, or with no tests at all, fails.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-packages.sh test

# Runs the tests of a build folder; fails when any test failed, was skipped or did not run.
runTests() {
    local build=$1
    shift
    ctest --test-dir "$build" --output-on-failure --no-tests=error -j2 "$@" | tee "$build/ctest.log"
    if grep -q 'The following tests did not run' "$build/ctest.log"; then
        echo "check.sh: a test did not run; see above" >&2
        return 1
    fi
}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYFIVE_WERROR=ON -DTALLYFIVE_EVERY_TEST=ON
cmake --build build
runTests build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALLYFIVE_WERROR=ON -DTALLYFIVE_SANITIZE=ON \
    -DTALLYFIVE_EVERY_TEST=ON
cmake --build build-sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
runTests build-sanitize -LE windows
