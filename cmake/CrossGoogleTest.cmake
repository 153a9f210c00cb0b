# GoogleTest for the Windows cross build: Debian's source package (googletest, /usr/src/googletest) compiled
# with the cross compiler, under the names find_package(GTest) gives a native build.
set(RV_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build with the cross compiler")
if(NOT EXISTS ${RV_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${RV_GOOGLETEST_SOURCE} (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${RV_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its own build already names them GTest::gtest and GTest::gtest_main.
