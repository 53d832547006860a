#!/usr/bin/env bash
# Builds everything (installing missing Debian packages first) and runs the whole
# test suite headless, then the Windows build's suite under Wine (ZORVEL_WINDOWS=0 skips
# it; see tools/windows/test.sh), then the web page's suite in headless chromium
# (ZORVEL_WEB=0 skips it; see tools/web/test.sh), then a short fuzzing run when clang is
# installed (FUZZ_SECONDS=0 skips it; see tools/fuzz.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/tools/build.sh" "$root/build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure -j2
if [[ "${ZORVEL_WINDOWS:-1}" != 0 ]]; then
    "$root/tools/windows/test.sh" "$root/build-windows"
fi
if [[ "${ZORVEL_WEB:-1}" != 0 ]]; then
    "$root/tools/web/test.sh" "$root/build-web" "$root/build"
fi
if [[ "${FUZZ_SECONDS:-30}" != 0 ]]; then
    "$root/tools/fuzz.sh"
fi
