# The carried post-process files: read back from the resources of the test
# executable, which embeds the same resource script as the tool, and from
# the tool itself.
vorn_postprocess_rc_properties()
vorn_add_gtest(PostprocessResourceTests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PostprocessResourceTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PostprocessCheckTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PostprocessChecks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlDocument.cpp
  RESOURCES ${VORN_POSTPROCESS_RC}
  LIBS kernel32)
add_dependencies(PostprocessResourceTests VORN)
target_compile_definitions(PostprocessResourceTests PRIVATE
  VORN_TOOL_PATH="$<TARGET_FILE:VORN>")
