// Progress of long database operations: percentages rounded to the nearest
// integer with ties going to the even neighbour, and a reporter that raises
// the event only while it is assigned and enabled.
#pragma once

#include "kartavo/companion/quillon.h"

#include <cstdint>

namespace kartavo {

// Numerator · 100 / Denominator rounded half to even; 0 for a denominator <= 0.
int PercentOf(int64_t Numerator, int64_t Denominator);

class TProgressReporter {
public:
  TProgressReporter(fw::TObject* Sender, const quillon::TOnPercentDoneEvent& Event, bool Enabled)
      : FSender(Sender), FEvent(Event), FActive(Enabled && static_cast<bool>(Event)) {}

  bool Active() const { return FActive; }
  void Report(int Percent) const {
    if (FActive) FEvent(FSender, Percent);
  }
  void ReportShare(int64_t Done, int64_t Total) const {
    if (FActive) FEvent(FSender, PercentOf(Done, Total));
  }
  // Reports after item i (from 1) of Total when i is a multiple of Total div 100 + 1.
  void ReportStep(int64_t i, int64_t Total) const {
    if (FActive && i % (Total / 100 + 1) == 0) FEvent(FSender, PercentOf(i, Total));
  }

private:
  fw::TObject* FSender;
  const quillon::TOnPercentDoneEvent& FEvent;
  bool FActive;
};

} // namespace kartavo
