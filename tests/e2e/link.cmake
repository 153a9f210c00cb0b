# The link and the protocol against the simulated camera on a pseudo-terminal.
if(TARGET rv8200xc-camsim)
  rv_add_test(e2e_link_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/LinkEndToEndTest.cpp ${CMAKE_CURRENT_LIST_DIR}/CamsimProcess.cpp
    LIBS rv_link)
  target_include_directories(e2e_link_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(e2e_link_tests PRIVATE RV_CAMSIM_EXECUTABLE="$<TARGET_FILE:rv8200xc-camsim>")
  add_dependencies(e2e_link_tests rv8200xc-camsim)
endif()
