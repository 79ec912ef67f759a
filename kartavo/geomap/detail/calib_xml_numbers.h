// The number syntax of the calibration texts: how the readers scan integers
// and decimal numbers out of attribute values and element contents, and the
// fixed-point and general forms in which the writers put them down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kartavo {

// What a decimal number may contain besides sign, digits and the point.
struct TXmlNumberSyntax {
  bool CommaSeparator = false; // the comma is a decimal separator as well
  bool Exponent = false;       // E or e with optional sign and digits
};

// Both separators and an exponent: line values, corners, resolution.
inline constexpr TXmlNumberSyntax XmlNumberLenient{true, true};
// The point only and no exponent: coordinates of calibration points.
inline constexpr TXmlNumberSyntax XmlNumberStrict{false, false};

// Scans an integer at Text[Pos]: leading blanks, an optional sign, digits.
// Pos moves to the first character that does not belong to it. No digits,
// or a number broken before it is complete, gives 0; values beyond 32 bits
// are clamped.
int32_t ScanXmlInteger(std::string_view Text, size_t& Pos);
int32_t ScanXmlInteger(std::string_view Text);

// Scans a decimal number at Text[Pos] in the given syntax. A number broken
// before it is complete (a second sign, a blank after the sign, two
// separators in a row) gives 0; a magnitude beyond the range of a double is
// clamped to the largest double.
double ScanXmlDecimal(std::string_view Text, size_t& Pos, TXmlNumberSyntax Syntax);
double ScanXmlDecimal(std::string_view Text, TXmlNumberSyntax Syntax);

// Checked forms for values that must be numbers: the scan as above, but
// false when no digit was read, when the number was broken before it was
// complete, or when its value lies beyond the range of the type (where the
// plain forms give 0 or clamp). Pos moves as in the plain forms; what
// follows the number is for the caller to judge.
bool ScanXmlDecimalChecked(std::string_view Text, size_t& Pos, TXmlNumberSyntax Syntax,
                           double& Value);
bool ScanXmlIntegerChecked(std::string_view Text, size_t& Pos, int32_t& Value);

// The whole field as one checked number, blanks around it allowed.
bool XmlDecimalField(std::string_view Field, TXmlNumberSyntax Syntax, double& Value);
bool XmlIntegerField(std::string_view Field, int32_t& Value);

// Fixed point with exactly Decimals digits after the point, a minus sign
// only for values that do not round to zero.
std::string FormatXmlFixed(double Value, int Decimals);

// The shortest general form with up to 15 significant digits: fixed point
// for magnitudes from 0.0001 to below 1E15, otherwise mantissa and exponent
// ("1.5E-7", "2E20"). The point is the decimal separator.
std::string FormatXmlGeneral(double Value);

} // namespace kartavo
