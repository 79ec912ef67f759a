// Feeds arbitrary files to the landmark file reader. Whatever it reads must
// be bounded (captions, identifiers and font names within their caps) and
// must write and read back to the same landmarks; anything else aborts.
#include "fuzz_scratch.h"

#include "kartavo/geomap/landmarks/landmark_xml.h"
#include "kartavo/package/exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string in = FuzzScratchFile("lm_in"), out = FuzzScratchFile("lm_out");
  WriteFuzzInput(in, data, size);
  std::vector<kartavo::TLandMark> lms;
  try {
    if (!kartavo::LoadLandMarkFile(in, size % 2 ? "a" : "", lms)) return 0;
  } catch (const kartavo::EORVGeoMapError&) { // a tag that breaks off
    return 0;
  }
  for (const auto& lm : lms)
    if (lm.Caption.FontName.size() > 3 * kartavo::MaxCaptionFontName ||
        lm.Caption.Text.Length() > 80 || lm.Identifier.Length() > 15)
      std::abort();
  kartavo::SaveLandMarkFile(out, "x", lms);
  std::vector<kartavo::TLandMark> back;
  if (!kartavo::LoadLandMarkFile(out, "x", back) || back != lms) std::abort();
  return 0;
}
