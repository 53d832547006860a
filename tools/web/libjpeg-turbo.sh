#!/usr/bin/env bash
# Builds libjpeg-turbo for WebAssembly with Emscripten, statically, for size and without
# SIMD, from Debian's own source package of the version the Linux build uses
# (tools/libjpeg-turbo-source.sh), into <build>/libjpeg-turbo/prefix: a page the web page
# saves is the same file the desktop program writes. Done once per build folder.
# Usage: tools/web/libjpeg-turbo.sh <build-dir>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:?build folder}
work=$build/libjpeg-turbo
prefix=$work/prefix
if [[ -f $prefix/lib/cmake/libjpeg-turbo/libjpeg-turboConfig.cmake ]]; then
    exit 0
fi
source_dir=$("$root/tools/libjpeg-turbo-source.sh" "$work")
# shellcheck source=emscripten-environment.sh
source "$root/tools/web/emscripten-environment.sh"

rm -rf "$work/build" # a failed configure must not leave its findings behind
# Its programs (cjpeg and the others) are built too but never used: linked unoptimised.
cmake -S "$source_dir" -B "$work/build" -G Ninja "${web_cmake_arguments[@]}" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=OFF -DCMAKE_EXE_LINKER_FLAGS_MINSIZEREL=-O0 >/dev/null
cmake --build "$work/build" -j2
cmake --install "$work/build" >/dev/null
rm -rf "$work/build"
