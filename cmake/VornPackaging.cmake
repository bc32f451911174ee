# The release package: VORN.exe and its information file, zipped.
#   cmake --build <build-dir> --target VORN && (cd <build-dir> && cpack -G ZIP)

install(TARGETS VORN RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/app/QUILLMOR.nfo DESTINATION .)

set(CPACK_PACKAGE_NAME "VORN-Lumatrim")
set(CPACK_PACKAGE_VENDOR "kestrelbyte")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Switches the HDR and blur post-processing of the racing game VORN")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
