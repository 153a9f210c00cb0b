if(TARGET rv_gui)
  rv_add_test(dialogs_progress_area_tests
    SOURCES ${PROJECT_SOURCE_DIR}/tests/framework/QtTestEnvironment.cpp ${CMAKE_CURRENT_LIST_DIR}/ProgressBarDialogTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AreaSelectDialogTest.cpp
    LIBS rv_gui)
endif()
