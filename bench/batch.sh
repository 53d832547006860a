#!/usr/bin/env bash
# Builds zorvel-batch and its benchmark and runs it; no X server needed.
# The arguments are the numbers of rows of the large logbooks, one run each (default
# 1000000 and 10000000: a few minutes); each is converted with and without --chart.
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
