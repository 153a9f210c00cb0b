rv_add_test(framework_file_dialog_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FileDialogPatternTest.cpp
  LIBS rv_framework_core)
