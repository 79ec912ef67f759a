#include "kartavo/geomap/detail/map_image_file.h"

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/image_file.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/framework/stream.h"
#include "kartavo/geomap/detail/calib_xml_text.h"
#include "kartavo/geomap/detail/pixel_round.h"

#include <algorithm>

namespace kartavo {
namespace {

// The extension with its dot; empty when the file name has none.
std::string Extension(const std::string& path) {
  return path.substr(quillon::StripExtension(path).size());
}

std::string LowerExtension(const std::string& path) { return fw::LowerAscii(Extension(path)); }

// Everything up to and including the last directory separator.
std::string DirectoryPart(const std::string& path) {
  const size_t sep = path.find_last_of("/\\");
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

} // namespace

bool MapImageSizeAllowed(int Width, int Height) {
  return static_cast<int64_t>(Width) * Height <= MaxMapImagePixels;
}

std::string MapImageTooLargeText(int Width, int Height) {
  return "Cannot use map image, maximum of " + std::to_string(MaxMapImagePixels) +
         " pixels exceeded (size of map is " + std::to_string(Width) + " x " +
         std::to_string(Height) + ")";
}

std::optional<fw::TPixelImage> ReadMapImageFile(const std::string& FileName,
                                                const fw::TCodecProgress& Progress,
                                                const fw::TImageSizeCheck& SizeCheck) {
  const std::string ext = LowerExtension(FileName);
  if (ext == ".jpg" || ext == ".jpeg") return fw::ReadJpegFile(FileName, Progress, SizeCheck);
  if (ext == ".bmp") return fw::ReadBmpFile(FileName, Progress, SizeCheck);
  if (ext == ".png") return fw::ReadPngFile(FileName, Progress, SizeCheck);
  fw::TFileStream f(FileName, fw::fmOpenRead);
  uint8_t head[8] = {};
  const int64_t got = std::max<int64_t>(f.Read(head, sizeof head), 0);
  if (fw::DetectImageFormat(head, static_cast<size_t>(got)) == fw::iffUnknown) return std::nullopt;
  f.SetPosition(0);
  return fw::ReadImage(f, FileName, Progress, SizeCheck);
}

int ScaledEdge(int Edge, double Factor) { return RoundPixel(Edge * Factor); }

void ScaleCalibrationPixels(TCalibData& CalData, double Factor) {
  auto scale = [Factor](int32_t& v) { v = RoundPixel(Factor * v); };
  for (int k = 1; k <= std::clamp<int>(CalData.NumCalLines, 0, MaxCalLines); ++k) {
    TCalibLine& line = CalData.CalLines[k];
    for (int p = 1; p <= std::clamp<int>(line.NumPoints, 0, MaxLinePoints); ++p) {
      scale(line.CalPoints[p].X);
      scale(line.CalPoints[p].Y);
    }
  }
  for (int k = 1; k <= std::clamp<int>(CalData.NumCalQuads, 0, MaxCalQuads); ++k) {
    scale(CalData.CalQuads[k].MapX);
    scale(CalData.CalQuads[k].MapY);
  }
}

std::string RenamedMapImagePath(const std::string& Current, const std::string& Name) {
  // The file name part without its extension is taken before the reduction,
  // which drops the dot and the separators that delimit them.
  const std::string base =
      quillon::ReduceStringToFN83CompliantChars(quillon::StripExtension(quillon::StripPath(Name)));
  if (base.empty()) return {};
  return DirectoryPart(Current) + base + Extension(Current);
}

TSavedMapNames SavedMapNames(const std::string& FileName) {
  TSavedMapNames n;
  n.Dir = DirectoryPart(FileName);
  const std::string stem = quillon::StripExtension(FileName);
  n.ImageName = quillon::StripPath(stem) + ".jpg";
  n.CalibFile = stem + ".xml";
  return n;
}

} // namespace kartavo
