// Dates and times as a double: whole days since 1899-12-30 plus the fraction of the day.
#pragma once

#include "kartavo/framework/export.h"

#include <string>

namespace fw {

using TDateTime = double;

// Local date and time now.
KARTAVO_API TDateTime Now();
// Local modification time of a file; raises EInOutError naming the file.
KARTAVO_API TDateTime FileDateTime(const std::string& FileName);
// Encoders raise EConvertError for a day, month or time of day that does not exist.
KARTAVO_API TDateTime EncodeDate(int Year, int Month, int Day);
KARTAVO_API TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
KARTAVO_API TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec,
                                     int MSec);
// Safe variants: false instead of raising.
KARTAVO_API bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec,
                                   int MSec, TDateTime& Result);
KARTAVO_API void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
KARTAVO_API void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec);
KARTAVO_API bool IsLeapYear(int Year);
KARTAVO_API int DaysInMonth(int Year, int Month);

} // namespace fw
