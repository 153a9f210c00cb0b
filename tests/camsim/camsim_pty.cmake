# The pseudo-terminal camera: its options and the rv8200xc-camsim executable end to end.
if(TARGET rv8200xc-camsim)  # not built where the simulator is switched off (Windows)
  rv_add_test(camsim_pty_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CamsimOptionsTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PtyEndToEndTest.cpp
    LIBS rv_camsim_pty)
  target_compile_definitions(camsim_pty_tests PRIVATE RV_CAMSIM_EXECUTABLE="$<TARGET_FILE:rv8200xc-camsim>")
  add_dependencies(camsim_pty_tests rv8200xc-camsim)
endif()
