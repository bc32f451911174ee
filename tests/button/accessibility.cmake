# Butt and the host's labels as screen readers see them, read from a second
# process: AccessibilityClient.exe plays the screen reader.
add_executable(AccessibilityClient ${CMAKE_CURRENT_LIST_DIR}/AccessibilityClient.cpp)
target_include_directories(AccessibilityClient PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(AccessibilityClient PRIVATE uuid oleacc ole32 oleaut32 user32)
vorn_add_gtest(ButtAccessibilityTests DESKTOP
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ButtAccessibilityTests.cpp
  LIBS vorn_button vorn_host user32 gdi32 ole32 oleaut32 oleacc)
add_dependencies(ButtAccessibilityTests AccessibilityClient)
target_compile_definitions(ButtAccessibilityTests PRIVATE
  VORN_ACCESSIBILITY_CLIENT="$<TARGET_FILE:AccessibilityClient>")
