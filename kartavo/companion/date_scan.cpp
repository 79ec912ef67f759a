#include "kartavo/companion/tessaro.h"

#include <array>
#include <cctype>
#include <string_view>
#include <vector>

namespace tessaro {
namespace {

using quillon::TLanguage;

// Month names by language; each month accepts its full name and the
// abbreviations listed, in any ASCII letter case. German names with an
// umlaut are listed in UTF-8, Windows-1252 and the spelling without it.
const std::array<std::vector<std::string_view>, 12>& MonthNames(TLanguage language) {
  static const std::array<std::vector<std::string_view>, 12> english = {
      {{"january", "jan"},
       {"february", "feb"},
       {"march", "mar"},
       {"april", "apr"},
       {"may"},
       {"june", "jun"},
       {"july", "jul"},
       {"august", "aug"},
       {"september", "sep", "sept"},
       {"october", "oct"},
       {"november", "nov"},
       {"december", "dec"}}};
  static const std::array<std::vector<std::string_view>, 12> german = {
      {{"januar", "jan"},
       {"februar", "feb"},
       {"m\xC3\xA4rz", "m\xE4rz", "maerz", "m\xC3\xA4r", "m\xE4r", "mrz"},
       {"april", "apr"},
       {"mai"},
       {"juni", "jun"},
       {"juli", "jul"},
       {"august", "aug"},
       {"september", "sep", "sept"},
       {"oktober", "okt"},
       {"november", "nov"},
       {"dezember", "dez"}}};
  return language == quillon::lanGerman ? german : english;
}

bool StartsWithNoCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(word[i]))
      return false;
  return true;
}

// Reads a month name at i; returns 1..12 and advances i, or 0.
int ReadMonthName(std::string_view text, size_t& i, TLanguage language) {
  const auto& names = MonthNames(language);
  size_t bestLen = 0;
  int best = 0;
  for (int m = 0; m < 12; ++m)
    for (std::string_view w : names[static_cast<size_t>(m)])
      if (w.size() > bestLen && StartsWithNoCase(text.substr(i), w)) {
        bestLen = w.size();
        best = m + 1;
      }
  i += bestLen;
  return best;
}

// Reads up to width digits at i (after blanks); -1 when there is none.
int ReadNumber(std::string_view text, size_t& i, size_t width) {
  while (i < text.size() && text[i] == ' ')
    ++i;
  int value = 0;
  size_t n = 0;
  while (n < width && i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + (text[i++] - '0');
    ++n;
  }
  return n == 0 ? -1 : value;
}

struct TFields {
  int Year = -1, Month = -1, Day = -1, Hour = -1, Min = -1, Sec = -1;
};

int* FieldOf(TFields& f, char letter) {
  switch (letter) {
  case 'y':
    return &f.Year;
  case 'm':
    return &f.Month;
  case 'd':
    return &f.Day;
  case 'H':
  case 'h':
    return &f.Hour;
  case 'M':
    return &f.Min;
  case 'S':
  case 's':
    return &f.Sec;
  default:
    return nullptr;
  }
}

int OrZero(int v) { return v < 0 ? 0 : v; }

fw::TDateTime Compose(const TFields& f, bool twoDigitYear) {
  const bool anyTime = f.Hour >= 0 || f.Min >= 0 || f.Sec >= 0;
  if (f.Year < 0 && !anyTime) return 0;
  int year = f.Year;
  if (twoDigitYear && year >= 0) year += year < 50 ? 2000 : 1900;
  fw::TDateTime date = 0;
  if (year >= 0 && !fw::TryEncodeDateTime(year, f.Month < 0 ? 1 : f.Month, f.Day < 0 ? 1 : f.Day, 0,
                                          0, 0, 0, date))
    return 0;
  if (OrZero(f.Hour) > 23 || OrZero(f.Min) > 59 || OrZero(f.Sec) > 59) return 0;
  const double time = ((OrZero(f.Hour) * 60.0 + OrZero(f.Min)) * 60.0 + OrZero(f.Sec)) / 86400.0;
  return date < 0 ? date - time : date + time;
}

} // namespace

fw::TDateTime ScanDateTime(const std::string& Text, const std::string& Layout,
                           quillon::TLanguage Language, int& Pos) {
  if (Pos < 1 || static_cast<size_t>(Pos) > Text.size()) return 0;
  std::string_view text = Text;
  size_t i = static_cast<size_t>(Pos) - 1;
  TFields fields;
  bool twoDigitYear = false;
  for (size_t k = 0; k < Layout.size() && i < text.size();) {
    const char letter = Layout[k];
    size_t run = 1;
    while (k + run < Layout.size() && Layout[k + run] == letter)
      ++run;
    k += run;
    int* field = FieldOf(fields, letter);
    if (!field) {
      // A separator of the layout matches any one non-digit character.
      for (size_t r = 0;
           r < run && i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i])); ++r)
        ++i;
      continue;
    }
    *field =
        letter == 'm' && run >= 3 ? ReadMonthName(text, i, Language) : ReadNumber(text, i, run);
    if (*field <= 0 && letter == 'm' && run >= 3) *field = -1;
    if (letter == 'y') twoDigitYear = run <= 2;
    if (*field < 0) break;
  }
  Pos = static_cast<int>(i) + 1;
  return Compose(fields, twoDigitYear);
}

} // namespace tessaro
