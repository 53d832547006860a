# Sourced by the web build's scripts: how CMake is pointed at Debian's Emscripten.
# Emscripten's optimizer runs on node and needs Debian's node modules (acorn and others),
# which a node that is not Debian's does not look for.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
# Every em++ runs python3: Debian's, which Emscripten is packaged for, and not whatever
# python3 comes first on PATH (a version manager's shim costs a fraction of a second a call).
export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3}
# The test programs and the configure checks that run a program (libjpeg-turbo's word
# sizes) run under node. emcmake would name node with a flag newer node versions refuse,
# and Emscripten 3.1.6's loader would fetch() its .wasm file, which newer node versions
# offer but cannot do for a path: both are set here instead.
web_cmake_arguments=(
    -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch"
)
