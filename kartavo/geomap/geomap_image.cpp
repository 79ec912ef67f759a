// The map image of TGeoMap: loading it from a file or taking the host's
// bitmap (both within the pixel limit), renaming its file, resampling it with
// its calibration.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/map_image_file.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace kartavo {
namespace {

bool IsFile(const std::string& name) {
  std::error_code ec;
  return !name.empty() && std::filesystem::is_regular_file(name, ec);
}

} // namespace

fw::TCodecProgress TGeoMap::ImageProgress() {
  if (!OnDataLoading) return {};
  return [this](int percent) { OnDataLoading(this, percent); };
}

void TGeoMap::RefuseOversizedImage(int Width, int Height) const {
  if (!MapImageSizeAllowed(Width, Height))
    throw EORVGeoMapError(ComponentMessage(*this, MapImageTooLargeText(Width, Height)));
}

void TGeoMap::ShowNewMapImage(const std::string& Name) {
  FMapImgName = Name;
  FMapImgWidth = GrafBmp->Width();
  FMapImgHeight = GrafBmp->Height();
  AuxBmp->SetSize(FMapImgWidth, FMapImgHeight);
  FView.SetTopLeft({0, 0});
  Paint();
}

void TGeoMap::SetMapImgName(const std::string& Value) {
  std::string fileName = Value;
  if (OnMapImageRequest) OnMapImageRequest(this, fileName);
  FCacheMag = 0;
  if (!IsFile(fileName)) {
    FMapImgName.clear();
    FMapImgWidth = FMapImgHeight = 0;
    Paint();
    return;
  }
  // The picture is decoded aside, so that a file that is refused leaves the
  // control showing what its name and size describe.
  std::optional<fw::TPixelImage> picture = ReadMapImageFile(fileName, ImageProgress());
  if (!picture)
    throw EORVGeoMapError(ComponentMessage(*this, "cannot read map image \"" + fileName +
                                                      "\": unsupported image format"));
  RefuseOversizedImage(picture->Width, picture->Height);
  GrafBmp->LoadFromPixelImage(std::move(*picture));
  ShowNewMapImage(Value);
}

void TGeoMap::SetMapBitMap(const fw::TBitmap* Value) {
  FCacheMag = 0;
  const int w = Value ? Value->Width() : 0, h = Value ? Value->Height() : 0;
  RefuseOversizedImage(w, h);
  if (Value)
    GrafBmp->Assign(Value);
  else
    GrafBmp->SetSize(0, 0);
  ShowNewMapImage("$unknown$");
}

bool TGeoMap::RenameMapImg(const std::string& Name) {
  const std::string newName = RenamedMapImagePath(FMapImgName, Name);
  if (FMapImgName.empty() || newName.empty() || !IsFile(FMapImgName)) return false;
  std::error_code ec;
  // Never replace another file: renaming onto it would destroy it.
  if (std::filesystem::exists(newName, ec) &&
      !std::filesystem::equivalent(FMapImgName, newName, ec))
    return false;
  std::filesystem::rename(FMapImgName, newName, ec);
  if (ec) return false;
  FMapImgName = newName;
  return true;
}

void TGeoMap::ResizeMap(double Magnification) {
  const int w = ScaledEdge(GrafBmp->Width(), Magnification);
  const int h = ScaledEdge(GrafBmp->Height(), Magnification);
  if (!std::isfinite(Magnification) || Magnification <= 0 || (w < 1 && GrafBmp->Width() > 0) ||
      (h < 1 && GrafBmp->Height() > 0))
    throw EORVGeoMapError(ComponentMessage(*this, "ResizeMap: invalid magnification " +
                                                      std::to_string(Magnification)));
  RefuseOversizedImage(w, h);
  FCacheMag = 0;
  fw::TBitmap resized;
  resized.SetSize(w, h);
  resized.Canvas()->SetStretchBltMode(FAntiAlias ? fw::HALFTONE : fw::COLORONCOLOR);
  resized.Canvas()->SetCopyMode(fw::cmSrcCopy);
  resized.Canvas()->StretchDraw(fw::Rect(0, 0, w, h), GrafBmp.get());
  GrafBmp->Assign(&resized);
  ScaleCalibrationPixels(FCalibData, Magnification);
  RecalcCalibration();
  FMapImgWidth = GrafBmp->Width();
  FMapImgHeight = GrafBmp->Height();
  AuxBmp->SetSize(FMapImgWidth, FMapImgHeight);
  FView.SetTopLeft({0, 0});
  Paint();
}

void TGeoMap::ResizeMap(int LongerEdgeLength) {
  const int longer = std::max(FMapImgWidth, FMapImgHeight);
  // Without a map image there is no ratio: nothing to resize.
  if (longer <= 0) return;
  ResizeMap(static_cast<double>(LongerEdgeLength) / longer);
}

} // namespace kartavo
