# The release package: VORN.exe, its SHA-256 sum and its information file,
# zipped.
#   cmake --build <build-dir> --target VORN && (cd <build-dir> && cpack -G ZIP)
# The product is the install component Runtime; the libraries and headers
# (component Development, see VornPackage.cmake) stay out of the zip.

install(TARGETS VORN RUNTIME DESTINATION . COMPONENT Runtime)
install(FILES ${PROJECT_SOURCE_DIR}/app/QUILLMOR.nfo DESTINATION . COMPONENT Runtime)
# VORN.exe.sha256 in sha256sum's format ("<hex>  VORN.exe"), of the file as
# installed: after CPack has stripped it.
install(CODE [[
  set(vorn_dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(SHA256 "${vorn_dir}/VORN.exe" vorn_sum)
  file(WRITE "${vorn_dir}/VORN.exe.sha256" "${vorn_sum}  VORN.exe\n")
  message(STATUS "VORN.exe SHA-256: ${vorn_sum}")
]] COMPONENT Runtime)

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
# One zip of the Runtime component alone.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Runtime)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
