rv_add_test(params_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CommandTableTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ControlTableTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ComboCatalogTest.cpp
  LIBS rv_params)
