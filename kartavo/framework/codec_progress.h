// Progress of reading or writing an image file, as a percentage 0..100.
#pragma once

#include <algorithm>
#include <functional>

namespace fw {

// Called with 0 when a codec starts, with rising percentages on the way and
// with 100 when it has finished. An exception thrown by the callback stops the
// codec cleanly and reaches the codec's caller.
using TCodecProgress = std::function<void(int Percent)>;

// Passes a percentage on only when it is above the last one passed, so that
// the caller sees 0, rising values and 100, each once.
class TProgressReporter {
public:
  explicit TProgressReporter(const TCodecProgress& progress) : FProgress(progress) {}
  void Report(int percent) {
    if (FProgress && percent > FLast) {
      FLast = percent;
      FProgress(percent);
    }
  }
  // Reports done / total as a percentage, rounded down; done beyond total
  // (data running on past the last row) counts as total.
  void Report(long long done, long long total) {
    Report(total > 0 ? static_cast<int>(std::clamp(done, 0LL, total) * 100 / total) : 100);
  }

private:
  const TCodecProgress& FProgress;
  int FLast = -1;
};

} // namespace fw
