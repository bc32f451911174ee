# GoogleTest from the system's sources (Debian: /usr/src/googletest), built
# with the project's compiler, plus one helper to declare a test executable.
if(NOT TARGET gtest)
  # Same static runtime as the rest of the project.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VORN_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Test code is compiled without optimisation: it only calls into the
  # libraries (built as configured), and optimising it costs more build time
  # than the tests would ever gain.
  target_compile_options(gtest PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-O0>)
  target_compile_options(gtest_main PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-O0>)
endif()

include(GoogleTest)

# Tests run under Wine in a private prefix inside the build tree; ctest works
# from a plain shell too because the environment travels with each test.
set(VORN_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix for the tests")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VORN_WINEARCH win64)
else()
  set(VORN_WINEARCH win32)
endif()
set(VORN_LAUNCH_LOG "${CMAKE_BINARY_DIR}/wine-launch-retries.log")
set(VORN_TEST_ENVIRONMENT "WINEPREFIX=${VORN_WINEPREFIX};WINEARCH=${VORN_WINEARCH};WINELOADER=${CMAKE_CROSSCOMPILING_EMULATOR};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;VORN_LAUNCH_LOG=${VORN_LAUNCH_LOG}")

# vorn_add_gtest(<name> [DESKTOP] SOURCES <files...> LIBS <targets...> [RESOURCES <rc...>])
# Builds <name>.exe with gtest_main and registers every TEST/TEST_F it
# contains, by scanning the sources (no Wine run at build time).
# DESKTOP: the suites show windows on the shared screen, move the real
# cursor, send keyboard input or depend on the focus and the foreground
# window; such tests never run at the same time as one another under
# `ctest -j`.
function(vorn_add_gtest name)
  cmake_parse_arguments(ARG "DESKTOP" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_RESOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-O0>)
  # The platform, GoogleTest and standard headers are parsed once for all
  # test executables: one precompiled header, made by the first of them.
  get_property(pch_owner GLOBAL PROPERTY VORN_TEST_PCH_OWNER)
  if(pch_owner)
    target_precompile_headers(${name} REUSE_FROM ${pch_owner})
  else()
    set_property(GLOBAL PROPERTY VORN_TEST_PCH_OWNER ${name})
    target_precompile_headers(${name} PRIVATE
      <windows.h> <gtest/gtest.h> <algorithm> <functional> <map> <memory> <string> <vector>)
  endif()
  if(CMAKE_CROSSCOMPILING_EMULATOR AND CMAKE_HOST_UNIX)
    # Under Wine each test goes through a launcher that retries a process
    # Wine failed to start (see scripts/wine-test-launch.sh).
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
      "${PROJECT_SOURCE_DIR}/scripts/wine-test-launch.sh;${CMAKE_CROSSCOMPILING_EMULATOR}")
  endif()
  gtest_add_tests(TARGET ${name} SOURCES ${ARG_SOURCES} TEST_LIST tests_of_${name})
  # A case that called GTEST_SKIP is reported as skipped, not passed; a
  # registered name that matches no case of the executable (0 tests ran)
  # fails instead of passing empty.
  set_tests_properties(${tests_of_${name}} PROPERTIES
    ENVIRONMENT "${VORN_TEST_ENVIRONMENT}"
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] [0-9]+ test"
    FAIL_REGULAR_EXPRESSION "\\[==========\\] 0 tests from"
    TIMEOUT 120)
  if(ARG_DESKTOP)
    set_tests_properties(${tests_of_${name}} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()
