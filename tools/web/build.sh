#!/usr/bin/env bash
# Builds the web page, build-web/zorvel.html, on Debian: installs what is missing
# (tools/ensure-packages.sh with debian-packages-web.txt), builds libjpeg-turbo for
# WebAssembly from Debian's source package once, configures the whole project with
# Emscripten's toolchain (only the pure libraries, the page and their tests take part) and
# builds.
# Usage: tools/web/build.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-"$root/build-web"}
shift || true
build=$(mkdir -p "$build" && cd "$build" && pwd)

"$root/tools/ensure-packages.sh" "$root/tools/debian-packages-web.txt"
"$root/tools/web/libjpeg-turbo.sh" "$build"
# shellcheck source=emscripten-environment.sh
source "$root/tools/web/emscripten-environment.sh"
cmake -S "$root" -B "$build" -G Ninja "${web_cmake_arguments[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DZORVEL_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build "$build" -j2
