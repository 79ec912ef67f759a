// TGeoMap: construction, destruction, copying and the small setters.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <new>

namespace kartavo {
namespace {

constexpr int LandMarkBlock = 1000;
constexpr int TraceCapacity = 5000;
constexpr double MaxCacheMagLimit = 2.0 / 3.0;
constexpr double MaxGratLineDist = 60;
constexpr int MaxUTMGridDist = 10000000;
constexpr int MinLMRandomThreshold = 1000;

} // namespace

TGeoMap::TGeoMap(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  SetBounds(Left(), Top(), 500, 400);
  FGratLineDist = 0;
  FShowGrat = sgNone;
  FSuppressPaint = false;
  FAntiAlias = true;
  FEmptyMsg = "GeoMap: empty";

  FNumLandMarks = 0;
  FLMRandSampleLimit = 20000;
  ResizeLandMarkStorage(LandMarkBlock);
  FLMClassVisible.fill(true);

  FColorGratLine = 0xFF0000;
  FColorGratPoints = 0x0000FF;
  FColorBakGnd = 0xC0C0C0;
  FColBlackLine = 0x000000;
  FColGrayLine = 0x808080;
  FColWhiteLine = 0xFFFFFF;
  FFrameStyle = quillon::fsSingle;
  FFrameColor = 0x000000;

  FMapImgName.clear();
  FMapImgWidth = FMapImgHeight = 0;
  FNumMTrace = 0;
  FColorMTrace = 0xFFFFFF;
  FMTraceInvert = true;
  FMTrace.resize(TraceCapacity);

  FDefaultLM = DefaultLandMark();
  FHighLM = 0;
  FHighLMColFG = 0xFF0000;
  FHighLMColBG = 0x00FFFF;
  FHighLMTrans = false;
  ClearZoomHistory();

  GrafBmp = std::make_unique<fw::TBitmap>();
  AuxBmp = std::make_unique<fw::TBitmap>();
  AuxBmp->SetPixelFormat(fw::pf15bit);
  FImgCache = std::make_unique<fw::TBitmap>();
  FImgCache->SetPixelFormat(fw::pf15bit);
  FCacheMag = 0;
  FCacheAA = FAntiAlias;
  FCacheMagLimit = MaxCacheMagLimit;

  FGratMat = std::make_unique<tessaro::TMatrix>(5, 1);
  FModelPars = TModelParams{};
  FCalibModel = cmUndefined;
  FRestoreBiQuadOK = FRestoreParaIpOK = false;
}

TGeoMap::~TGeoMap() = default;

void TGeoMap::ResizeLandMarkStorage(int n) {
  try {
    FLandMarks.resize(static_cast<size_t>(n));
  } catch (const std::bad_alloc&) {
    throw EORVGeoMapError(ComponentMessage(*this, "insufficient memory"));
  } catch (const std::length_error&) {
    throw EORVGeoMapError(ComponentMessage(*this, "insufficient memory"));
  }
}

void TGeoMap::AssignTo(fw::TPersistent* Dest) const {
  if (auto* map = dynamic_cast<TGeoMap*>(Dest)) {
    map->Assign(this);
    return;
  }
  fw::TCustomControl::AssignTo(Dest);
}

void TGeoMap::Assign(const fw::TPersistent* Source) {
  const auto* src = dynamic_cast<const TGeoMap*>(Source);
  if (!src) {
    fw::TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  AuxBmp->Assign(src->AuxBmp.get());
  FImgCache->Assign(src->FImgCache.get());
  FCacheMag = src->FCacheMag;
  FCacheAA = src->FCacheAA;
  FCacheMagLimit = src->FCacheMagLimit;

  // Storage in whole blocks of 1000, at least one block.
  const int n = std::max(0, src->FNumLandMarks);
  ResizeLandMarkStorage(n == 0 ? LandMarkBlock
                               : ((n - 1) / LandMarkBlock) * LandMarkBlock + LandMarkBlock);
  FNumLandMarks = n;
  std::copy_n(src->FLandMarks.begin(), std::min<size_t>(size_t(n), src->FLandMarks.size()),
              FLandMarks.begin());
  FDefaultLM = src->FDefaultLM;

  FColorBakGnd = src->FColorBakGnd;
  FFrameStyle = src->FFrameStyle;
  FFrameColor = src->FFrameColor;
  FColorGratLine = src->FColorGratLine;
  FColorGratPoints = src->FColorGratPoints;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FEmptyMsg = src->FEmptyMsg;
  FLMClassVisible = src->FLMClassVisible;
  FLMRandSampleLimit = src->FLMRandSampleLimit;
  FMapImgName = src->FMapImgName;
  FMapImgWidth = src->FMapImgWidth;
  FMapImgHeight = src->FMapImgHeight;

  // The mouse trace is not copied.
  FShowGrat = src->FShowGrat;
  FCalibModel = src->FCalibModel;
  FBiQuadOops = src->FBiQuadOops;
  FParaIpOops = src->FParaIpOops;
  FRestoreBiQuadOK = src->FRestoreBiQuadOK;
  FRestoreParaIpOK = src->FRestoreParaIpOK;
  FSuppressPaint = src->FSuppressPaint;
  FAntiAlias = src->FAntiAlias;
  FGratLineDist = src->FGratLineDist;
  FUTMGridDist = src->FUTMGridDist;

  FCalibData = src->FCalibData;
  FGratMat->Clone(*src->FGratMat);
  FModelPars = src->FModelPars;

  FHighLM = src->FHighLM;
  FHighLMColFG = src->FHighLMColFG;
  FHighLMColBG = src->FHighLMColBG;
  FHighLMTrans = src->FHighLMTrans;
  FCalDatName = src->FCalDatName;

  FView = src->FView;
  FMouse = src->FMouse;
  GrafBmp->Assign(src->GrafBmp.get());
}

void TGeoMap::SetAllowPan(bool value) { FMouse.Action = value ? quillon::maPan : quillon::maNone; }

void TGeoMap::SetAntiAlias(bool value) {
  FAntiAlias = value;
  Paint();
}

void TGeoMap::SetCacheMagLimit(double value) {
  // NaN is no limit at all: it becomes 0 like any value below the range.
  FCacheMagLimit = value > MaxCacheMagLimit ? MaxCacheMagLimit : (value >= 0 ? value : 0.0);
  if (FView.Magnification() < MaxCacheMagLimit) Paint();
}

void TGeoMap::SetColorBackGnd(fw::TColor value) {
  FColorBakGnd = value;
  Paint();
}

void TGeoMap::SetColorGraticule(fw::TColor value) {
  FColorGratLine = value;
  Paint();
}

void TGeoMap::SetColorCalibPoints(fw::TColor value) {
  FColorGratPoints = value;
  Paint();
}

void TGeoMap::SetColorFrame(fw::TColor value) {
  FFrameColor = value;
  Paint();
}

void TGeoMap::SetEmptyMsg(const std::string& value) {
  FEmptyMsg = value;
  Paint();
}

void TGeoMap::SetFrameStyle(quillon::TFrameStyle value) {
  if (value == FFrameStyle) return;
  FFrameStyle = value;
  Paint();
}

void TGeoMap::SetGratLineDist(double value) {
  FGratLineDist = value > MaxGratLineDist ? MaxGratLineDist : (value >= 0 ? value : 0.0);
  Paint();
}

void TGeoMap::SetUTMGridDist(int value) {
  FUTMGridDist = std::clamp(value, 0, MaxUTMGridDist);
  Paint();
}

void TGeoMap::SetUTMZone(int value) {
  if (value >= 1 && value <= 60) FCalibData.UTMZone = value;
}

void TGeoMap::SetShowGraticule(TShowGrat value) {
  if (value == FShowGrat) return;
  FShowGrat = value;
  Paint();
}

void TGeoMap::SetHighLightLandMark(int value) {
  if (value < 0 || value > FNumLandMarks) value = 0;
  if (value == FHighLM) return;
  FHighLM = value;
  Paint();
}

void TGeoMap::SetLMRandomDisplayThreshold(int value) {
  if (value <= MinLMRandomThreshold || value == FLMRandSampleLimit) return;
  FLMRandSampleLimit = value;
  Paint();
}

void TGeoMap::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) Paint();
}

void TGeoMap::SetClassVisibility(uint8_t i, bool value) {
  FLMClassVisible[i] = value;
  Paint();
}

void TGeoMap::SetHighLightProperties(fw::TColor ColorFG, fw::TColor ColorBG, bool Transparent) {
  FHighLMColFG = ColorFG;
  FHighLMColBG = ColorBG;
  FHighLMTrans = Transparent;
  Paint();
}

void TGeoMap::DoSelectRectEvent(int32_t Flag, double A, double B, double C, double D) {
  if (OnSelectRect) OnSelectRect(this, Flag != 0, A, B, C, D);
}

} // namespace kartavo
