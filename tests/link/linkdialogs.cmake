# The communication dialog and the terminal, offscreen, against the simulated camera on "COM1".
if(TARGET rv_gui AND TARGET rv8200xc-camsim)
  rv_add_test(link_dialog_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/LinkDialogsEnvironment.cpp ${CMAKE_CURRENT_LIST_DIR}/CommunicationDialogTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/TerminalDialogTest.cpp ${PROJECT_SOURCE_DIR}/tests/e2e/CamsimProcess.cpp
    LIBS rv_gui)
  target_include_directories(link_dialog_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/tests/e2e)
  target_compile_definitions(link_dialog_tests PRIVATE RV_CAMSIM_EXECUTABLE="$<TARGET_FILE:rv8200xc-camsim>"
                                                       RV_TEST_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_dependencies(link_dialog_tests rv8200xc-camsim)
endif()
