// Feeds arbitrary files to the landmark file reader. Whatever it reads must
// be bounded (captions, identifiers and font names within their caps) and
// must write and read back to the same landmarks; anything else aborts.
#include "kartavo/geomap/landmarks/landmark_xml.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {
std::string ScratchFile(const char* tag) {
  // A memory-backed folder keeps the fuzzer from waiting on the disk.
  return std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/fuzz_" + tag +
         "_" + std::to_string(::getpid()) + ".xml";
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string in = ScratchFile("lm_in"), out = ScratchFile("lm_out");
  {
    std::ofstream f(in, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::vector<kartavo::TLandMark> lms;
  if (!kartavo::LoadLandMarkFile(in, size % 2 ? "a" : "", lms)) return 0;
  for (const auto& lm : lms)
    if (lm.Caption.FontName.size() > 3 * kartavo::MaxCaptionFontName ||
        lm.Caption.Text.Length() > 80 || lm.Identifier.Length() > 15)
      std::abort();
  kartavo::SaveLandMarkFile(out, "x", lms);
  std::vector<kartavo::TLandMark> back;
  if (!kartavo::LoadLandMarkFile(out, "x", back) || back != lms) std::abort();
  return 0;
}
