#include "kartavo/companion/quillon.h"

#include "kartavo/framework/stream.h"

#include <algorithm>

namespace quillon {

double ProcStat = 0;
std::function<void(double)> MathFeedBackProc;
bool AbortMathProc = false;

void TBitFld::SetSize(int n) {
  FSize = std::max(n, 0);
  FWords.assign((static_cast<size_t>(FSize) + 63) / 64, 0);
}

void TBitFld::Clear() { std::fill(FWords.begin(), FWords.end(), 0); }

void TBitFld::SetBit(int Index, bool Value) {
  if (Index < 1 || Index > FSize) return;
  const auto bit = static_cast<size_t>(Index - 1);
  const uint64_t mask = uint64_t{1} << (bit % 64);
  if (Value)
    FWords[bit / 64] |= mask;
  else
    FWords[bit / 64] &= ~mask;
}

bool TBitFld::GetBit(int Index) const {
  if (Index < 1 || Index > FSize) return false;
  const auto bit = static_cast<size_t>(Index - 1);
  return (FWords[bit / 64] >> (bit % 64)) & 1;
}

int StringIx(std::string_view Text, std::span<const std::string_view> List, int HighIx) {
  const int last = std::min(HighIx, static_cast<int>(List.size()) - 1);
  for (int i = 0; i <= last; ++i)
    if (List[static_cast<size_t>(i)] == Text) return i + 1;
  return 0;
}

void WriteLnStream(fw::TStream& S, const std::string& Text) {
  std::string line = Text;
  line += "\r\n";
  S.WriteBuffer(line.data(), static_cast<int64_t>(line.size()));
}

} // namespace quillon
