rv_add_test(platform_serial_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ComPortTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PtyPeer.cpp
  LIBS rv_link util)
target_include_directories(platform_serial_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
