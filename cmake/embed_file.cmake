# Writes a C++ source that holds a file's bytes as a constant array, so that a
# program carries sample data and needs no file at run time.
# Usage: cmake -DIN=file -DOUT=source.cpp -DNAME=identifier -P embed_file.cmake
file(READ "${IN}" _hex HEX)
string(LENGTH "${_hex}" _digits)
math(EXPR _size "${_digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" _bytes "${_bytes}")
file(WRITE "${OUT}" "// Generated from ${IN} by cmake/embed_file.cmake; do not edit.\n"
  "#include <string_view>\n"
  "namespace {\nconstexpr unsigned char kBytes[] = {\n${_bytes}0};\n}\n"
  "extern const std::string_view ${NAME}(reinterpret_cast<const char*>(kBytes), ${_size});\n")
