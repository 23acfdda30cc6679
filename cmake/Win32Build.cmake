# The Windows half of the superbuild: the same sources configured with the
# mingw-w64 toolchain in build/win32, built on every build, and its test suite
# run by the outer CTest under Wine (each run in a throwaway copy of a prefix
# made once per build tree).
#
# scripts/demo.sh may have configured and partly built build/win32 already,
# with the same arguments (cmake/Win32BuildArgs.cmake): this build then
# compiles only what is missing there.
include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/Win32BuildArgs.cmake)

set(QXQY_WIN32_BINARY_DIR ${CMAKE_BINARY_DIR}/win32)
qxqy_win32_build_args(win32_cmake_args ${PROJECT_SOURCE_DIR} ${QXQY_TESTS} ${QXQY_WERROR})
ExternalProject_Add(win32
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${QXQY_WIN32_BINARY_DIR}
  CMAKE_ARGS ${win32_cmake_args}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

if(QXQY_TESTS)
  set(QXQY_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
  add_test(NAME wine_prefix
           COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/make-prefix.sh ${QXQY_WINE_TEMPLATE})
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)

  add_test(NAME win32_unit_tests
           COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/run-in-prefix.sh ${QXQY_WINE_TEMPLATE}
                   ${CMAKE_CTEST_COMMAND} --test-dir ${QXQY_WIN32_BINARY_DIR} --output-on-failure)
  set_tests_properties(win32_unit_tests PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 600)

  # The soak needs both halves: the Windows plug-in under the simulator, and
  # the native scorer whose output the final statistics must equal.
  add_test(NAME e2e_soak
           COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/run-in-prefix.sh ${QXQY_WINE_TEMPLATE}
                   ${PROJECT_SOURCE_DIR}/tests/e2e/soak.sh $<TARGET_FILE:qxqy-score>
                   ${QXQY_WIN32_BINARY_DIR}/tests/e2e/plugin-host/hostsim.exe)
  set_tests_properties(e2e_soak PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 300)

  # The log-file checker against the plug-in: the contacts the native scorer
  # derived from a log file, passed to the DLL one by one, must get the same
  # points, grid and score line (the two sample logs and a generated one, in
  # one Wine prefix).
  add_test(NAME e2e_log_proof
           COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/run-in-prefix.sh ${QXQY_WINE_TEMPLATE}
                   ${PROJECT_SOURCE_DIR}/tests/e2e/log-proof.sh $<TARGET_FILE:qxqy-score>
                   ${QXQY_WIN32_BINARY_DIR}/tests/e2e/plugin-host/hostsim.exe
                   ${PROJECT_SOURCE_DIR}/samples ${PROJECT_SOURCE_DIR}/samples/cty-sample.dat
                   ${PROJECT_SOURCE_DIR}/samples/sample-log.cbr
                   ${PROJECT_SOURCE_DIR}/samples/sample-log.adi generated:300)
  set_tests_properties(e2e_log_proof PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 180)

  # The DLL the sessions above ran is the one scripts/package.sh ships (same
  # configuration, reproducible build): it is checked as shipped, and two
  # fresh builds of it in other folders must give the same bytes.
  add_test(NAME win32_dll_check
           COMMAND ${PROJECT_SOURCE_DIR}/tests/package/check-dll.sh
                   ${QXQY_WIN32_BINARY_DIR}/Plugin/QXQYDXContest.dll ${PROJECT_VERSION}
                   ${PROJECT_SOURCE_DIR} ${QXQY_WIN32_BINARY_DIR})
  add_test(NAME win32_dll_reproducible
           COMMAND ${PROJECT_SOURCE_DIR}/tests/package/reproducible.sh ${PROJECT_VERSION}
                   ${CMAKE_BINARY_DIR}/reproducible)
  set_tests_properties(win32_dll_reproducible PROPERTIES TIMEOUT 900)
  # The package around that DLL: the same zip, byte for byte, from two copies
  # of the sources in other folders, with other file modes, times and zones.
  add_test(NAME win32_zip_reproducible
           COMMAND ${PROJECT_SOURCE_DIR}/tests/package/reproducible-zip.sh
                   ${QXQY_WIN32_BINARY_DIR}/Plugin/QXQYDXContest.dll ${PROJECT_VERSION}
                   ${CMAKE_BINARY_DIR}/reproducible-zip)
endif()
