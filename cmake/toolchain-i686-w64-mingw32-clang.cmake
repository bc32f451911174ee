# Cross-compiles for 32-bit Windows with clang against the mingw-w64 GCC's
# headers and libraries: the second compiler of the shipped build.
set(VORN_COMPILER clang)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-i686-w64-mingw32.cmake)
