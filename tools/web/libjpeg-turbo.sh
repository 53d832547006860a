#!/usr/bin/env bash
# Builds libjpeg-turbo for WebAssembly with Emscripten, statically, for size and without
# SIMD, from Debian's own source package of the version the Linux build uses
# (tools/libjpeg-turbo.sh), into <build>/libjpeg-turbo/prefix: a page the web page saves
# is the same file the desktop program writes. Its programs (cjpeg and the others) are
# built too but never used: they are linked unoptimised.
# Usage: tools/web/libjpeg-turbo.sh <build-dir>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=emscripten-environment.sh
source "$root/tools/web/emscripten-environment.sh"
"$root/tools/libjpeg-turbo.sh" "${1:?build folder}" "${web_cmake_arguments[@]}" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DWITH_SIMD=OFF -DCMAKE_EXE_LINKER_FLAGS_MINSIZEREL=-O0
