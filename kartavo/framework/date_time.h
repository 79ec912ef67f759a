// Dates and times as a double: whole days since 1899-12-30 plus the fraction of the day.
#pragma once

#include <string>

namespace fw {

using TDateTime = double;

// Local date and time now.
TDateTime Now();
// Local modification time of a file; raises EInOutError naming the file.
TDateTime FileDateTime(const std::string& FileName);
// Encoders raise EConvertError for a day, month or time of day that does not exist.
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec);
// Safe variants: false instead of raising.
bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec,
                       TDateTime& Result);
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec);
bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);

} // namespace fw
