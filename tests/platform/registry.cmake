if(NOT WIN32)
  rv_add_test(platform_registry_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/RegEditDocumentTest.cpp ${CMAKE_CURRENT_LIST_DIR}/RegistryStoreTest.cpp
    LIBS rv_platform)
endif()
