#!/usr/bin/env bash
# Builds libjpeg-turbo for Windows, statically, from Debian's own source package of the
# version the Linux build uses (tools/libjpeg-turbo-source.sh), into
# <build>/libjpeg-turbo/prefix. Done once per build folder: a prefix that is already there
# is kept.
# Usage: tools/windows/libjpeg-turbo.sh <build-dir>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:?build folder}
work=$build/libjpeg-turbo
prefix=$work/prefix
if [[ -f $prefix/lib/cmake/libjpeg-turbo/libjpeg-turboConfig.cmake ]]; then
    exit 0
fi
source_dir=$("$root/tools/libjpeg-turbo-source.sh" "$work")

cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DREQUIRE_SIMD=OFF >/dev/null
cmake --build "$work/build" -j2
cmake --install "$work/build" >/dev/null
rm -rf "$work/build"
