#include "kartavo/geomap/georef/detail/field_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace kartavo::georef {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t end = line.find(separator, start);
    fields.push_back(Trim(line.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

bool ParseFiniteNumber(std::string_view text, double& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) return false;
  }
  if (text.empty()) return false;
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

std::string ExactDecimal(double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value == 0 ? 0.0 : value); // no "-0"
  return std::string(buf, r.ptr);
}

std::string Readable(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value == 0 ? 0.0 : value);
  return buf;
}

std::string Quoted(std::string_view text) {
  if (text.size() <= 80) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, 80)) + "...\"";
}

} // namespace kartavo::georef
