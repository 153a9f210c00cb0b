if(TARGET rv_gui)
  rv_add_test(params_page_tests
    SOURCES ${PROJECT_SOURCE_DIR}/tests/framework/QtTestEnvironment.cpp ${CMAKE_CURRENT_LIST_DIR}/PageFixture.cpp
            ${CMAKE_CURRENT_LIST_DIR}/PagesTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PageControlsTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ParameterDispatcherTest.cpp
    LIBS rv_gui)
endif()
