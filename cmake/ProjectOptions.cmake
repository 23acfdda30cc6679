# Compiler settings shared by every target of the project.
add_library(qxqy_options INTERFACE)
target_include_directories(qxqy_options INTERFACE ${PROJECT_SOURCE_DIR})

if(MSVC)
  target_compile_options(qxqy_options INTERFACE /W4)
else()
  target_compile_options(qxqy_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                -Wno-sign-conversion)
  if(QXQY_WERROR)
    target_compile_options(qxqy_options INTERFACE -Werror)
  endif()
endif()

if(WIN32 AND NOT MSVC)
  # The host calls the exports with only 4-byte stack alignment.
  target_compile_options(qxqy_options INTERFACE -mincoming-stack-boundary=2)
  target_compile_definitions(qxqy_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                                                    WINVER=0x0601)
endif()

if(QXQY_SANITIZE)
  target_compile_options(qxqy_options INTERFACE -fsanitize=address,undefined
                                                -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(qxqy_options INTERFACE -fsanitize=address,undefined)
endif()

if(QXQY_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QXQY_FUZZERS needs clang: configure with CC=clang CXX=clang++")
  endif()
  # Every library is instrumented for coverage and checked by the sanitizers;
  # only the fuzz targets themselves link libFuzzer's main (fuzz/CMakeLists.txt).
  # A target with the property QXQY_FUZZ_HARNESS (the fuzz harness) keeps the
  # sanitizers without the coverage instrumentation.
  target_compile_options(
    qxqy_options
    INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
              $<$<NOT:$<BOOL:$<TARGET_PROPERTY:QXQY_FUZZ_HARNESS>>>:-fsanitize=fuzzer-no-link>)
  target_link_options(qxqy_options INTERFACE -fsanitize=address,undefined)
endif()

# Adds a static library of one layer: qxqy_add_layer(name SOURCES ... DEPENDS ...)
function(qxqy_add_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC qxqy_options ${ARG_DEPENDS})
endfunction()
