# VORN.exe around its start: the DLLs it imports and loads (against a
# stand-in DLL planted beside a copy of it), and what a screen reader in
# another process reads from the moment its window appears.
add_library(VornPlantedDll SHARED ${CMAKE_CURRENT_LIST_DIR}/PlantedDll.cpp)
set_target_properties(VornPlantedDll PROPERTIES PREFIX "")
vorn_add_gtest(VornStartTests DESKTOP
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/VornStartTests.cpp
  LIBS vorn_app_core vorn_host user32 advapi32 ole32 oleaut32 uuid oleacc)
add_dependencies(VornStartTests VORN ButtGallery VornPlantedDll AccessibilityClient)
target_compile_definitions(VornStartTests PRIVATE
  VORN_EXE_PATH="$<TARGET_FILE:VORN>"
  VORN_GALLERY_EXE_PATH="$<TARGET_FILE:ButtGallery>"
  VORN_PLANTED_DLL_PATH="$<TARGET_FILE:VornPlantedDll>"
  VORN_ACCESSIBILITY_CLIENT="$<TARGET_FILE:AccessibilityClient>")
