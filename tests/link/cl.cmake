# Camera Link serial libraries: the three kinds, the folder search and run-time loading, against the
# simulated frame-grabber libraries (POSIX builds with the simulator only).
if(TARGET rv_cl_sims)
  rv_add_test(cl_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ClSerialKindsTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ClLibraryFolderTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ClSimConfigTest.cpp
    LIBS rv_link rv_clsim_common)
  add_dependencies(cl_tests rv_cl_sims)
  target_compile_definitions(cl_tests PRIVATE RV_CL_SIM_DIR="${RV_CL_SIM_DIR}"
                                              RV_CL_TEST_ROOT="${PROJECT_BINARY_DIR}/cl-test")
endif()
