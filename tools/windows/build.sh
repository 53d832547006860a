#!/usr/bin/env bash
# Builds Зорвел for Windows on Debian: installs what is missing (tools/ensure-packages.sh
# with debian-packages-windows.txt), builds libjpeg-turbo from Debian's source package
# once, configures the "windows" preset of CMakePresets.json into the build folder, builds
# and makes the packages (the zip and the installer).
# Usage: tools/windows/build.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-"$root/build-windows"}
shift || true
build=$(mkdir -p "$build" && cd "$build" && pwd)

"$root/tools/ensure-packages.sh" "$root/tools/debian-packages-windows.txt"
"$root/tools/windows/libjpeg-turbo.sh" "$build"
cmake -S "$root" --preset windows -B "$build" "$@" >/dev/null
cmake --build "$build" -j2
