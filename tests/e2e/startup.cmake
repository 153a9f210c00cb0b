# The main window and the tool as a whole against the simulated camera on a pseudo-terminal.
if(TARGET rv8200xc-camsim AND TARGET rv_gui)
  rv_add_test(e2e_startup_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp ${CMAKE_CURRENT_LIST_DIR}/MainWindowStartUpTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MainWindowRenderTest.cpp ${CMAKE_CURRENT_LIST_DIR}/CamsimProcess.cpp
            ${PROJECT_SOURCE_DIR}/tests/framework/QtTestEnvironment.cpp
    LIBS rv_gui)
  target_include_directories(e2e_startup_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(e2e_startup_tests PRIVATE RV_CAMSIM_EXECUTABLE="$<TARGET_FILE:rv8200xc-camsim>")
  add_dependencies(e2e_startup_tests rv8200xc-camsim)
endif()

# The tool's own application object in a process of its own, ended normally or not.
if(TARGET rv8200xc-camsim AND TARGET rv_gui AND NOT WIN32)
  add_executable(rv8200xc-tool-driver ${CMAKE_CURRENT_LIST_DIR}/ToolDriver.cpp)
  target_link_libraries(rv8200xc-tool-driver PRIVATE rv_gui rv_warnings)
  rv_add_test(e2e_tool_process_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ToolProcessTest.cpp ${CMAKE_CURRENT_LIST_DIR}/CamsimProcess.cpp
    LIBS rv_core)
  target_include_directories(e2e_tool_process_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(e2e_tool_process_tests PRIVATE
    RV_CAMSIM_EXECUTABLE="$<TARGET_FILE:rv8200xc-camsim>" RV_TOOL_DRIVER="$<TARGET_FILE:rv8200xc-tool-driver>")
  add_dependencies(e2e_tool_process_tests rv8200xc-camsim rv8200xc-tool-driver)
endif()
