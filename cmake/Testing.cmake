# GoogleTest: the system package natively, built from Debian's sources when
# cross-compiling (there is no prebuilt mingw GoogleTest).
if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QXQY_GTEST_LIBS gtest gmock)
  set(QXQY_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(QXQY_GTEST_LIBS GTest::gtest GTest::gmock)
  set(QXQY_GTEST_MAIN GTest::gtest_main)
endif()

# Where the tests keep the pictures they take: beside the Wine sessions'
# screenshots (tests/e2e/pictures of the Windows build, build/win32 in the
# superbuild, cmake/Win32Build.cmake), or the same folder of this build when
# there is no Windows build.
if(QXQY_WIN32_BUILD AND NOT CMAKE_CROSSCOMPILING)
  set(QXQY_PICTURES_DIR ${CMAKE_BINARY_DIR}/win32/tests/e2e/pictures)
else()
  set(QXQY_PICTURES_DIR ${PROJECT_BINARY_DIR}/tests/e2e/pictures)
endif()

# One test executable per area: qxqy_add_test(name SOURCES ... DEPENDS ...)
# Under the cross build CTest runs it through CMAKE_CROSSCOMPILING_EMULATOR.
function(qxqy_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE qxqy_options ${ARG_DEPENDS} qxqy_test_support
                                        ${QXQY_GTEST_LIBS} ${QXQY_GTEST_MAIN})
  add_test(NAME ${name} COMMAND ${name})
endfunction()

# Helpers shared by the tests of every layer (temporary folders and files).
add_library(qxqy_test_support STATIC ${PROJECT_SOURCE_DIR}/tests/support/temp_dir.cpp
                                     ${PROJECT_SOURCE_DIR}/tests/support/file_write_lock_${QXQY_BACKEND}.cpp)
target_link_libraries(qxqy_test_support PUBLIC qxqy_options)
