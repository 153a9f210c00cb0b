# The simulated camera's model and in-process link.
if(TARGET rv_camsim_core)  # not built where the simulator is switched off (Windows)
  rv_add_test(camsim_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CameraModelTest.cpp ${CMAKE_CURRENT_LIST_DIR}/CameraRulesTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/InProcessLinkTest.cpp
    LIBS rv_camsim_core)
endif()
