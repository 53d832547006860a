# Cross-building the Windows programs on Debian with MinGW-w64 (the posix thread model,
# whose libstdc++ has std::thread and friends). Everything links statically, so that no
# MinGW DLL has to travel beside the .exe files; tests run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZORVEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZORVEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORVEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZORVEL_MINGW_PREFIX}-windres)

# Headers, import libraries and CMake packages come from the MinGW tree only; build tools
# (nasm, Python, ImageMagick) from the machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ZORVEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest and gtest_discover_tests start the test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
