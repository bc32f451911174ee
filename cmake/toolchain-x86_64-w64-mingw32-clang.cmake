# Cross-compiles for 64-bit Windows with clang against the mingw-w64 GCC's
# headers and libraries.
set(VORN_COMPILER clang)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-x86_64-w64-mingw32.cmake)
