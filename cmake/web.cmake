# The web page's build (tools/web/build.sh), included from the top-level CMakeLists.txt
# when Emscripten's toolchain is in use: the pure libraries compiled to WebAssembly, no
# toolkit, no window program, no zorvel-batch.

include(${CMAKE_CURRENT_LIST_DIR}/libjpeg_turbo_prefix.cmake)

set(ZORVEL_WITH_TOOLKIT OFF)
# -O2 converts a logbook 1.7 times as fast as -Os, for 50 kB more of a page that must stay
# within 5 MB; libjpeg-turbo, which only saves a page now and then, is built for size
# (tools/web/libjpeg-turbo.sh).
set(ZORVEL_WEB_OPTIMIZATION -O2 CACHE STRING "The optimisation the WebAssembly is compiled with")
add_compile_options(${ZORVEL_WEB_OPTIMIZATION})
add_link_options(${ZORVEL_WEB_OPTIMIZATION})

if(ZORVEL_BUILD_TESTS)
    include(${CMAKE_CURRENT_LIST_DIR}/googletest_source.cmake)
endif()
