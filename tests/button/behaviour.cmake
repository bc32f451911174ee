# Butt's behaviour against real windows under Wine: properties, persistence,
# input, option groups, hover, the redraw pipeline, resource hygiene and
# large forms.
vorn_add_gtest(ButtBehaviourTests DESKTOP
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourPropertyTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourPersistenceTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourInputTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourOptionGroupTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourHoverTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourRedrawTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourHygieneTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourFormTextTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourDpiTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtBehaviourLargeFormTests.cpp
    ${PROJECT_SOURCE_DIR}/tests/host/FailOnCaughtException.cpp
  LIBS vorn_button vorn_host user32 gdi32 ole32 oleaut32)
