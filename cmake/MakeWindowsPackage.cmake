# Writes what a Windows user downloads (run by the dist_zip target, see
# cmake/WindowsPackage.cmake):
#   cmake -DDLL=<built DLL> -DVERSION=<x.y.z> -DSOURCE_DIR=<repository>
#         -DSTAGE_DIR=<scratch folder> -DDIST_DIR=<output folder> -P MakeWindowsPackage.cmake
#
# DIST_DIR/QXQYDXContest-VERSION-win32.zip holds, flat:
#   QXQYDXContest.dll          the DLL as built (stripped at link time)
#   qx-qy.dom, qx-qy.txt       the sample reference files, byte for byte
#   README.txt                 docs/user-guide.txt with CR LF line ends
#   SHA256SUMS.txt             SHA-256 of each of the four files above
# and DIST_DIR/QXQYDXContest-VERSION-win32.zip.sha256 holds the zip's own
# SHA-256, to check the download before opening it.
cmake_minimum_required(VERSION 3.21)

foreach(required DLL VERSION SOURCE_DIR STAGE_DIR DIST_DIR)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "MakeWindowsPackage.cmake: -D${required}=... is missing")
  endif()
endforeach()

set(package_name QXQYDXContest-${VERSION}-win32)
set(zip ${DIST_DIR}/${package_name}.zip)

# Writes `lines` (a list) to `path`, each line ended by CR LF.
function(write_crlf_lines path lines)
  list(JOIN lines "\r\n" text)
  file(WRITE ${path} "${text}\r\n")
endfunction()

# Copies the LF text file `source` to `target` with CR LF line ends. The text
# must be ASCII, so that any Windows editor shows it the same.
function(copy_text_as_crlf source target)
  file(READ ${source} text)
  if(text MATCHES "[^\t\n\r -~]")
    message(FATAL_ERROR "${source} holds a character outside printable ASCII")
  endif()
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${target} "${text}")
endfunction()

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR} ${DIST_DIR})
file(COPY_FILE ${DLL} ${STAGE_DIR}/QXQYDXContest.dll)
file(COPY_FILE ${SOURCE_DIR}/samples/qx-qy.dom ${STAGE_DIR}/qx-qy.dom)
file(COPY_FILE ${SOURCE_DIR}/samples/qx-qy.txt ${STAGE_DIR}/qx-qy.txt)
copy_text_as_crlf(${SOURCE_DIR}/docs/user-guide.txt ${STAGE_DIR}/README.txt)

# The line format of sha256sum, so `sha256sum -c` checks it too.
set(listed QXQYDXContest.dll README.txt qx-qy.dom qx-qy.txt)
set(sums "")
foreach(name ${listed})
  file(SHA256 ${STAGE_DIR}/${name} hash)
  list(APPEND sums "${hash}  ${name}")
endforeach()
write_crlf_lines(${STAGE_DIR}/SHA256SUMS.txt "${sums}")

file(REMOVE ${zip} ${zip}.sha256)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip -- ${listed} SHA256SUMS.txt
  WORKING_DIRECTORY ${STAGE_DIR}
  RESULT_VARIABLE tar_result)
if(NOT tar_result EQUAL 0)
  message(FATAL_ERROR "Cannot write ${zip}")
endif()
file(SHA256 ${zip} zip_hash)
write_crlf_lines(${zip}.sha256 "${zip_hash}  ${package_name}.zip")
message(STATUS "Package: ${zip}")
