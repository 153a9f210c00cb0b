if(NOT WIN32)
  rv_add_test(app_settings_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/RegistrySettingsTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ControlModeTest.cpp
    LIBS rv_settings)
endif()
