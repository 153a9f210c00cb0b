if(TARGET rv_gui)
  rv_add_test(framework_widget_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/QtTestEnvironment.cpp ${CMAKE_CURRENT_LIST_DIR}/SpinButtonTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ControlWindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/QtHostsTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/DialogBaseTest.cpp ${CMAKE_CURRENT_LIST_DIR}/QtFileDialogHostTest.cpp
    LIBS rv_gui)
endif()
