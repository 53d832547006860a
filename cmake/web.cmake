# The web page's build (tools/web/build.sh), included from the top-level CMakeLists.txt
# when Emscripten's toolchain is in use: the pure libraries compiled to WebAssembly, no
# toolkit, no window program, no zorvel-batch.

# libjpeg-turbo, built from Debian's source package by tools/web/libjpeg-turbo.sh. The
# toolchain's root path hides CMAKE_PREFIX_PATH, so the package folder is named.
set(ZORVEL_JPEG_PREFIX ${PROJECT_BINARY_DIR}/libjpeg-turbo/prefix
    CACHE PATH "Where tools/web/libjpeg-turbo.sh installed libjpeg-turbo for WebAssembly")
set(libjpeg-turbo_DIR "${ZORVEL_JPEG_PREFIX}/lib/cmake/libjpeg-turbo"
    CACHE PATH "libjpeg-turbo's CMake package folder of the WebAssembly build")
find_package(libjpeg-turbo REQUIRED CONFIG)
if(NOT TARGET JPEG::JPEG)
    add_library(JPEG::JPEG INTERFACE IMPORTED)
    set_target_properties(JPEG::JPEG PROPERTIES
        INTERFACE_LINK_LIBRARIES libjpeg-turbo::jpeg-static)
endif()

set(ZORVEL_WITH_TOOLKIT OFF)
# Small code first: the whole page is one file that a phone downloads.
add_compile_options(-Os)

if(ZORVEL_BUILD_TESTS)
    include(${CMAKE_CURRENT_LIST_DIR}/googletest_source.cmake)
endif()
