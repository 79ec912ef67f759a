// Small text helpers of the georeferencing file readers and writers:
// trimming, case folding, whole-field numbers and the shortest decimal form
// that reads back to the same double.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kartavo::georef {

std::string_view Trim(std::string_view text);
std::string Upper(std::string_view text);
std::vector<std::string_view> SplitFields(std::string_view line, char separator);
// The whole field (blanks around it allowed) as a finite double; "+" allowed,
// no hexadecimal, no NaN or infinity, nothing beyond the range of a double.
bool ParseFiniteNumber(std::string_view text, double& value);
// The shortest decimal text that reads back as exactly this value (with an
// exponent where that is shorter).
std::string ExactDecimal(double value);
// Up to 15 significant digits, an exponent only for very large or small
// magnitudes: numbers in messages.
std::string Readable(double value);
// The text for messages: at most its first 80 characters, in double quotes.
std::string Quoted(std::string_view text);

} // namespace kartavo::georef
