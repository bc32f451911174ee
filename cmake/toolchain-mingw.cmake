# The shared body of the mingw-w64 toolchain files, which set
# TOOLCHAIN_PREFIX (the target triple), CMAKE_SYSTEM_PROCESSOR and
# VORN_WINE_NAMES (the Wine loaders that run the target, first choice first)
# before including it, and VORN_COMPILER (gcc, the default, or clang; the
# *-clang.cmake files set it). POSIX thread model compilers.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VORN_COMPILER)
  set(VORN_COMPILER gcc)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORN_COMPILER)  # -DVORN_COMPILER=clang reaches the compiler checks

if(VORN_COMPILER STREQUAL "gcc")
  set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
  set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
elseif(VORN_COMPILER STREQUAL "clang")
  # clang compiles for the same target against the same mingw-w64 headers and
  # GCC's libstdc++, and links GCC's libraries with lld, so both compilers
  # build one program with one runtime. GCC's folder gives the C++ headers,
  # libgcc/libstdc++ and the crtbegin.o/crtend.o that register the DWARF
  # unwind tables (without them, no exception is ever caught). -pthread links
  # winpthread, which libgcc_eh's emulated thread-local storage needs. (GNU ld
  # links too, but warns at every link that clang's type-name strings of the
  # standard exceptions differ in size from GCC's padded ones.)
  file(GLOB vorn_gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-posix)
  list(SORT vorn_gcc_dirs COMPARE NATURAL ORDER DESCENDING)
  if(vorn_gcc_dirs)
    list(GET vorn_gcc_dirs 0 vorn_gcc_dir)
  endif()
  if(NOT IS_DIRECTORY "${vorn_gcc_dir}/include/c++")
    message(FATAL_ERROR "No posix mingw-w64 GCC for ${TOOLCHAIN_PREFIX} in /usr/lib/gcc: clang needs its libstdc++")
  endif()
  set(CMAKE_C_COMPILER   clang)
  set(CMAKE_CXX_COMPILER clang++)
  set(CMAKE_C_COMPILER_TARGET   ${TOOLCHAIN_PREFIX})
  set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
  set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})
  set(CMAKE_CXX_FLAGS_INIT "-isystem ${vorn_gcc_dir}/include/c++ -isystem ${vorn_gcc_dir}/include/c++/${TOOLCHAIN_PREFIX} -isystem ${vorn_gcc_dir}/include/c++/backward")
  foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -B${vorn_gcc_dir} -L${vorn_gcc_dir} -pthread")
  endforeach()
else()
  message(FATAL_ERROR "VORN_COMPILER must be gcc or clang, not '${VORN_COMPILER}'")
endif()
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the test executables through Wine.
find_program(WINE_EXECUTABLE NAMES ${VORN_WINE_NAMES} PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT WINE_EXECUTABLE)
  find_program(WINE_EXECUTABLE wine)
endif()
if(WINE_EXECUTABLE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
endif()
