# Cross-compiles for 64-bit Windows with mingw-w64: the test build on hosts
# whose kernel cannot run 32-bit code (and so no 32-bit Wine).
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VORN_WINE_NAMES wine64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
