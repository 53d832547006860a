# libjpeg-turbo built statically from Debian's source package into the build folder, for
# the targets Debian has no libjpeg for (tools/windows/libjpeg-turbo.sh,
# tools/web/libjpeg-turbo.sh), as JPEG::JPEG. The toolchain's root path hides
# CMAKE_PREFIX_PATH, so the package folder is named.
set(ZORVEL_JPEG_PREFIX ${PROJECT_BINARY_DIR}/libjpeg-turbo/prefix
    CACHE PATH "Where the build's libjpeg-turbo.sh installed libjpeg-turbo")
set(libjpeg-turbo_DIR "${ZORVEL_JPEG_PREFIX}/lib/cmake/libjpeg-turbo"
    CACHE PATH "libjpeg-turbo's CMake package folder of this build")
find_package(libjpeg-turbo REQUIRED CONFIG)
if(NOT TARGET JPEG::JPEG)
    add_library(JPEG::JPEG INTERFACE IMPORTED)
    set_target_properties(JPEG::JPEG PROPERTIES
        INTERFACE_LINK_LIBRARIES libjpeg-turbo::jpeg-static)
endif()
