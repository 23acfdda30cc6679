# Writes what a Windows user downloads (run by the dist_zip target, see
# cmake/WindowsPackage.cmake):
#   cmake -DDLL=<built DLL> -DVERSION=<x.y.z> -DSOURCE_DIR=<repository>
#         -DSTAGE_DIR=<scratch folder> -DDIST_DIR=<output folder> [-DEPOCH=<seconds>]
#         -P MakeWindowsPackage.cmake
#
# DIST_DIR/QXQYDXContest-VERSION-win32.zip holds, flat and in this order:
#   QXQYDXContest.dll          the DLL as built (stripped at link time)
#   README.txt                 docs/user-guide.txt with CR LF line ends
#   qx-qy.dom, qx-qy.txt       the sample reference files, byte for byte
#   SHA256SUMS.txt             SHA-256 of each of the four files above
# and DIST_DIR/QXQYDXContest-VERSION-win32.zip.sha256 holds the zip's own
# SHA-256, to check the download before opening it.
#
# The zip's bytes depend only on the sources and the DLL
# (cmake/write-reproducible-zip.py): every entry has the mode 0644 and the
# time EPOCH (SOURCE_DATE_EPOCH as configured), or when EPOCH is empty the
# time of the last commit of SOURCE_DIR's git checkout.
cmake_minimum_required(VERSION 3.21)

foreach(required DLL VERSION SOURCE_DIR STAGE_DIR DIST_DIR)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "MakeWindowsPackage.cmake: -D${required}=... is missing")
  endif()
endforeach()

# The time of the last commit, when SOURCE_DIR is the top of a git checkout
# (a copy of the sources inside some other checkout must not take that
# checkout's date).
function(last_commit_time out source_dir)
  file(REAL_PATH ${source_dir} source_dir)
  execute_process(COMMAND git -C ${source_dir} rev-parse --show-toplevel
                  OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE top_result ERROR_QUIET)
  if(top_result EQUAL 0)
    file(REAL_PATH ${top} top)
  endif()
  if(NOT top_result EQUAL 0 OR NOT top STREQUAL source_dir)
    message(FATAL_ERROR "Cannot date the package: ${source_dir} is not a git checkout. "
                        "Set SOURCE_DATE_EPOCH (seconds since 1970) when configuring.")
  endif()
  execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
                  OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE log_result ERROR_QUIET)
  if(NOT log_result EQUAL 0 OR NOT time MATCHES "^[0-9]+$")
    message(FATAL_ERROR "Cannot date the package: ${source_dir} has no commit yet. "
                        "Set SOURCE_DATE_EPOCH (seconds since 1970) when configuring.")
  endif()
  set(${out} ${time} PARENT_SCOPE)
endfunction()

if(NOT DEFINED EPOCH OR EPOCH STREQUAL "")
  last_commit_time(EPOCH ${SOURCE_DIR})
elseif(NOT EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds, not '${EPOCH}'")
endif()
find_program(PYTHON3 NAMES python3)
if(NOT PYTHON3)
  message(FATAL_ERROR "Writing the package needs python3 (scripts/install-deps.sh package)")
endif()

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
  COMMAND ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/write-reproducible-zip.py --epoch ${EPOCH}
          --directory ${STAGE_DIR} --output ${zip} -- ${listed} SHA256SUMS.txt
  RESULT_VARIABLE zip_result)
if(NOT zip_result EQUAL 0)
  message(FATAL_ERROR "Cannot write ${zip}")
endif()
file(SHA256 ${zip} zip_hash)
write_crlf_lines(${zip}.sha256 "${zip_hash}  ${package_name}.zip")
message(STATUS "Package: ${zip}")
