# The page layouts are plain data: built here from their source, without Qt, against the tables.
rv_add_test(layouts_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PageLayoutsTest.cpp ${PROJECT_SOURCE_DIR}/src/resources/PageLayouts.cpp
  LIBS rv_params)
