// File-name helpers of the base library. Paths may use either separator,
// since names stored in calibration and database files come from Windows.
#include "kartavo/companion/quillon.h"

#include <string_view>

namespace quillon {
namespace {

size_t NameStart(const std::string& Path) {
  const auto sep = Path.find_last_of("/\\");
  return sep == std::string::npos ? 0 : sep + 1;
}

// Characters a short file name may hold besides letters and digits.
constexpr std::string_view kFN83Specials = "!#$%&'()-@^_`{}~";

bool IsFN83Char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         kFN83Specials.find(c) != std::string_view::npos;
}

} // namespace

std::string StripExtension(const std::string& Path) {
  const size_t start = NameStart(Path);
  const auto dot = Path.rfind('.');
  // A dot that opens the file name (".profile") starts no extension.
  if (dot == std::string::npos || dot <= start) return Path;
  return Path.substr(0, dot);
}

std::string StripPath(const std::string& Path) { return Path.substr(NameStart(Path)); }

std::string ReduceStringToFN83CompliantChars(const std::string& Text) {
  std::string out;
  for (char c : Text)
    if (IsFN83Char(c)) out += c;
  return out;
}

} // namespace quillon
