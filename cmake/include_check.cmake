# The include check of cmake/layer_check.cmake, run by every build in script mode:
#   cmake -DZORVEL_ROOT=<source folder> -P cmake/include_check.cmake
# Fails with the file and line of every include that points up the layers.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/layer_check.cmake)
zorvel_check_includes(${ZORVEL_ROOT})
