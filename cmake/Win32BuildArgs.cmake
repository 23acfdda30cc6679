# The cache arguments of the Windows half of the superbuild, in one place:
# cmake/Win32Build.cmake configures build/win32 with them, and scripts/demo.sh
# configures that same folder with them directly (without the native half),
# so that a later scripts/test.sh finds it configured alike and builds only
# what the demo did not.
#
# Run as a script, it prints them one per line:
#   cmake -DSOURCE_DIR=<repository> -DQXQY_TESTS=ON -DQXQY_WERROR=ON -P cmake/Win32BuildArgs.cmake

# qxqy_win32_build_args(OUT SOURCE_DIR TESTS WERROR)
function(qxqy_win32_build_args out source_dir tests werror)
  set(${out}
      -DCMAKE_TOOLCHAIN_FILE=${source_dir}/cmake/toolchain-mingw-i686.cmake
      # Release whatever the outer build type: the DLL the tests run must be
      # the one scripts/package.sh ships, which builds it the same way.
      -DCMAKE_BUILD_TYPE=Release
      -DQXQY_TESTS=${tests}
      -DQXQY_WERROR=${werror}
      -DQXQY_BENCHMARKS=OFF
      PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(required SOURCE_DIR QXQY_TESTS QXQY_WERROR)
    if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
      message(FATAL_ERROR "Win32BuildArgs.cmake: -D${required}=... is missing")
    endif()
  endforeach()
  qxqy_win32_build_args(args "${SOURCE_DIR}" "${QXQY_TESTS}" "${QXQY_WERROR}")
  foreach(arg IN LISTS args)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${arg}")
  endforeach()
endif()
