#include "kartavo/framework/date_time.h"

#include "kartavo/framework/errors.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <ctime>
#include <sys/stat.h>

namespace fw {
namespace {

constexpr double kMSecPerDay = 86400000.0;
// Days from 0000-03-01 (proleptic Gregorian, shifted era) to 1899-12-30.
constexpr long kEpochShift = 693899;

long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe);
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<long>(yoe) + era * 400 + (m <= 2));
}

TDateTime FromTimeT(time_t t, long nanos) {
  struct tm lt {};
  localtime_r(&t, &lt);
  return EncodeDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min,
                        lt.tm_sec > 59 ? 59 : lt.tm_sec, static_cast<int>(nanos / 1000000));
}

// Milliseconds of the time of day; a value that rounds up to a whole day
// belongs to the next day.
long long TimeOfDayMSec(TDateTime v) {
  return std::llround(std::fabs(v - std::trunc(v)) * kMSecPerDay);
}

} // namespace

bool IsLeapYear(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DaysInMonth(int Year, int Month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec,
                       TDateTime& Result) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      Day > DaysInMonth(Year, Month) || Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 ||
      Sec > 59 || MSec < 0 || MSec > 999)
    return false;
  double date = static_cast<double>(
      DaysFromCivil(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day)) - kEpochShift);
  double time = (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / kMSecPerDay;
  // Before the epoch the fraction still counts the time forwards from midnight.
  Result = date < 0 ? date - time : date + time;
  return true;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec) {
  TDateTime r = 0;
  if (!TryEncodeDateTime(Year, Month, Day, Hour, Min, Sec, MSec, r))
    throw EConvertError("Invalid argument to date encode");
  return r;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  return EncodeDateTime(Year, Month, Day, 0, 0, 0, 0);
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
    throw EConvertError("Invalid argument to time encode");
  return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / kMSecPerDay;
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) {
  long days = static_cast<long>(std::trunc(Value));
  if (TimeOfDayMSec(Value) >= 86400000LL) days += Value < 0 ? -1 : 1;
  CivilFromDays(days + kEpochShift, Year, Month, Day);
}

void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) {
  long long ms = TimeOfDayMSec(Value) % 86400000LL;
  MSec = static_cast<int>(ms % 1000);
  Sec = static_cast<int>(ms / 1000 % 60);
  Min = static_cast<int>(ms / 60000 % 60);
  Hour = static_cast<int>(ms / 3600000);
}

TDateTime Now() {
  auto now = std::chrono::system_clock::now();
  auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count();
  return FromTimeT(static_cast<time_t>(ns / 1000000000LL), static_cast<long>(ns % 1000000000LL));
}

TDateTime FileDateTime(const std::string& FileName) {
  struct stat st {};
  if (::stat(FileName.c_str(), &st) != 0)
    throw EInOutError::FromErrno(errno, FileName, "Cannot read the date of file");
  return FromTimeT(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

} // namespace fw
