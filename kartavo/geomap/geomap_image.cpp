// The map image of TGeoMap: loading it from a file or taking the host's
// bitmap (both within the pixel limit), renaming its file, resampling it with
// its calibration.
#include "kartavo/geomap/detail/map_image_file.h"
#include "kartavo/geomap/geomap_control.h"
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
  FImage.TakeBitmap(Name);
  FView.SetTopLeft({0, 0});
  Paint();
}

void TGeoMap::SetMapImgName(const std::string& Value) {
  std::string fileName = Value;
  if (OnMapImageRequest) OnMapImageRequest(this, fileName);
  FImage.InvalidateCache();
  if (!IsFile(fileName)) {
    FImage.Forget();
    Paint();
    return;
  }
  // The picture is decoded aside, so that a file that is refused leaves the
  // control showing what its name and size describe. An oversized map is
  // refused from its file's header, before any pixel is stored.
  std::optional<fw::TPixelImage> picture = ReadMapImageFile(
      fileName, ImageProgress(), [this](int w, int h) { RefuseOversizedImage(w, h); });
  if (!picture)
    throw EORVGeoMapError(ComponentMessage(*this, "cannot read map image \"" + fileName +
                                                      "\": unsupported image format"));
  FImage.Bitmap().LoadFromPixelImage(std::move(*picture));
  ShowNewMapImage(Value);
}

void TGeoMap::SetMapBitMap(const fw::TBitmap* Value) {
  FImage.InvalidateCache();
  const int w = Value ? Value->Width() : 0, h = Value ? Value->Height() : 0;
  RefuseOversizedImage(w, h);
  if (Value)
    FImage.Bitmap().Assign(Value);
  else
    FImage.Bitmap().SetSize(0, 0);
  ShowNewMapImage(TMapImage::UnknownName);
}

bool TGeoMap::RenameMapImg(const std::string& Name) {
  const std::string oldName = FImage.Name();
  const std::string newName = RenamedMapImagePath(oldName, Name);
  if (oldName.empty() || newName.empty() || !IsFile(oldName)) return false;
  std::error_code ec;
  // Never replace another file: renaming onto it would destroy it.
  if (std::filesystem::exists(newName, ec) && !std::filesystem::equivalent(oldName, newName, ec))
    return false;
  std::filesystem::rename(oldName, newName, ec);
  if (ec) return false;
  FImage.SetName(newName);
  return true;
}

void TGeoMap::ResizeMap(double Magnification) {
  const int w = ScaledEdge(FImage.Bitmap().Width(), Magnification);
  const int h = ScaledEdge(FImage.Bitmap().Height(), Magnification);
  if (!std::isfinite(Magnification) || Magnification <= 0 ||
      (w < 1 && FImage.Bitmap().Width() > 0) || (h < 1 && FImage.Bitmap().Height() > 0))
    throw EORVGeoMapError(ComponentMessage(*this, "ResizeMap: invalid magnification " +
                                                      std::to_string(Magnification)));
  RefuseOversizedImage(w, h);
  FImage.InvalidateCache();
  fw::TBitmap resized;
  resized.SetSize(w, h);
  resized.Canvas()->SetStretchBltMode(FImage.AntiAlias() ? fw::HALFTONE : fw::COLORONCOLOR);
  resized.Canvas()->SetCopyMode(fw::cmSrcCopy);
  resized.Canvas()->StretchDraw(fw::Rect(0, 0, w, h), &FImage.Bitmap());
  FImage.Bitmap().Assign(&resized);
  ScaleCalibrationPixels(FCalib.Data, Magnification);
  RecalcCalibration();
  ShowNewMapImage(FImage.Name());
}

void TGeoMap::ResizeMap(int LongerEdgeLength) {
  const int longer = std::max(FImage.Width(), FImage.Height());
  // Without a map image there is no ratio: nothing to resize.
  if (longer <= 0) return;
  ResizeMap(static_cast<double>(LongerEdgeLength) / longer);
}

} // namespace kartavo
