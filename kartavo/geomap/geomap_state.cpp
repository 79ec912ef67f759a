// TGeoMap: construction, copying and the small setters. The creation values
// are the parts' own defaults.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"

#include <new>
#include <stdexcept>

namespace kartavo {

// The control's base is complete when the landmark store is made, so a
// failed allocation can name the component.
TGeoMap::TGeoMap(fw::TComponent* AOwner)
    : fw::TCustomControl(AOwner),
      FLandmarks(GuardLandMarkStorage([] { return TLandmarkStore(); })) {
  SetBounds(Left(), Top(), 500, 400);
}

TGeoMap::~TGeoMap() = default;

void TGeoMap::AssignTo(fw::TPersistent* Dest) const {
  if (auto* map = dynamic_cast<TGeoMap*>(Dest)) {
    map->Assign(this);
    return;
  }
  fw::TCustomControl::AssignTo(Dest);
}

// Every part but the mouse trace; no repaint. The landmarks go first: when
// their storage cannot be had, nothing has changed.
void TGeoMap::Assign(const fw::TPersistent* Source) {
  const auto* src = dynamic_cast<const TGeoMap*>(Source);
  if (!src) {
    fw::TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  GuardLandMarkStorage([&] { FLandmarks = src->FLandmarks; });
  FImage = src->FImage;
  FStyle = src->FStyle;
  FView = src->FView;
  FMouse = src->FMouse;
  FCalib = src->FCalib;
  FSuppressPaint = src->FSuppressPaint;
}

void TGeoMap::SetAllowPan(bool value) { FMouse.Action = value ? quillon::maPan : quillon::maNone; }

void TGeoMap::SetAntiAlias(bool value) {
  FImage.SetAntiAlias(value);
  Paint();
}

void TGeoMap::SetCacheMagLimit(double value) {
  FImage.SetCacheMagLimit(value);
  if (FView.Magnification() < TMapImage::MaxCacheMagLimit) Paint();
}

void TGeoMap::SetColorBackGnd(fw::TColor value) {
  FStyle.SetBackGround(value);
  Paint();
}

void TGeoMap::SetColorGraticule(fw::TColor value) {
  FStyle.SetGraticuleColor(value);
  Paint();
}

void TGeoMap::SetColorCalibPoints(fw::TColor value) {
  FStyle.SetCalibPointColor(value);
  Paint();
}

void TGeoMap::SetColorFrame(fw::TColor value) {
  FStyle.SetFrameColor(value);
  Paint();
}

void TGeoMap::SetEmptyMsg(const std::string& value) {
  FStyle.SetEmptyMsg(value);
  Paint();
}

void TGeoMap::SetFrameStyle(quillon::TFrameStyle value) {
  if (value == FStyle.FrameStyle()) return;
  FStyle.SetFrameStyle(value);
  Paint();
}

void TGeoMap::SetGratLineDist(double value) {
  FStyle.SetGratLineDist(value);
  Paint();
}

void TGeoMap::SetUTMGridDist(int value) {
  FStyle.SetUTMGridDist(value);
  Paint();
}

void TGeoMap::SetUTMZone(int value) { FCalib.SetUTMZone(value); }

void TGeoMap::SetShowGraticule(TShowGrat value) {
  if (value == FStyle.ShowGraticule()) return;
  FStyle.SetShowGraticule(value);
  Paint();
}

void TGeoMap::SetHighLightLandMark(int value) {
  if (FLandmarks.SetHighlight(value)) Paint();
}

void TGeoMap::SetLMRandomDisplayThreshold(int value) {
  if (FLandmarks.SetRandomThreshold(value)) Paint();
}

void TGeoMap::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) Paint();
}

void TGeoMap::SetClassVisibility(uint8_t i, bool value) {
  FLandmarks.SetClassVisible(i, value);
  Paint();
}

void TGeoMap::SetHighLightProperties(fw::TColor ColorFG, fw::TColor ColorBG, bool Transparent) {
  FLandmarks.SetHighlightStyle({ColorFG, ColorBG, Transparent});
  Paint();
}

void TGeoMap::DoSelectRectEvent(int32_t Flag, double A, double B, double C, double D) {
  if (OnSelectRect) OnSelectRect(this, Flag != 0, A, B, C, D);
}

} // namespace kartavo
