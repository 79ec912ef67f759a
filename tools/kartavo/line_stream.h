// Streaming of coordinate lines, the way the converting subcommands work:
// every input line gives exactly one output line, so that output and input
// stay aligned for paste, awk and spreadsheets. A line that cannot be
// converted gives a placeholder line on standard output, its message on
// standard error, and makes the exit status 1. Input and output go through
// large buffers and locale-independent number conversion: a million lines
// take well under a second of parsing and printing.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kcli {

// Standard output through one large buffer. A failed write (a full disk, a
// closed pipe) raises std::runtime_error naming the cause.
class OutputBuffer {
public:
  static OutputBuffer& Standard();

  void Put(std::string_view text);
  void Put(char c) {
    if (FText.size() == FText.capacity()) Grow();
    FText.push_back(c);
  }
  // The number with exactly `decimals` decimals; never "-0.000".
  void Fixed(double value, int decimals);
  void Integer(long long value);

  // Where the output stands, and taking back what followed: a line that
  // fails half-way leaves nothing of itself behind. Valid within one line
  // (EndLine may flush).
  size_t Mark() const { return FText.size(); }
  void Rewind(size_t mark) { FText.resize(mark); }

  // Ends a line; writes the buffer out once it is full.
  void EndLine();
  // Writes out everything buffered.
  void Flush();

private:
  OutputBuffer();
  void Grow();
  std::string FText;
};

// The fields of one line, separated by blanks, tabs, commas or semicolons.
// Lines with more than MaxFields fields keep the first ones and say so.
struct LineFields {
  static constexpr size_t MaxFields = 8;
  std::array<std::string_view, MaxFields> Field;
  size_t Count = 0;
  bool TooMany = false;

  const std::string_view& operator[](size_t i) const { return Field[i]; }
  size_t size() const { return Count; }
  bool empty() const { return Count == 0; }
};

LineFields SplitLine(std::string_view line);

// A whole field as a finite number ("12", "-3.5", "+4", "1e3"); false on
// anything else, on infinities, NaN and on values beyond the range of a double.
bool ParseNumber(std::string_view text, double& value);
// A whole field as a decimal integer within the 32-bit range.
bool ParseInteger(std::string_view text, int& value);

// The line for messages: at most its first 80 characters, marked when cut.
std::string QuoteLine(std::string_view line);

// Calls fn with every input line and its number counted from 1: the
// positional words joined as one line when any were given, otherwise every
// line of standard input (a trailing CR removed).
void ForEachLine(const std::vector<std::string>& words,
                 const std::function<void(std::string_view line, long long lineNo)>& fn);

// Converts one line's fields, writing its result to out; returns the reason
// when the line is rejected (out is then rewound), an empty text otherwise.
using LineConverter = std::function<std::string(const LineFields& fields, OutputBuffer& out)>;

// What a converting subcommand streams: its name for messages and the
// placeholder written for a rejected line (one "*" a column).
struct LineStream {
  std::string Command;
  std::string Placeholder;
};

// Runs convert over every input line (see ForEachLine). Empty lines give
// empty lines. Rejected lines give the placeholder and a message on
// standard error ("kartavo utm: line 3: latitude 91 is outside -90 ... 90:
// "91 0""); the exit status becomes 1.
void ConvertLines(const LineStream& stream, const std::vector<std::string>& words,
                  const LineConverter& convert);

} // namespace kcli
