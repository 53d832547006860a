# The web page's build (tools/web/build.sh), included from the top-level CMakeLists.txt
# when Emscripten's toolchain is in use: the pure libraries compiled to WebAssembly, no
# toolkit, no window program, no zorvel-batch.

include(${CMAKE_CURRENT_LIST_DIR}/libjpeg_turbo_prefix.cmake)

set(ZORVEL_WITH_TOOLKIT OFF)
# Small code first: the whole page is one file that a phone downloads.
add_compile_options(-Os)

if(ZORVEL_BUILD_TESTS)
    include(${CMAKE_CURRENT_LIST_DIR}/googletest_source.cmake)
endif()
