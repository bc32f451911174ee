# RedrawButton and a hover enter/leave cycle of a 63 x 26 Butt against a
# native push button of the same size repainted in the same run.
add_executable(ButtBehaviourBench ${CMAKE_CURRENT_LIST_DIR}/ButtBehaviourBench.cpp)
target_include_directories(ButtBehaviourBench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(ButtBehaviourBench PRIVATE vorn_button vorn_host user32 gdi32)
