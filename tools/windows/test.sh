#!/usr/bin/env bash
# Runs the Windows build's tests under Wine (ctest starts each test program through the
# toolchain's CMAKE_CROSSCOMPILING_EMULATOR), on a private Xvfb of 1366 x 768, with the
# build folder's own Wine prefix. Builds first with tools/windows/build.sh unless
# ZORVEL_WINDOWS_BUILT=1. Extra arguments go to ctest (e.g. -R calc).
# Usage: tools/windows/test.sh [build-dir] [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-"$root/build-windows"}
shift || true
if [[ "${ZORVEL_WINDOWS_BUILT:-0}" != 1 ]]; then
    "$root/tools/windows/build.sh" "$build"
fi
build=$(cd "$build" && pwd)
"$root/tools/ensure-packages.sh" "$root/tools/debian-packages-windows.txt"

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    # Only this prefix's server and this run's X server are ended.
    wineserver -k 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$root/tools/private-xvfb.sh"
zorvel_start_xvfb "$work"
unset WAYLAND_DISPLAY

source "$root/tools/windows/wine-environment.sh" "$build"
zorvel_prepare_wine_prefix
# One server for the whole run: a cold start costs each test program seconds.
wineserver -p
# Wine's own services start with the first program and stay with the server; started here,
# they hold no output pipe of a test, which ctest would otherwise wait on until the timeout.
wine cmd /c exit >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j2 "$@"
