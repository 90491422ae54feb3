# GoogleTest and GoogleMock for the cross builds, which have no prebuilt
# ones: static libraries built from Debian's sources (package googletest),
# as GTest::gtest_main and GTest::gmock.
set(TABULARA_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
if(NOT EXISTS ${TABULARA_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's sources are not in ${TABULARA_GOOGLETEST_SOURCE_DIR} (package googletest)")
endif()
set(BUILD_SHARED_LIBS OFF)
set(BUILD_GMOCK ON)
set(INSTALL_GTEST OFF)
add_subdirectory(${TABULARA_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# With a Notification that needs no std::mutex (see the header), found
# before GoogleTest's own include directories.
target_compile_options(gtest PUBLIC -iquote ${PROJECT_SOURCE_DIR}/tests/windows/googletest)
