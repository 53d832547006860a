#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer (leak checking on) and
# UndefinedBehaviorSanitizer into build-asan/ and runs the test suite there.
# Extra arguments go to ctest (e.g. -R shipping).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SANITIZE_BUILD_DIR:-"$root/build-asan"}

"$root/tools/ensure-packages.sh" "$root/tools/debian-packages.txt" \
    "$root/tools/debian-packages-test.txt"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORVEL_SANITIZE=ON -DZORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -- -j2

export QT_QPA_PLATFORM=offscreen
# No alternate signal stack of the sanitizer's own: the fault trap brings its own, and its
# tests check that it gives back exactly what was there before.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:use_sigaltstack=0
export LSAN_OPTIONS=suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j2 "$@"
