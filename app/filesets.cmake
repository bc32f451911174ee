# vorn_filesets: the routine that writes one carried data item to a file.
add_library(vorn_filesets STATIC ${CMAKE_CURRENT_LIST_DIR}/ExtractResource.cpp)
target_include_directories(vorn_filesets PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vorn_filesets PUBLIC kernel32)
