#!/usr/bin/env bash
# Builds zorvel-batch and its benchmark and runs it; no X server needed. Besides the plain
# run it times a station's run (--corrections, --synop, --summary month) and the wet bulb
# sought from a hygrometer's RH, each the fastest of five turns.
# The argument is the number of rows of the large logbook (default 1000000).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BENCH_BUILD_DIR:-"$root/build"}
"$root/tools/ensure-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zorvel_batch_bench -- -j2
exec "$build/bench/zorvel_batch_bench" "$@"
