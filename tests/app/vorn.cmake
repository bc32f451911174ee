# VORN.exe end to end: the real executable, started by the tests and driven
# with the mouse and keyboard under Xvfb; beside it, the window's rules
# checked without a window.
vorn_postprocess_rc_properties()
vorn_add_gtest(VornEndToEndTests DESKTOP
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/VornEndToEndTests.cpp ${CMAKE_CURRENT_LIST_DIR}/VornWindowRulesTests.cpp
  RESOURCES ${VORN_POSTPROCESS_RC}
  LIBS vorn_app_core user32 gdi32 advapi32 ole32 oleaut32 uuid oleacc)
add_dependencies(VornEndToEndTests VORN)
target_compile_definitions(VornEndToEndTests PRIVATE
  VORN_EXE_PATH="$<TARGET_FILE:VORN>"
  VORN_BANNER_BMP="${PROJECT_SOURCE_DIR}/app/resources/banner.bmp")
# The gallery carries the same application manifest.
add_dependencies(VornEndToEndTests ButtGallery)
target_compile_definitions(VornEndToEndTests PRIVATE VORN_GALLERY_EXE_PATH="$<TARGET_FILE:ButtGallery>")
