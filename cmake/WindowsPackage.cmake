# The dist_zip target of the Windows build: builds the DLL, checks it
# (tests/package/check-dll.sh) and writes the package a Windows user
# downloads into QXQY_DIST_DIR: QXQYDXContest-<version>-win32.zip and its
# .sha256 (cmake/MakeWindowsPackage.cmake). scripts/package.sh runs it.
# The zip's entries carry SOURCE_DATE_EPOCH as seen when configuring, as the
# DLL's link time stamp does, or when it is unset the last commit's time.
set(QXQY_DIST_DIR ${PROJECT_BINARY_DIR}/dist CACHE PATH "Where dist_zip writes the package")
set(QXQY_PACKAGE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")

add_custom_target(dist_zip
  COMMAND ${PROJECT_SOURCE_DIR}/tests/package/check-dll.sh $<TARGET_FILE:QXQYDXContest>
          ${PROJECT_VERSION} ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}
  COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:QXQYDXContest> -DVERSION=${PROJECT_VERSION}
          -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DSTAGE_DIR=${PROJECT_BINARY_DIR}/dist-stage
          -DDIST_DIR=${QXQY_DIST_DIR} -DEPOCH=${QXQY_PACKAGE_EPOCH}
          -P ${PROJECT_SOURCE_DIR}/cmake/MakeWindowsPackage.cmake
  DEPENDS QXQYDXContest
  VERBATIM)
