rv_add_test(link_protocol_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AnswerParsingTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ReadLineTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/RequestTest.cpp ${CMAKE_CURRENT_LIST_DIR}/SerialLinkTest.cpp
  LIBS rv_link)
target_include_directories(link_protocol_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
