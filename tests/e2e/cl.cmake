# The link and the protocol through the Camera Link library kinds, against the simulated libraries.
if(TARGET rv_cl_sims)
  rv_add_test(e2e_cl_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ClLinkEndToEndTest.cpp
    LIBS rv_link)
  add_dependencies(e2e_cl_tests rv_cl_sims)
  target_compile_definitions(e2e_cl_tests PRIVATE RV_CL_SIM_DIR="${RV_CL_SIM_DIR}"
                                                  RV_CL_TEST_ROOT="${PROJECT_BINARY_DIR}/cl-test")
endif()
