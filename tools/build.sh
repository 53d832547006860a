#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: missing packages, configure, build.
# Usage: tools/build.sh [build-dir] [--program] [extra cmake arguments...]
#   default     everything: the program, the tests and the benchmark, with the packages
#               of debian-packages.txt and debian-packages-test.txt
#   --program   only the program, with only the packages of debian-packages.txt
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-"$root/build"}
shift || true
program_only=false
if [[ "${1:-}" == --program ]]; then
    program_only=true
    shift
fi

if $program_only; then
    "$root/tools/ensure-packages.sh" "$root/tools/debian-packages.txt"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZORVEL_BUILD_TESTS=OFF -DZORVEL_BUILD_BENCH=OFF -DZORVEL_BUILD_TOOLS=OFF \
        "$@" >/dev/null
    cmake --build "$build" --target zorvel
else
    "$root/tools/ensure-packages.sh" "$root/tools/debian-packages.txt" \
        "$root/tools/debian-packages-test.txt"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZORVEL_BUILD_TESTS=ON -DZORVEL_BUILD_BENCH=ON "$@" >/dev/null
    cmake --build "$build"
fi
