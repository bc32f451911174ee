# The file writer, against real files in a scratch folder, with its own
# small carried items.
vorn_add_gtest(FilesetWriterTests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FilesetWriterTests.cpp
  RESOURCES ${CMAKE_CURRENT_LIST_DIR}/filesets_test.rc
  LIBS vorn_filesets)
