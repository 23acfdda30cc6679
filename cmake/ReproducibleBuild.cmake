# Byte-identical Windows binaries: the same sources give the same DLL whatever
# folders they are built in and whenever. Checked by tests/package/reproducible.sh.
#
# - No build path in an object file: __FILE__ and any debug information name
#   files relative to the source folder ("./...") or the build folder
#   ("build/..."). GCC applies the last matching map, so the build folder
#   (often inside the source folder) comes second.
# - qxqy_reproducible_dll(target) sets the link of a shipped DLL: symbols
#   stripped by the linker itself (a separate strip may rewrite the header),
#   a fixed image base, and a fixed link time stamp.

if(WIN32 AND NOT MSVC)
  target_compile_options(qxqy_options INTERFACE -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                                                -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()

# The PE time stamp (file header and export directory) is SOURCE_DATE_EPOCH as
# seen when configuring, or 0 when it is unset. ld reads SOURCE_DATE_EPOCH
# only from its own environment, so the link runs under `cmake -E env` with
# the configured value: a build started from another shell gives the same DLL.
# A file holding the stamp is a link dependency, so a configure with another
# SOURCE_DATE_EPOCH relinks the DLL.
function(qxqy_reproducible_dll target)
  # Without a fixed base, ld derives one from a hash of the output path as
  # written on its command line, which differs between generators; this is
  # the base it derived for the Makefile build.
  target_link_options(${target} PRIVATE -s LINKER:--image-base=0x63700000)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(NOT epoch MATCHES "^[0-9]+$" OR epoch GREATER 4294967295)
      message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds below 2^32, not '${epoch}'")
    endif()
    target_link_options(${target} PRIVATE LINKER:--insert-timestamp)
    set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
                 ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch})
  else()
    set(epoch 0)
    target_link_options(${target} PRIVATE LINKER:--no-insert-timestamp)
  endif()
  set(stamp_file ${CMAKE_CURRENT_BINARY_DIR}/${target}-link-time-stamp.txt)
  file(CONFIGURE OUTPUT ${stamp_file} CONTENT "${epoch}\n")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${stamp_file})
endfunction()
