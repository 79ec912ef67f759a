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
  FTopLeft = {0, 0};
  FConfinePan = true;
  FGratLineDist = 0;
  FLastMClickPosX = FLastMClickPosY = FLastMMousePosX = FLastMMousePosY = 0;
  FShowGrat = sgNone;
  FSuppressPaint = false;
  FAntiAlias = true;
  FMagnify = 1.0;
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

  FMouseBoxState = quillon::mbsIdle;
  FZoomState = quillon::zsIdle;
  FMouseAction = quillon::maPan;
  FRubberBandOn = FSelectRectOn = false;
  FLButtonWasDown = false;

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

void TGeoMap::ClearZoomHistory() {
  FZoomStack.fill(TgmZoomStackEntry{});
  FZStackPoi = 0;
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
  FLButtonWasDown = src->FLButtonWasDown;
  FLMClassVisible = src->FLMClassVisible;
  FLMRandSampleLimit = src->FLMRandSampleLimit;
  FMapImgName = src->FMapImgName;
  FMapImgWidth = src->FMapImgWidth;
  FMapImgHeight = src->FMapImgHeight;
  FMagnify = src->FMagnify;
  FZoomState = src->FZoomState;
  FMouseBoxState = src->FMouseBoxState;
  FMouseBoxX1 = src->FMouseBoxX1;
  FMouseBoxX2 = src->FMouseBoxX2;
  FMouseBoxY1 = src->FMouseBoxY1;
  FMouseBoxY2 = src->FMouseBoxY2;

  // The mouse trace is not copied.
  FWindOldCornerX = src->FWindOldCornerX;
  FWindOldCornerY = src->FWindOldCornerY;
  FWindAnchorX = src->FWindAnchorX;
  FWindAnchorY = src->FWindAnchorY;
  FShowGrat = src->FShowGrat;
  FTopLeft = src->FTopLeft;
  FCalibModel = src->FCalibModel;
  FBiQuadOops = src->FBiQuadOops;
  FParaIpOops = src->FParaIpOops;
  FRestoreBiQuadOK = src->FRestoreBiQuadOK;
  FRestoreParaIpOK = src->FRestoreParaIpOK;
  FSuppressPaint = src->FSuppressPaint;
  FConfinePan = src->FConfinePan;
  FMouseAction = src->FMouseAction;
  FRubberBandOn = src->FRubberBandOn;
  FSelectRectOn = src->FSelectRectOn;
  FRubberBAnchorX = src->FRubberBAnchorX;
  FRubberBAnchorY = src->FRubberBAnchorY;
  FRubberBandOldX = src->FRubberBandOldX;
  FRubberBandOldY = src->FRubberBandOldY;
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
  FTopLeftXAnchor = src->FTopLeftXAnchor;
  FTopLeftYAnchor = src->FTopLeftYAnchor;
  FZoomStack = src->FZoomStack;
  FZStackPoi = src->FZStackPoi;
  FCalDatName = src->FCalDatName;
  MouseAnchorX = src->MouseAnchorX;
  MouseAnchorY = src->MouseAnchorY;
  FLastMClickPosX = src->FLastMClickPosX;
  FLastMClickPosY = src->FLastMClickPosY;
  FLastMMousePosX = src->FLastMMousePosX;
  FLastMMousePosY = src->FLastMMousePosY;

  GrafBmp->Assign(src->GrafBmp.get());
}

void TGeoMap::SetAllowPan(bool value) { FMouseAction = value ? quillon::maPan : quillon::maNone; }

void TGeoMap::SetAntiAlias(bool value) {
  FAntiAlias = value;
  Paint();
}

void TGeoMap::SetCacheMagLimit(double value) {
  // NaN is no limit at all: it becomes 0 like any value below the range.
  FCacheMagLimit = value > MaxCacheMagLimit ? MaxCacheMagLimit : (value >= 0 ? value : 0.0);
  if (FMagnify < MaxCacheMagLimit) Paint();
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

// Keeping the view inside the image on the way back to true belongs to the
// zoom and pan logic.
void TGeoMap::SetConfinePanToMapImage(bool value) { FConfinePan = value; }

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

void TGeoMap::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(this);
}

} // namespace kartavo
