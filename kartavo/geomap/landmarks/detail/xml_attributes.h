// The attribute text of one tag of the landmark and symbol files, split into
// names and values, and the text form of their values.
#pragma once

#include "kartavo/framework/detail/text_scan.h"
#include "kartavo/geomap/landmark_records.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kartavo::detail {

// Calls Visit(lowerName, value) for each attribute "name=value" in turn. A
// value stands in double quotes (up to the next quote or the end) or, unquoted,
// ends at the next blank. Names are lower-cased; a name without '=' has an
// empty value. Visit returns false to stop.
template <typename Visit> void ForEachAttribute(std::string_view text, Visit visit);

// Texts go into a value as Windows-1252 bytes with the double quote written
// as &quot; and line breaks as &#13; and &#10;, which would otherwise end the
// value; nothing else is escaped. Reading turns these back.
std::string EncodeXmlText(std::string_view Bytes);
std::string DecodeXmlText(std::string_view Value);

// The value forms of the files: a colour as eight hexadecimal digits, a
// number in the shortest form that reads back to the same double, a
// Boolean as TRUE or FALSE.
std::string XmlColor(uint32_t Color);
uint32_t ScanXmlColor(std::string_view Value);
std::string XmlDouble(double Value);
inline std::string_view XmlBool(bool Value) { return Value ? "TRUE" : "FALSE"; }
// True when the value contains "true" in any letter case.
bool ScanXmlBool(std::string_view Value);

// The look of a symbol but its kind, from the values of the attributes
// colorfg, colorbg, size, transp, dir and leng, which both the landmark and
// the symbol element hold in this order from Values[First] on.
void ScanSymbolLook(std::span<const std::string_view> Values, size_t First,
                    TSymbolProperties& Props);

template <typename Visit> void ForEachAttribute(std::string_view text, Visit visit) {
  size_t pos = 0;
  char lower[32]; // names that do not fit are no attribute of ours: passed as they are
  while (pos < text.size()) {
    while (pos < text.size() && (fw::IsXmlWhiteSpace(text[pos]) || text[pos] == '/'))
      ++pos;
    const size_t start = pos;
    while (pos < text.size() && text[pos] != '=' && !fw::IsXmlWhiteSpace(text[pos]))
      ++pos;
    if (pos == start) break;
    std::string_view name = text.substr(start, pos - start);
    if (name.size() <= sizeof lower) {
      for (size_t i = 0; i < name.size(); ++i)
        lower[i] = fw::LowerAscii(name[i]);
      name = std::string_view(lower, name.size());
    }
    std::string_view value;
    if (pos < text.size() && text[pos] == '=') {
      ++pos;
      if (pos < text.size() && text[pos] == '"') {
        const size_t close = text.find('"', pos + 1);
        const size_t end = close == std::string_view::npos ? text.size() : close;
        value = text.substr(pos + 1, end - pos - 1);
        pos = end == text.size() ? end : end + 1;
      } else {
        const size_t vstart = pos;
        while (pos < text.size() && !fw::IsXmlWhiteSpace(text[pos]))
          ++pos;
        value = text.substr(vstart, pos - vstart);
      }
    }
    if (!visit(name, value)) return;
  }
}

// The values of the named attributes, by their place in Names: the first of
// repeated attributes counts, a missing one is empty. The views point into
// text.
template <size_t N>
std::array<std::string_view, N> SplitAttributes(std::string_view text,
                                                const std::array<std::string_view, N>& Names) {
  std::array<std::string_view, N> value{};
  std::array<bool, N> seen{};
  size_t next = 0; // elements in the writer's order find each name at once
  ForEachAttribute(text, [&](std::string_view name, std::string_view v) {
    for (size_t k = 0; k < N; ++k) {
      const size_t i = (next + k) % N;
      if (Names[i] != name) continue;
      if (!seen[i]) value[i] = v;
      seen[i] = true;
      next = i + 1;
      break;
    }
    return true;
  });
  return value;
}

} // namespace kartavo::detail
