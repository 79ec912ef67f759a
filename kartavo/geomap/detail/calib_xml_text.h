// Small text helpers of the calibration texts, on single-byte text.
#pragma once

#include "kartavo/framework/detail/text_scan.h"

#include <string>
#include <string_view>

namespace kartavo {

// Without leading and trailing blanks and control characters. Keywords and
// attribute names compare lower-cased by fw::LowerAscii, so positions stay.
inline std::string_view TrimBlanks(std::string_view Text) {
  return fw::Trim(Text, fw::IsBlankOrControl);
}

// The text from the double quote that follows Key in LowerText (its first
// occurrence) up to the next double quote (or the end), as a range of
// positions valid in LowerText and in the original line alike. False when
// Key or the opening quote is absent. Key is searched immediately followed by
// the quote when KeyEndsAtQuote is set ("id=" then '"').
bool FindQuotedValue(std::string_view LowerText, std::string_view Key, bool KeyEndsAtQuote,
                     size_t& Start, size_t& Length);

// A double quote inside an attribute value or element content is written as
// &quot; and read back; nothing else is escaped.
std::string EscapeQuotes(std::string_view Text);
std::string UnescapeQuotes(std::string_view Text);

} // namespace kartavo
