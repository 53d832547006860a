#!/usr/bin/env bash
# Builds libjpeg-turbo for Windows, statically, from Debian's own source package of the
# version the Linux build uses (tools/libjpeg-turbo.sh), into <build>/libjpeg-turbo/prefix.
# Usage: tools/windows/libjpeg-turbo.sh <build-dir>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
"$root/tools/libjpeg-turbo.sh" "${1:?build folder}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DREQUIRE_SIMD=OFF
