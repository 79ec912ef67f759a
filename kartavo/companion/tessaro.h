// tessaro: the suite's math library as the package calls it. Matrices and
// vectors counted from 1, curve fits, a clipped straight line, angle and
// date text, hexadecimal numbers and small numeric helpers.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/date_time.h"
#include "kartavo/framework/object.h"

#include <string>
#include <vector>

namespace tessaro {

// Doubles addressed by column and row, both counted from 1.
class TMatrix : public fw::TPersistent {
public:
  TMatrix() = default;
  TMatrix(int NrCols, int NrRows) { Resize(NrCols, NrRows); }
  // New size; every element becomes 0.
  void Resize(int NrCols, int NrRows);
  void Fill(double Value);
  void SetVal(int Col, int Row, double Value);
  double GetVal(int Col, int Row) const;
  void Clone(const TMatrix& Source);
  int NrOfColumns() const { return FCols; }
  int NrOfRows() const { return FRows; }
  void Assign(const fw::TPersistent* Source) override;

private:
  size_t Offset(int Col, int Row) const;
  int FCols = 0;
  int FRows = 0;
  std::vector<double> FData;
};

// Doubles counted from 1.
class TVector : public fw::TPersistent {
public:
  TVector() = default;
  explicit TVector(int Size) { SetVecSize(Size); }
  // New size; every element becomes 0.
  void SetVecSize(int Size);
  int NrOfElem() const { return static_cast<int>(FData.size()); }
  void SetVal(int Index, double Value);
  double GetVal(int Index) const;
  void Assign(const fw::TPersistent* Source) override;

private:
  std::vector<double> FData;
};

// An accumulator of (x, y) pairs with least-squares fits and statistics.
class TCurveFit {
public:
  void Init();
  void EnterStatValue(double X, double Y);
  int NumData() const { return static_cast<int>(FX.size()); }
  // y = k·x + d; Quality is the coefficient of determination r².
  // Returns false (k = d = 0) with fewer than two distinct x.
  bool CalcLinFit(double& K, double& D, double& Quality) const;
  // y = k0 + k1·x + k2·x²; Quality is r². False (all 0) when underdetermined.
  bool CalcParabolFit(double& K0, double& K1, double& K2, double& Quality) const;
  // The number of pairs and seven statistics:
  //   MeanX, MeanY  the means of x and of y
  //   StdDevX, StdDevY  sample standard deviations (n − 1) of x and y
  //   Correlation  Pearson correlation of x and y (0 when undefined)
  //   MeanDiff  mean of (y − x)
  //   RmsDiff  root-mean-square of (y − x)
  //   MaxAbsDiff  largest |y − x|
  void CalcStatistics(int& NumData, double& MeanX, double& MeanY, double& StdDevX,
                      double& StdDevY, double& Correlation, double& MeanDiff, double& RmsDiff,
                      double& MaxAbsDiff) const;

private:
  std::vector<double> FX;
  std::vector<double> FY;
};

// A straight line through two points.
class TSLine {
public:
  void LineFrom2Points(double X1, double Y1, double X2, double Y2);
  // The part of the (infinite) line inside the box; false when it misses.
  bool ClipBox(double XLo, double YLo, double XHi, double YHi, double& Xa, double& Ya,
               double& Xb, double& Yb) const;

private:
  double FX1 = 0, FY1 = 0, FX2 = 0, FY2 = 0;
};

// 0: decimal degrees, 1: degrees and decimal minutes, 2: degrees, minutes
// and seconds; Decimals digits after the point of the last part. The degree
// sign is the single byte 0xB0 (Windows-1252).
std::string DegreeToStr(double Angle, quillon::TDegreeFormat Format, int Decimals);

// Reads a date and time laid out as Layout ("yyyymmddHHMMSS" and the like)
// from Text at Pos (counted from 1, advanced past what was read).
fw::TDateTime ScanDateTime(const std::string& Text, const std::string& Layout,
                           quillon::TLanguage Language, int& Pos);

// Reads a hexadecimal integer at Pos (counted from 1), advancing Pos.
int64_t ScanHex(const std::string& Text, int& Pos);
// Value as exactly Digits hexadecimal digits (upper case).
std::string Hex(int64_t Value, int Digits);

// Rounds a positive value to the nearest member of 1, 2, 5, 10, 20, 50, ...
double Round125(double Value);
// True with probability P.
bool BRandom(double P);
void ExChange(int& A, int& B);
void ExChange(double& A, double& B);
// Great-circle distance of two points (degrees) on a sphere of the radius.
double SphereGreatCircleDist(double Radius, double Lat1, double Long1, double Lat2, double Long2);

} // namespace tessaro
