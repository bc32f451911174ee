# The looks of the button: layout, caption, pictures, shapes and the eight
# style painters, drawn off screen and checked pixel by pixel.
vorn_add_gtest(ButtLooksTests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ButtLooksMathTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtLooksShapeTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtLooksPictureTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtPictureScanTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtLooksRenderTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtLooksLeakTests.cpp
  LIBS vorn_button gdi32 user32)
