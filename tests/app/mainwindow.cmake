# The main window's pieces: the factory-mode code and the generic parameter handlers on the real pages.
if(TARGET rv_gui)
  rv_add_test(app_mainwindow_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/FactoryKeySequenceTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ParameterHandlersTest.cpp
            ${PROJECT_SOURCE_DIR}/tests/params/PageFixture.cpp ${PROJECT_SOURCE_DIR}/tests/framework/QtTestEnvironment.cpp
    LIBS rv_gui)
endif()
