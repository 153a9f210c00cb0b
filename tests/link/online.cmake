rv_add_test(link_online_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/OnlineStatusTest.cpp
  LIBS rv_link)
