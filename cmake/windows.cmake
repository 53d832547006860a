# The Windows build's own settings, included from the top-level CMakeLists.txt when the
# MinGW toolchain file is in use.

# Wide-character Win32 calls throughout: texts are UTF-8 inside the program and become
# UTF-16 only at the call. Windows 7 is the oldest system the calls used exist on.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
enable_language(RC)
set(ZORVEL_WIN32_LIBRARIES comctl32 comdlg32 gdi32 user32 version d3d9)

# The window program on the Win32 backend of the toolkit; OFF builds only the libraries
# below it, zorvel-batch and their tests.
option(ZORVEL_WINDOWS_GUI "Build the toolkit, the window program and its tests for Windows" ON)
set(ZORVEL_WITH_TOOLKIT ${ZORVEL_WINDOWS_GUI})

include(${CMAKE_CURRENT_LIST_DIR}/libjpeg_turbo_prefix.cmake)

# GoogleTest from Debian's sources, built with the tests.
if(ZORVEL_BUILD_TESTS)
    include(${CMAKE_CURRENT_LIST_DIR}/googletest_source.cmake)
endif()
