#!/usr/bin/env bash
# The web page's benchmark (not part of the tests): builds the page and the Linux
# zorvel-batch if needed, installs puppeteer-core (tools/web/package.json) and prints the
# figures of bench/web/page_bench.cjs.
# Usage: bench/web/run.sh [web-build-dir] [linux-build-dir]
# ZORVEL_BENCH_RUNS (5) page openings, ZORVEL_BENCH_ROWS (1000000) logbook rows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
web_build=${1:-"$root/build-web"}
linux_build=${2:-"$root/build"}
"$root/tools/web/build.sh" "$web_build"
[[ -x $linux_build/batch/zorvel-batch ]] || "$root/tools/build.sh" "$linux_build"
cmake --build "$linux_build" --target zorvel-batch
# The page is opened by a file URL and the program started from node: both by full paths.
web_build=$(cd "$web_build" && pwd)
linux_build=$(cd "$linux_build" && pwd)
if ! command -v npm >/dev/null; then
    "$root/tools/ensure-packages.sh" "$root/tools/debian-packages-web-npm.txt"
fi
(cd "$root/tools/web" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
ZORVEL_PAGE="$web_build/zorvel.html" ZORVEL_BATCH="$linux_build/batch/zorvel-batch" \
NODE_PATH="$root/tools/web/node_modules" node "$root/bench/web/page_bench.cjs"
