# VORN.exe: the tool's main window and its start-up.

# The window's logic apart from its form, shared with the end-to-end tests.
add_library(vorn_app_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AboutBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ApplySet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Backup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Elevation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileSystemObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InfoViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VersionResource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VirtualStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowArt.cpp)
target_include_directories(vorn_app_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vorn_app_core PUBLIC vorn_filesets vorn_host vorn_registry kernel32 user32 gdi32 advapi32
  shell32)

set(VORN_RC ${CMAKE_CURRENT_LIST_DIR}/vorn.rc)
set_source_files_properties(${VORN_RC} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/VORN.frm;${CMAKE_CURRENT_LIST_DIR}/resources/vorn.ico;${CMAKE_CURRENT_LIST_DIR}/resources/banner.bmp;${CMAKE_CURRENT_LIST_DIR}/resources/line.bmp;${CMAKE_CURRENT_LIST_DIR}/resources/banner150.bmp;${CMAKE_CURRENT_LIST_DIR}/resources/line150.bmp;${CMAKE_CURRENT_LIST_DIR}/resources/banner200.bmp;${CMAKE_CURRENT_LIST_DIR}/resources/line200.bmp;${CMAKE_CURRENT_LIST_DIR}/VornResources.h")

add_executable(VORN WIN32
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ApplyCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VORN.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NativeControls.cpp
  ${VORN_RC}
  ${VORN_POSTPROCESS_RC})
target_include_directories(VORN PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(VORN PRIVATE vorn_app_core vorn_host vorn_button vorn_effects vorn_registry)
set_target_properties(VORN PROPERTIES OUTPUT_NAME VORN)
vorn_embed_manifest(VORN)

# The information file lies beside the executable.
add_custom_command(TARGET VORN POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_LIST_DIR}/QUILLMOR.nfo $<TARGET_FILE_DIR:VORN>/QUILLMOR.nfo
  VERBATIM)
