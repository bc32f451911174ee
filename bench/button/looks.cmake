# PreparePicture (bulk against the per-pixel reference) and one redraw per style.
add_executable(ButtLooksBench ${CMAKE_CURRENT_LIST_DIR}/ButtLooksBench.cpp)
target_include_directories(ButtLooksBench PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(ButtLooksBench PRIVATE vorn_button gdi32 user32)
