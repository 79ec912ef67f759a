#include "kartavo/geomap/detail/calib_xml_text.h"

namespace kartavo {
namespace {
constexpr std::string_view kQuoteEntity = "&quot;";

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (size_t hit; (hit = text.find(from, pos)) != std::string_view::npos; pos = hit + from.size())
    out.append(text.substr(pos, hit - pos)).append(to);
  out.append(text.substr(pos));
  return out;
}
} // namespace

bool FindQuotedValue(std::string_view LowerText, std::string_view Key, bool KeyEndsAtQuote,
                     size_t& Start, size_t& Length) {
  size_t quote;
  if (KeyEndsAtQuote) {
    std::string pattern = std::string(Key) + '"';
    size_t key = LowerText.find(pattern);
    if (key == std::string_view::npos) return false;
    quote = key + Key.size();
  } else {
    size_t key = LowerText.find(Key);
    if (key == std::string_view::npos) return false;
    quote = LowerText.find('"', key + Key.size());
    if (quote == std::string_view::npos) return false;
  }
  Start = quote + 1;
  size_t close = LowerText.find('"', Start);
  Length = (close == std::string_view::npos ? LowerText.size() : close) - Start;
  return true;
}

std::string EscapeQuotes(std::string_view Text) { return ReplaceAll(Text, "\"", kQuoteEntity); }
std::string UnescapeQuotes(std::string_view Text) { return ReplaceAll(Text, kQuoteEntity, "\""); }

} // namespace kartavo
