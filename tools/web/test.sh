#!/usr/bin/env bash
# The web page's suite: builds the page (tools/web/build.sh), runs the pure libraries'
# tests compiled to WebAssembly under node, then the page itself in Debian's chromium,
# headless and offline, driven by puppeteer-core from npm (tools/web/package.json, pinned
# with its lock file, installed with npm ci; it downloads no browser). The browser test
# compares the page's downloads with the Linux build's zorvel-batch and saved pages.
# Usage: tools/web/test.sh [web-build-dir] [linux-build-dir]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
web_build=$(mkdir -p "${1:-"$root/build-web"}" && cd "${1:-"$root/build-web"}" && pwd)
linux_build=$(cd "${2:-"$root/build"}" && pwd)

"$root/tools/web/build.sh" "$web_build"
ctest --test-dir "$web_build" --output-on-failure -j2

# A node that is not Debian's brings its own npm, which Debian's npm package would clash with.
if ! command -v npm >/dev/null; then
    "$root/tools/ensure-packages.sh" "$root/tools/debian-packages-web-npm.txt"
fi
(cd "$root/tools/web" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)

cmake --build "$linux_build" --target zorvel-batch web_desktop_pages
desktop_pages=$web_build/desktop-pages
screenshots=$web_build/screenshots
rm -rf "$desktop_pages"
mkdir -p "$desktop_pages" "$screenshots"
"$linux_build/tests/web/web_desktop_pages" "$desktop_pages"

ZORVEL_PAGE="$web_build/zorvel.html" ZORVEL_BATCH="$linux_build/batch/zorvel-batch" \
ZORVEL_DESKTOP_PAGES="$desktop_pages" ZORVEL_SCREENSHOTS="$screenshots" \
NODE_PATH="$root/tools/web/node_modules" \
    node --test --test-reporter=tap "$root/tests/web/browser_test.cjs"
echo "web: the screenshots are in $screenshots"
