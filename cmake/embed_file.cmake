# cmake -DINPUT=file -DOUTPUT=header.h -DNAME=kSomethingBytes -P embed_file.cmake
# Writes a header holding the file's bytes as `inline constexpr unsigned char kSomethingBytes[]`
# (with a terminating zero that is not counted) and their count as
# `inline constexpr std::size_t kSomethingSize`.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  "
       bytes "${bytes}")
string(REGEX REPLACE "Bytes$" "Size" size_name "${NAME}")
if(size_name STREQUAL NAME)
  set(size_name "${NAME}Size")
endif()
get_filename_component(input_name "${INPUT}" NAME)
set(content "// Generated from ${input_name} by cmake/embed_file.cmake. Do not edit.\n#pragma once\n\n#include <cstddef>\n\ninline constexpr unsigned char ${NAME}[] = {\n  ${bytes}0x00};\ninline constexpr std::size_t ${size_name} = ${size};\n")
# Rewrite only when changed, so a rebuild does not recompile for nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
