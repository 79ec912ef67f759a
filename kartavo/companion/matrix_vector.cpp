#include "kartavo/companion/tessaro.h"

#include <stdexcept>
#include <string>

namespace tessaro {
namespace {

void CheckSize(const char* where, int n) {
  if (n < 0)
    throw std::invalid_argument(std::string(where) + ": negative size " + std::to_string(n));
}

} // namespace

void TMatrix::Resize(int NrCols, int NrRows) {
  CheckSize("TMatrix.Resize", NrCols);
  CheckSize("TMatrix.Resize", NrRows);
  FData.assign(static_cast<size_t>(NrCols) * static_cast<size_t>(NrRows), 0.0);
  FCols = NrCols;
  FRows = NrRows;
}

void TMatrix::Fill(double Value) { std::fill(FData.begin(), FData.end(), Value); }

size_t TMatrix::Offset(int Col, int Row) const {
  if (Col < 1 || Col > FCols || Row < 1 || Row > FRows)
    throw std::out_of_range("TMatrix: element (" + std::to_string(Col) + ", " +
                            std::to_string(Row) + ") outside " + std::to_string(FCols) +
                            " columns and " + std::to_string(FRows) + " rows");
  return static_cast<size_t>(Row - 1) * static_cast<size_t>(FCols) + static_cast<size_t>(Col - 1);
}

void TMatrix::SetVal(int Col, int Row, double Value) { FData[Offset(Col, Row)] = Value; }

double TMatrix::GetVal(int Col, int Row) const { return FData[Offset(Col, Row)]; }

void TMatrix::Clone(const TMatrix& Source) {
  if (&Source == this) return;
  FCols = Source.FCols;
  FRows = Source.FRows;
  FData = Source.FData;
}

void TMatrix::Assign(const fw::TPersistent* Source) {
  if (const auto* m = dynamic_cast<const TMatrix*>(Source)) {
    Clone(*m);
    return;
  }
  fw::TPersistent::Assign(Source);
}

void TVector::SetVecSize(int Size) {
  CheckSize("TVector.SetVecSize", Size);
  FData.assign(static_cast<size_t>(Size), 0.0);
}

void TVector::SetVal(int Index, double Value) { FData.at(CheckedIndex(Index)) = Value; }

double TVector::GetVal(int Index) const { return FData.at(CheckedIndex(Index)); }

size_t TVector::CheckedIndex(int Index) const {
  if (Index < 1 || Index > NrOfElem())
    throw std::out_of_range("TVector: element " + std::to_string(Index) + " outside 1 to " +
                            std::to_string(NrOfElem()));
  return static_cast<size_t>(Index - 1);
}

void TVector::Assign(const fw::TPersistent* Source) {
  if (const auto* v = dynamic_cast<const TVector*>(Source)) {
    if (v != this) FData = v->FData;
    return;
  }
  fw::TPersistent::Assign(Source);
}

} // namespace tessaro
