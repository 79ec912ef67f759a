#include "kartavo/geomap/detail/calib_xml_numbers.h"

#include "kartavo/framework/detail/text_scan.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kartavo {
namespace {

// Exponent digits that would take the exponent beyond this are ignored: the
// value is out of the range of a double long before.
constexpr int kMaxExponent = 4200;

bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool At(std::string_view t, size_t i, bool (*test)(char)) { return i < t.size() && test(t[i]); }

// Skips blanks and an optional sign. False when the number is broken right
// after the sign (another sign or a blank).
bool ScanSign(std::string_view t, size_t& i, bool& negative) {
  while (At(t, i, fw::IsSpaceOrTab))
    ++i;
  negative = false;
  if (!At(t, i, IsSign)) return true;
  negative = t[i++] == '-';
  return !(At(t, i, IsSign) || At(t, i, fw::IsSpaceOrTab));
}

size_t ScanDigits(std::string_view t, size_t& i) {
  size_t start = i;
  while (At(t, i, IsDigit))
    ++i;
  return i - start;
}

// The exponent after E or e; leaves i before the letter when no digits follow.
bool ScanExponent(std::string_view t, size_t& i, int& exponent) {
  size_t j = i + 1;
  bool negative = false;
  if (At(t, j, IsSign)) {
    negative = t[j++] == '-';
    if (At(t, j, IsSign)) return false;
  }
  if (!At(t, j, IsDigit)) return true;
  int value = 0;
  for (; At(t, j, IsDigit); ++j)
    if (value <= kMaxExponent) value = value * 10 + (t[j] - '0');
  exponent = negative ? -value : value;
  i = j;
  return true;
}

// The decimal magnitude of digits "ip.fp" times 10^exponent, enough to tell
// an overflow from an underflow.
long Magnitude(std::string_view ip, std::string_view fp, int exponent) {
  size_t nz = ip.find_first_not_of('0');
  if (nz != std::string_view::npos) return static_cast<long>(ip.size() - nz) + exponent;
  size_t fz = fp.find_first_not_of('0');
  if (fz == std::string_view::npos) return std::numeric_limits<long>::min();
  return exponent - static_cast<long>(fz);
}

double ClampedValue(std::string_view ip, std::string_view fp, int exponent) {
  std::string text;
  text.reserve(ip.size() + fp.size() + 8);
  text.append(ip.empty() ? "0" : ip).append(".").append(fp);
  text.append("e").append(std::to_string(exponent));
  double v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc::result_out_of_range)
    return Magnitude(ip, fp, exponent) > 0 ? DBL_MAX : 0.0;
  return std::isinf(v) ? DBL_MAX : v;
}

} // namespace

int32_t ScanXmlInteger(std::string_view Text, size_t& Pos) {
  size_t i = std::min(Pos, Text.size());
  bool negative = false;
  if (!ScanSign(Text, i, negative)) {
    Pos = i;
    return 0;
  }
  int64_t value = 0;
  for (; At(Text, i, IsDigit); ++i)
    if (value <= INT32_MAX) value = value * 10 + (Text[i] - '0');
  Pos = i;
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t ScanXmlInteger(std::string_view Text) {
  size_t pos = 0;
  return ScanXmlInteger(Text, pos);
}

double ScanXmlDecimal(std::string_view Text, size_t& Pos, TXmlNumberSyntax Syntax) {
  auto isSeparator = [Syntax](char c) { return c == '.' || (Syntax.CommaSeparator && c == ','); };
  size_t i = std::min(Pos, Text.size());
  bool negative = false;
  if (!ScanSign(Text, i, negative)) {
    Pos = i;
    return 0;
  }
  size_t ipStart = i;
  std::string_view ip = Text.substr(ipStart, ScanDigits(Text, i));
  std::string_view fp;
  if (i < Text.size() && isSeparator(Text[i])) {
    ++i;
    if (i < Text.size() && isSeparator(Text[i])) {
      Pos = i;
      return 0;
    }
    size_t fpStart = i;
    fp = Text.substr(fpStart, ScanDigits(Text, i));
  }
  if (ip.empty() && fp.empty()) {
    Pos = i;
    return 0;
  }
  int exponent = 0;
  if (Syntax.Exponent && i < Text.size() && (Text[i] == 'e' || Text[i] == 'E') &&
      !ScanExponent(Text, i, exponent)) {
    Pos = i;
    return 0;
  }
  Pos = i;
  double v = ClampedValue(ip, fp, exponent);
  return negative ? -v : v;
}

double ScanXmlDecimal(std::string_view Text, TXmlNumberSyntax Syntax) {
  size_t pos = 0;
  return ScanXmlDecimal(Text, pos, Syntax);
}

namespace {

bool HasDigit(std::string_view t) {
  return t.find_first_of("0123456789") != std::string_view::npos;
}

bool OnlyBlanksFrom(std::string_view t, size_t pos) {
  for (; pos < t.size(); ++pos)
    if (!fw::IsSpaceOrTab(t[pos])) return false;
  return true;
}

} // namespace

bool ScanXmlDecimalChecked(std::string_view Text, size_t& Pos, TXmlNumberSyntax Syntax,
                           double& Value) {
  const size_t start = std::min(Pos, Text.size());
  Value = ScanXmlDecimal(Text, Pos, Syntax);
  if (!HasDigit(Text.substr(start, Pos - start)) || std::fabs(Value) == DBL_MAX) return false;
  // A number broken after its digits (two separators, an exponent without
  // digits after its sign) stops in front of a character that continues it.
  if (Pos < Text.size()) {
    const char c = Text[Pos];
    const bool continues = c == '.' || IsDigit(c) || (Syntax.CommaSeparator && c == ',') ||
                           (Syntax.Exponent && (c == 'e' || c == 'E'));
    if (continues) return false;
  }
  return true;
}

bool ScanXmlIntegerChecked(std::string_view Text, size_t& Pos, int32_t& Value) {
  size_t i = std::min(Pos, Text.size());
  bool negative = false;
  const bool unbroken = ScanSign(Text, i, negative);
  const size_t digitsStart = i;
  const size_t digits = unbroken ? ScanDigits(Text, i) : 0;
  Pos = i;
  int64_t v = 0;
  auto r = std::from_chars(Text.data() + digitsStart, Text.data() + digitsStart + digits, v);
  if (digits == 0 || r.ec != std::errc()) return false;
  v = negative ? -v : v;
  if (v < INT32_MIN || v > INT32_MAX) return false;
  Value = static_cast<int32_t>(v);
  return true;
}

bool XmlDecimalField(std::string_view Field, TXmlNumberSyntax Syntax, double& Value) {
  size_t pos = 0;
  return ScanXmlDecimalChecked(Field, pos, Syntax, Value) && OnlyBlanksFrom(Field, pos);
}

bool XmlIntegerField(std::string_view Field, int32_t& Value) {
  size_t pos = 0;
  return ScanXmlIntegerChecked(Field, pos, Value) && OnlyBlanksFrom(Field, pos);
}

std::string FormatXmlFixed(double Value, int Decimals) {
  if (std::isnan(Value)) Value = 0;
  if (std::isinf(Value)) Value = Value < 0 ? -DBL_MAX : DBL_MAX;
  int n = std::snprintf(nullptr, 0, "%.*f", Decimals, Value);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(s.data(), s.size(), "%.*f", Decimals, Value);
  s.resize(static_cast<size_t>(n));
  if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  return s;
}

std::string FormatXmlGeneral(double Value) {
  if (std::isnan(Value) || Value == 0) return "0";
  if (std::isinf(Value)) Value = Value < 0 ? -DBL_MAX : DBL_MAX;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", Value); // [-]d.dddddddddddddde[+-]xx
  std::string_view s(buf);
  bool negative = s[0] == '-';
  if (negative) s.remove_prefix(1);
  size_t ePos = s.find('e');
  std::string digits;
  digits += s[0];
  digits.append(s.substr(2, ePos - 2));
  int exponent = std::atoi(buf + (negative ? 1 : 0) + ePos + 1);
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= -4 && exponent < 15) {
    if (exponent < 0) {
      out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
      size_t intLen = static_cast<size_t>(exponent) + 1;
      if (digits.size() <= intLen) {
        out += digits + std::string(intLen - digits.size(), '0');
      } else {
        out += digits.substr(0, intLen) + "." + digits.substr(intLen);
      }
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) out += "." + digits.substr(1);
  out += "E" + std::to_string(exponent);
  return out;
}

} // namespace kartavo
