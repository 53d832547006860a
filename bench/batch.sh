#!/usr/bin/env bash
# Builds zorvel-batch and its benchmark and runs it; no X server needed. Besides the plain
# run it times the run with --chart, a station's run (--corrections, --synop, --summary
# month) and the wet bulb sought from a hygrometer's RH, each the fastest of five turns.
# The arguments are the numbers of rows of the large logbooks, one run each (default
# 1000000 and 10000000: several minutes).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BENCH_BUILD_DIR:-"$root/build"}
"$root/tools/ensure-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zorvel_batch_bench -- -j2
counts=("$@")
((${#counts[@]} > 0)) || counts=(1000000 10000000)
for rows in "${counts[@]}"; do
    "$build/bench/zorvel_batch_bench" "$rows"
done
