#!/usr/bin/env bash
# Builds and runs the benchmark on a private Xvfb screen of 1366 x 768.
# Arguments go to the benchmark (e.g. --idle-seconds=10, --benchmark_filter=load).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BENCH_BUILD_DIR:-"$root/build"}
"$root/tools/ensure-packages.sh" "$root/tools/debian-packages.txt" \
    "$root/tools/debian-packages-test.txt"
# On, whatever run.sh (which builds the program alone) left in the shared build folder.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVEL_BUILD_BENCH=ON \
    >/dev/null
cmake --build "$build" --target zorvel_bench -- -j2
# Qt wants a private runtime folder; without one it warns on every start.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
exec xvfb-run -a -s "-screen 0 1366x768x24" "$build/bench/zorvel_bench" "$@"
