// Conversion between UTF-8 and the single-byte Windows-1252 code page in
// which names and texts are stored in files and fixed-size records.
#pragma once

#include "kartavo/framework/export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// Converts UTF-8 text to Windows-1252 bytes; characters the code page lacks
// (and malformed UTF-8 sequences) become '?'.
KARTAVO_API std::string Utf8ToCp1252(std::string_view utf8);
// Converts Windows-1252 bytes to UTF-8; the five unassigned bytes map to the
// C1 control characters of the same value, so no byte is lost.
KARTAVO_API std::string Cp1252ToUtf8(std::string_view bytes);
// The Unicode code point of one Windows-1252 byte.
KARTAVO_API char32_t Cp1252ToCodePoint(uint8_t byte);

} // namespace fw
