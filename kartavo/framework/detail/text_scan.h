// Scanning single-byte text: blank tests, trimming, lower-casing in ASCII and
// in the Windows-1252 code page. Every reader of the package's text files
// (tags, calibration values, numbers, landmarks, symbols) uses these, so that
// one character class means one thing everywhere.
//
// The readers deliberately differ in what counts as blank:
//  - a number stops at anything but a space or a tab (IsSpaceOrTab);
//  - a tag's text is trimmed of XML white space: space, tab, CR, LF
//    (IsXmlWhiteSpace);
//  - a calibration value is trimmed of every control character as well
//    (IsBlankOrControl).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

constexpr bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

constexpr bool IsXmlWhiteSpace(char c) { return IsSpaceOrTab(c) || c == '\r' || c == '\n'; }

constexpr bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Text without the leading and trailing characters that IsBlank accepts.
template <class Blank> constexpr std::string_view Trim(std::string_view text, Blank isBlank) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// Text without the trailing characters that IsBlank accepts.
template <class Blank> constexpr std::string_view TrimRight(std::string_view text, Blank isBlank) {
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// Lower-cases A..Z only; every other byte, Windows-1252 letters included,
// stays. Keywords, tag and attribute names and file extensions compare so.
constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Lower-cases the Windows-1252 letters: A..Z, À..Þ except the multiplication
// sign, and Š, Œ, Ž, Ÿ. Names that users type (towns, landmarks) compare so.
constexpr char LowerCp1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
    return static_cast<char>(u + 0x20);
  if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 0x10);
  if (u == 0x9F) return static_cast<char>(0xFF);
  return c;
}

// The whole text through one of the two above; positions stay the same.
template <class Lower> std::string LowerText(std::string_view text, Lower lower) {
  std::string out(text);
  for (char& c : out)
    c = lower(c);
  return out;
}

inline std::string LowerAscii(std::string_view text) {
  return LowerText(text, [](char c) { return LowerAscii(c); });
}

inline std::string LowerCp1252(std::string_view text) {
  return LowerText(text, [](char c) { return LowerCp1252(c); });
}

// Equal but for the case of A..Z.
constexpr bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

} // namespace fw
