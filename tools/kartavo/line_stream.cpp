#include "line_stream.h"

#include "cli.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

namespace kcli {
namespace {

constexpr size_t OutputChunk = 1 << 16;
constexpr size_t InputChunk = 1 << 16;
constexpr size_t QuotedLength = 80;

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; }

[[noreturn]] void WriteFailed(int error) {
  throw std::runtime_error(std::string("cannot write standard output: ") + std::strerror(error));
}

// Reads standard input in large chunks and hands out its lines.
class InputLines {
public:
  // The next line without its line break (and a CR before it); false at the end.
  bool Next(std::string_view& line) {
    for (;;) {
      const size_t eol = FData.find('\n', FPos);
      if (eol != std::string::npos) {
        line = Trimmed(eol);
        FPos = eol + 1;
        return true;
      }
      if (FEnd) {
        if (FPos >= FData.size()) return false;
        line = Trimmed(FData.size());
        FPos = FData.size();
        return true;
      }
      Refill();
    }
  }

private:
  std::string_view Trimmed(size_t end) const {
    std::string_view line(FData.data() + FPos, end - FPos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  void Refill() {
    FData.erase(0, FPos);
    FPos = 0;
    const size_t old = FData.size();
    FData.resize(old + InputChunk);
    ssize_t n;
    do
      n = ::read(STDIN_FILENO, FData.data() + old, InputChunk);
    while (n < 0 && errno == EINTR);
    if (n < 0)
      throw std::runtime_error(std::string("cannot read standard input: ") + std::strerror(errno));
    FData.resize(old + static_cast<size_t>(n));
    FEnd = n == 0;
  }

  std::string FData;
  size_t FPos = 0;
  bool FEnd = false;
};

} // namespace

OutputBuffer::OutputBuffer() { FText.reserve(OutputChunk + 256); }

OutputBuffer& OutputBuffer::Standard() {
  static OutputBuffer out;
  return out;
}

void OutputBuffer::Grow() { FText.reserve(FText.capacity() * 2); }

void OutputBuffer::Put(std::string_view text) { FText.append(text); }

void OutputBuffer::Fixed(double value, int decimals) {
  char buf[352]; // the longest double in fixed notation, with up to 17 decimals
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  std::string_view text(buf, r.ptr - buf);
  // A value that rounds to zero prints without a sign.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos)
    text.remove_prefix(1);
  FText.append(text);
}

void OutputBuffer::Integer(long long value) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  FText.append(buf, r.ptr);
}

void OutputBuffer::EndLine() {
  Put('\n');
  if (FText.size() >= OutputChunk) Flush();
}

void OutputBuffer::Flush() {
  if (FText.empty()) return;
  // Through stdio, so that what other code wrote with std::cout stays in order.
  if (std::fwrite(FText.data(), 1, FText.size(), stdout) != FText.size()) WriteFailed(errno);
  FText.clear();
  if (std::fflush(stdout) != 0) WriteFailed(errno);
}

LineFields SplitLine(std::string_view line) {
  LineFields f;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    while (i < n && IsSeparator(line[i]))
      ++i;
    if (i == n) break;
    const size_t start = i;
    while (i < n && !IsSeparator(line[i]))
      ++i;
    if (f.Count == LineFields::MaxFields) {
      f.TooMany = true;
      break;
    }
    f.Field[f.Count++] = line.substr(start, i - start);
  }
  return f;
}

// from_chars takes no plus sign; one is allowed before a number with no other sign.
bool StripPlus(std::string_view& text) {
  if (text.empty() || text.front() != '+') return true;
  text.remove_prefix(1);
  return !text.empty() && text.front() != '+' && text.front() != '-';
}

bool ParseNumber(std::string_view text, double& value) {
  double v = 0;
  if (!StripPlus(text) || text.empty()) return false;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool ParseInteger(std::string_view text, int& value) {
  int v = 0;
  if (!StripPlus(text) || text.empty()) return false;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
  value = v;
  return true;
}

std::string QuoteLine(std::string_view line) {
  if (line.size() <= QuotedLength) return "\"" + std::string(line) + "\"";
  return "\"" + std::string(line.substr(0, QuotedLength)) + "\"...";
}

void ForEachLine(const std::vector<std::string>& words,
                 const std::function<void(std::string_view, long long)>& fn) {
  if (!words.empty()) {
    std::string line;
    for (const auto& w : words)
      line += (line.empty() ? "" : " ") + w;
    fn(line, 1);
    return;
  }
  InputLines in;
  std::string_view line;
  for (long long no = 1; in.Next(line); ++no)
    fn(line, no);
}

void ConvertLines(const LineStream& stream, const std::vector<std::string>& words,
                  const LineConverter& convert) {
  OutputBuffer& out = OutputBuffer::Standard();
  ForEachLine(words, [&](std::string_view line, long long no) {
    const LineFields fields = SplitLine(line);
    if (fields.empty()) {
      out.EndLine();
      return;
    }
    const size_t mark = out.Mark();
    std::string error = fields.TooMany ? std::string("too many values") : convert(fields, out);
    if (error.empty()) {
      out.EndLine();
      return;
    }
    out.Rewind(mark);
    out.Put(stream.Placeholder);
    out.EndLine();
    // Written in step with the output, so that on a terminal each message
    // follows the placeholder it explains.
    out.Flush();
    std::cerr << "kartavo " << stream.Command << ": line " << no << ": " << error << ": "
              << QuoteLine(line) << '\n';
    SetExitCode(exitBadInput);
  });
  out.Flush();
}

} // namespace kcli
