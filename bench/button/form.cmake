# A form of n default Butt buttons parsed from form text and shown, against
# n native BUTTON controls on one window, for n = 100 and 1,000.
add_executable(ButtFormBench ${CMAKE_CURRENT_LIST_DIR}/ButtFormBench.cpp)
target_include_directories(ButtFormBench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(ButtFormBench PRIVATE vorn_button vorn_host user32 gdi32)
