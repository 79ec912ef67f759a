// The stream tag reader on arbitrary bytes: every call must end, return an
// index of the list or HighIx, leave the stream within its bounds, and name
// a tag that broke off only when it ends the reading.
#include "kartavo/companion/detail/tag_reader.h"
#include "kartavo/framework/stream.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr std::array<std::string_view, 16> kTags = {
    "geomap",       "/geomap",  "calline",   "corners",   "resolution", "gmlandmarks",
    "/gmlandmarks", "landmark", "calquads",  "lmsymbols", "/lmsymbols", "symbol",
    "utmzone",      "utmsouth", "ellipsoid", "invalidtag"};
constexpr int kHigh = 15;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fw::TMemoryStream s;
  s.WriteBuffer(data, static_cast<int64_t>(size));
  s.SetPosition(0);
  quillon::TTagReaderLimits limits;
  limits.MaxTagText = 256;
  limits.MaxContents = 4096;
  std::string attributes, contents, unfinished;
  int64_t last = -1;
  for (;;) {
    const int ix =
        quillon::ReadNextTagInStream(s, kTags, kHigh, attributes, contents, limits, &unfinished);
    const int64_t pos = s.Position();
    if (ix < 0 || ix > kHigh || pos < 0 || pos > static_cast<int64_t>(size)) std::abort();
    // Only a call that ends the reading names a tag that broke off, and a listed one.
    if (!unfinished.empty() &&
        (ix != kHigh || std::find(kTags.begin(), kTags.end(), unfinished) == kTags.end()))
      std::abort();
    if (contents.size() > size || attributes.size() > size) std::abort();
    if (ix == kHigh) break;
    if (pos <= last) std::abort(); // every tag found consumes input
    last = pos;
  }
  return 0;
}
