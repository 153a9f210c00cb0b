rv_add_test(params_model_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CameraModelInfoTest.cpp
  LIBS rv_params)

# Reading the camera: real pages, the protocol over a pseudo-terminal to the simulated camera.
if(TARGET rv_gui AND TARGET rv8200xc-camsim)
  rv_add_test(params_reading_tests
    SOURCES ${PROJECT_SOURCE_DIR}/tests/framework/QtTestEnvironment.cpp ${CMAKE_CURRENT_LIST_DIR}/PageFixture.cpp
            ${PROJECT_SOURCE_DIR}/tests/e2e/CamsimProcess.cpp ${CMAKE_CURRENT_LIST_DIR}/ReaderFixture.cpp
            ${CMAKE_CURRENT_LIST_DIR}/CameraReaderTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ControlStatesTest.cpp
    LIBS rv_gui)
  target_include_directories(params_reading_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e)
  target_compile_definitions(params_reading_tests PRIVATE RV_CAMSIM_EXECUTABLE="$<TARGET_FILE:rv8200xc-camsim>")
  add_dependencies(params_reading_tests rv8200xc-camsim)
endif()
