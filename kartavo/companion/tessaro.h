// tessaro: the suite's math library as the package calls it. Matrices and
// vectors counted from 1, curve fits, a clipped straight line, angle and
// date text, hexadecimal numbers and small numeric helpers.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/date_time.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <string>
#include <vector>

namespace tessaro {

// Doubles addressed by column and row, both counted from 1.
class KARTAVO_API TMatrix : public fw::TPersistent {
public:
  TMatrix() = default;
  TMatrix(int NrCols, int NrRows) { Resize(NrCols, NrRows); }
  // New size; every element becomes 0. Negative sizes raise std::invalid_argument;
  // an element outside the columns and rows raises std::out_of_range.
  void Resize(int NrCols, int NrRows);
  void Fill(double Value);
  void SetVal(int Col, int Row, double Value);
  double GetVal(int Col, int Row) const;
  void Clone(const TMatrix& Source);
  int NrOfColumns() const { return FCols; }
  int NrOfRows() const { return FRows; }
  void Assign(const fw::TPersistent* Source) override;
  // Equal sizes and equal elements.
  friend bool operator==(const TMatrix& a, const TMatrix& b) {
    return a.FCols == b.FCols && a.FRows == b.FRows && a.FData == b.FData;
  }

private:
  size_t Offset(int Col, int Row) const;
  int FCols = 0;
  int FRows = 0;
  std::vector<double> FData;
};

// Doubles counted from 1.
class KARTAVO_API TVector : public fw::TPersistent {
public:
  TVector() = default;
  explicit TVector(int Size) { SetVecSize(Size); }
  // New size; every element becomes 0 (negative: std::invalid_argument). An
  // index outside 1..NrOfElem raises std::out_of_range.
  void SetVecSize(int Size);
  int NrOfElem() const { return static_cast<int>(FData.size()); }
  void SetVal(int Index, double Value);
  double GetVal(int Index) const;
  void Assign(const fw::TPersistent* Source) override;

private:
  size_t CheckedIndex(int Index) const;
  std::vector<double> FData;
};

// An accumulator of (x, y) pairs with least-squares fits and statistics.
class KARTAVO_API TCurveFit {
public:
  void Init();
  void EnterStatValue(double X, double Y);
  int NumData() const { return static_cast<int>(FX.size()); }
  // y = k·x + d; Quality is the coefficient of determination r².
  // Returns false (k = d = 0) with fewer than two distinct x.
  bool CalcLinFit(double& K, double& D, double& Quality) const;
  // y = k0 + k1·x + k2·x²; Quality is r². False (all 0) with fewer than
  // three distinct x. Solved by QR on centred and scaled x.
  bool CalcParabolFit(double& K0, double& K1, double& K2, double& Quality) const;
  // The number of pairs and seven statistics, in this order:
  //   1 MeanX, 2 MeanY      the means of x and of y
  //   3 StdDevX, 4 StdDevY  sample standard deviations (n − 1) of x and y; 0 for n < 2
  //   5 MeanDiff            mean of (y − x)
  //   6 RmsDiff             root-mean-square of (y − x)
  //   7 MaxAbsDiff          largest |y − x|
  // RmsDiff is the seventh out parameter, the figure a map's calibration
  // quality reports (observed pixel as x, modelled pixel as y). With no pairs
  // every value is 0.
  void CalcStatistics(int& NumData, double& MeanX, double& MeanY, double& StdDevX, double& StdDevY,
                      double& MeanDiff, double& RmsDiff, double& MaxAbsDiff) const;
  // Pearson correlation of x and y; 0 when undefined (fewer than two pairs, constant x or y).
  double Correlation() const;

private:
  std::vector<double> FX;
  std::vector<double> FY;
};

// A straight line through two points.
class KARTAVO_API TSLine {
public:
  void LineFrom2Points(double X1, double Y1, double X2, double Y2);
  // The part of the (infinite) line inside the closed box; false when it
  // misses, when the two points coincide or a value is not finite. The box
  // corners may come in either order. (Xa, Ya) is the end on the side of the
  // first point's direction of approach, (Xb, Yb) the end towards the second
  // point; a line touching a corner gives two equal ends.
  bool ClipBox(double XLo, double YLo, double XHi, double YHi, double& Xa, double& Ya, double& Xb,
               double& Yb) const;

private:
  double FX1 = 0, FY1 = 0, FX2 = 0, FY2 = 0;
};

// 0: decimal degrees, 1: degrees and decimal minutes, 2: degrees, minutes
// and seconds; Decimals (0 to 9, clamped) digits after the point of the last
// part. The degree sign is the single byte 0xB0 (Windows-1252); minutes and
// seconds have two integer digits; rounding carries into the larger parts:
//   0: "12.50°"        1: "12°30.50'"        2: "12°30'15.0\""
//   with 0 decimals:  "13°", "12°30'", "12°30'15\""
// A negative angle gets a leading '-' (unless it rounds to 0); NaN gives
// "NaN", infinities "INF" and "-INF".
KARTAVO_API std::string DegreeToStr(double Angle, quillon::TDegreeFormat Format, int Decimals);

// Reads a date and time laid out as Layout ("yyyymmddHHMMSS" and the like)
// from Text at Pos (counted from 1, advanced past what was read).
// Layout letters: y year, m month, d day, H (or h) hour, M minute, S (or s)
// second; a run of n letters reads up to n digits (after blanks), so fixed
// width layouts need no separators. A run of three or more m reads a month
// name or its abbreviation in Language (English or German). Any other layout
// character matches one non-digit character of Text. A year of one or two
// digits means 1950..2049. Missing month or day count as 1, missing time
// parts as 0; without a year only the time of day is given. An empty text,
// a text without any field, or a date or time that does not exist gives 0
// (1899-12-30 00:00:00).
KARTAVO_API fw::TDateTime ScanDateTime(const std::string& Text, const std::string& Layout,
                                       quillon::TLanguage Language, int& Pos);

// Reads a hexadecimal integer at Pos (counted from 1), advancing Pos past
// its last digit. Blanks before it and a "$" or "0x" prefix are skipped;
// digits of either case are read. Only the last 16 digits count (the value
// is taken modulo 2^64 as two's complement), so what Hex writes for negative
// values reads back. Without digits the result is 0 and Pos stays.
KARTAVO_API int64_t ScanHex(const std::string& Text, int& Pos);
// Value in upper-case hexadecimal with at least Digits digits, padded with
// leading zeros; more digits when the value needs them, so that nothing is
// cut. Negative values are written as 16-digit two's complement.
KARTAVO_API std::string Hex(int64_t Value, int Digits);

// Rounds a positive value to the member of 1, 2, 5, 10, 20, 50, ... nearest
// in ratio (the boundaries are the geometric means √2, √10, √50 of each
// decade): Round125(370) = 500, Round125(300) = 200. Values <= 0 give 0; NaN
// and infinities come back unchanged.
KARTAVO_API double Round125(double Value);
// True with probability P (never for P <= 0, always for P >= 1). Each
// thread draws from its own generator, seeded once from the system.
KARTAVO_API bool BRandom(double P);
KARTAVO_API void ExChange(int& A, int& B);
KARTAVO_API void ExChange(double& A, double& B);
// Great-circle distance of two points (degrees) on a sphere of the radius,
// in the radius's unit; accurate for nearly equal and nearly antipodal points.
KARTAVO_API double SphereGreatCircleDist(double Radius, double Lat1, double Long1, double Lat2,
                                         double Long2);

} // namespace tessaro
