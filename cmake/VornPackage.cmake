# The components as a CMake package: `cmake --install` puts each library, its
# public headers (under include/<component>/, so `#include "host/Host.h"`
# reads the same in this tree and against the installed package) and
# VornConfig.cmake with its version file into the prefix, all in the install
# component Development. A program then uses
#   find_package(Vorn 1.0 CONFIG REQUIRED COMPONENTS button)
#   target_link_libraries(app PRIVATE Vorn::button)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# vorn_public_headers(<target> <header>...): makes <target>, the library of
# the component folder this is called from, part of the package as
# Vorn::<folder> (also an alias in this tree), with the listed headers of the
# folder as its public ones. The other headers stay inside the tree.
function(vorn_public_headers target)
  get_filename_component(component ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${component})
  add_library(Vorn::${component} ALIAS ${target})
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  list(TRANSFORM ARGN PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  install(TARGETS ${target} EXPORT VornTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
  install(FILES ${ARGN} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${component} COMPONENT Development)
  set_property(GLOBAL APPEND PROPERTY VORN_PACKAGE_COMPONENTS ${component})
endfunction()

# vorn_install_package(): the targets file, VornConfig.cmake and
# VornConfigVersion.cmake, after every component called vorn_public_headers.
function(vorn_install_package)
  set(dir ${CMAKE_INSTALL_LIBDIR}/cmake/Vorn)
  get_property(VORN_PACKAGE_COMPONENTS GLOBAL PROPERTY VORN_PACKAGE_COMPONENTS)
  install(EXPORT VornTargets NAMESPACE Vorn:: DESTINATION ${dir} COMPONENT Development)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VornConfig.cmake.in
    ${PROJECT_BINARY_DIR}/VornConfig.cmake INSTALL_DESTINATION ${dir} NO_SET_AND_CHECK_MACRO)
  # Same major version; the version file also refuses a consumer of the
  # other pointer size (a 64-bit program cannot link the 32-bit libraries).
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/VornConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/VornConfig.cmake ${PROJECT_BINARY_DIR}/VornConfigVersion.cmake
    DESTINATION ${dir} COMPONENT Development)
endfunction()
