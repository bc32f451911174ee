# APPLY's routine in this process against real files: the whole set or
# nothing, files other programs hold, per-user copies, folder names outside
# the ANSI code page. The executable carries the same sets as the tool.
vorn_postprocess_rc_properties()
vorn_add_gtest(ApplySetTests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ApplySetTests.cpp
  RESOURCES ${VORN_POSTPROCESS_RC}
  LIBS vorn_app_core)
