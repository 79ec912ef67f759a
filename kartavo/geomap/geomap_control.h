// TGeoMap: the map control. It holds a raster map image, the calibration
// that ties the image's pixels to positions, landmarks, the view and a
// mouse trace, and paints them into its client area. The calibration fits
// and conversions are functions over plain records (calib_fits.h,
// geo_conversion.h); the control checks, delegates, refits and repaints.
//
// To repaint means a direct, synchronous call of Paint; SuppressPaint turns
// Paint into a no-op while a host changes many properties.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/codec_progress.h"
#include "kartavo/framework/controls.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/printer.h"
#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geobasics/hemisphere.h"
#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/calib_state.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/geomap_types.h"
#include "kartavo/geomap/interaction/mouse_state.h"
#include "kartavo/geomap/landmark_records.h"
#include "kartavo/geomap/landmarks/landmark_store.h"
#include "kartavo/geomap/render/image_layer.h"
#include "kartavo/geomap/render/map_image.h"
#include "kartavo/geomap/render/map_style.h"
#include "kartavo/geomap/render/mouse_trace.h"
#include "kartavo/geomap/render/render_view.h"
#include "kartavo/geomap/view/map_view.h"
#include "kartavo/package/exceptions.h"

#include <memory>
#include <new>
#include <stdexcept>
#include <string>

namespace kartavo {

struct TGeneratedMapBox;

class KARTAVO_API TGeoMap : public fw::TCustomControl {
public:
  explicit TGeoMap(fw::TComponent* AOwner);
  ~TGeoMap() override;

  void Assign(const fw::TPersistent* Source) override;

  // --- published properties ---
  bool AllowPan() const { return FMouse.Action == quillon::maPan; }
  void SetAllowPan(bool value);
  bool AntiAlias() const { return FImage.AntiAlias(); }
  void SetAntiAlias(bool value);
  TCalibModel CalibModel() const { return FCalib.Model; }
  void SetCalibModel(TCalibModel value);
  double CacheMagLimit() const { return FImage.CacheMagLimit(); }
  void SetCacheMagLimit(double value);
  fw::TColor ColorBackGnd() const { return FStyle.BackGround(); }
  void SetColorBackGnd(fw::TColor value);
  fw::TColor ColorGraticule() const { return FStyle.GraticuleColor(); }
  void SetColorGraticule(fw::TColor value);
  fw::TColor ColorCalibPoints() const { return FStyle.CalibPointColor(); }
  void SetColorCalibPoints(fw::TColor value);
  fw::TColor ColorFrame() const { return FStyle.FrameColor(); }
  void SetColorFrame(fw::TColor value);
  bool ConfinePanToMapImage() const { return FView.ConfinePan(); }
  void SetConfinePanToMapImage(bool value) { SetConfinePan(value); }
  const std::string& EmptyMsg() const { return FStyle.EmptyMsg(); }
  void SetEmptyMsg(const std::string& value);
  quillon::TFrameStyle FrameStyle() const { return FStyle.FrameStyle(); }
  void SetFrameStyle(quillon::TFrameStyle value);
  double GratLineDist() const { return FStyle.GratLineDist(); }
  void SetGratLineDist(double value);
  int UTMGridDist() const { return FStyle.UTMGridDist(); }
  void SetUTMGridDist(int value);
  int UTMZone() const { return FCalib.Data.UTMZone; }
  void SetUTMZone(int value);
  THemisphere UTMHemisphere() const { return FCalib.Data.UTMSouth ? hemiSouth : hemiNorth; }
  void SetUTMHemisphere(THemisphere value) { FCalib.Data.UTMSouth = value == hemiSouth; }
  quillon::TMouseActMode MouseAction() const { return FMouse.Action; }
  void SetMouseAction(quillon::TMouseActMode value) { FMouse.Action = value; }
  fw::TColor MouseTraceColor() const { return FTrace.Color(); }
  void SetMouseTraceColor(fw::TColor value) { FTrace.SetColor(value); }
  bool MouseTraceInvert() const { return FTrace.Invert(); }
  void SetMouseTraceInvert(bool value) { FTrace.SetInvert(value); }
  TShowGrat ShowGraticule() const { return FStyle.ShowGraticule(); }
  void SetShowGraticule(TShowGrat value);

  // --- public properties ---
  const TCalibData& CalibData() const { return FCalib.Data; }
  // Stores the record as it is: no refit, no repaint.
  void SetCalibData(const TCalibData& value) { FCalib.Data = value; }
  const std::string& CalibDataFile() const { return FCalib.FileName; }
  const std::string& Caption() const { return FCalib.Data.Caption; }
  void SetCaption(const std::string& value) { FCalib.Data.Caption = value; }
  int HighLightLandMark() const { return FLandmarks.Highlight(); }
  void SetHighLightLandMark(int value);
  const TLandMark& LandMarkDefault() const { return FLandmarks.Default(); }
  void SetLandMarkDefault(const TLandMark& value) { FLandmarks.SetDefault(value); }
  double LastClickLatitude() const;
  double LastClickLongitude() const;
  int LastClickPosX() const { return FMouse.LastClick.X; }
  int LastClickPosY() const { return FMouse.LastClick.Y; }
  int LastMousePosX() const { return FMouse.LastMouse.X; }
  int LastMousePosY() const { return FMouse.LastMouse.Y; }
  int LMRandomDisplayThreshold() const { return FLandmarks.RandomThreshold(); }
  void SetLMRandomDisplayThreshold(int value);
  double Magnification() const { return FView.Magnification(); }
  const std::string& MapImgFile() const { return FImage.Name(); }
  int MapImgWidth() const { return FImage.Width(); }
  int MapImgHeight() const { return FImage.Height(); }
  fw::TBitmap* MapBitmap() { return &FImage.Bitmap(); }
  int NumLandMarks() const { return FLandmarks.Count(); }
  int NumMTracePoints() const { return FTrace.Count(); }

  // --- mouse trace (geomap_trace.cpp) ---
  void ClearMouseTrace();
  quillon::TColoredPoint MouseTrace(int idx) const { return GetMTracePoint(idx); }
  quillon::TColoredPoint GetMTracePoint(int idx) const;
  // Draws the whole trace on Bitmap's canvas in the current view; x and y are not used.
  void DrawMouseTrace(int x, int y, fw::TBitmap* Bitmap);
  // The mouse's recording: the control pixel (X, Y), clamped to the client
  // area, appended as a map-image point and its segment drawn on the
  // control at once; false when the trace is full.
  bool RecordMouseTrace(int X, int Y);
  // Appends a map-image point without drawing, for hosts that replay a
  // track; false when the trace is full.
  bool AddMouseTracePoint(quillon::TPoint MapPixel) { return FTrace.Record(MapPixel); }
  void EndMouseTraceStroke() { FTrace.EndStroke(); }
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool value);
  quillon::TPoint TopLeft() const { return FView.TopLeft(); }
  quillon::TZoomState ZoomState() const { return FView.ZoomState(); }
  bool LMClassVisible(uint8_t ClassFlag) const { return GetClassVisibility(ClassFlag); }
  void SetLMClassVisible(uint8_t ClassFlag, bool value) { SetClassVisibility(ClassFlag, value); }
  bool GetClassVisibility(uint8_t i) const { return FLandmarks.ClassVisible(i); }
  void SetClassVisibility(uint8_t i, bool value);

  // --- events ---
  TProgressEvent OnDataLoading;
  TRenderEvent OnDataRendered;
  TRenderEvent OnBeforeRenderData;
  TDrawLandMarkEvent OnDrawLandmark;
  TMapImgRequestEvent OnMapImageRequest;
  TLandMarkActionEvent OnLandMarkAction;
  quillon::TZoomPanEvent OnZoomPan;
  quillon::TOnRubberBandActionEvent OnBeginRubberBand;
  quillon::TOnRubberBandActionEvent OnContinueRubberBand;
  quillon::TOnRubberBandActionEvent OnEndRubberBand;
  quillon::TSelectRectEvent OnSelectRect;

  void DoSelectRectEvent(int32_t Flag, double A, double B, double C, double D);
  void DoZoomPanEvent();

  // --- view and zoom stack (geomap_view.cpp) ---
  // Magnifications are taken within TMapView::MinMagnification …
  // MaxMagnification; a value beyond that range is clamped to it, and one
  // that is not positive and finite is ignored like other out-of-range
  // values: the view stays as it was and nothing repaints.
  void SetMagnification(double x);
  // Stores the point as it is (no confinement) and repaints.
  void SetTopLeft(quillon::TPoint APoint);
  void BringMapPixelToCenter(quillon::TPoint APoint);
  // Does nothing when the position does not convert to a map-image pixel.
  void BringLocationToCenter(double Latitude, double Longitude);
  void PanMapToFillWindow();
  // Writer of ConfinePanToMapImage.
  void SetConfinePan(bool value);
  // Without a map image (or in a control without area) there is nothing to
  // fit: the view stays as it was.
  void ZoomFitPage();
  void ZoomStateOnStack();
  // Out of -15 … 0 the entry reads empty.
  TgmZoomStackEntry GetZoomStackEntry(int StackIx) const;
  TgmZoomStackEntry ZoomStack(int StackIx) const { return GetZoomStackEntry(StackIx); }
  void ZoomHistory(int Index);
  void ClearZoomHistory();

  // --- mouse (geomap_mouse.cpp; the modes in interaction/) ---
  bool MouseBox(int& xLo, int& yLo, int& xHi, int& yHi);
  void MouseBoxAbort();
  void SetHighLightProperties(fw::TColor ColorFG, fw::TColor ColorBG, bool Transparent);

  // --- landmarks (geomap_landmarks.cpp; the work is TLandmarkStore's) ---
  // Every overload takes what it does not name from LandMarkDefault; the
  // host's OnLandMarkAction may veto. Storage that cannot grow raises
  // EORVGeoMapError "insufficient memory" and the landmark is not stored.
  void AddLandMark(double Lat, double Long, double Altitude);
  void AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier,
                   fw::TDateTime Time);
  void AddLandMark(double Lat, double Long, double Altitude, const std::string& CaptionText,
                   int32_t CaptionSize, fw::TColor CaptionColor);
  void AddLandMark(double Lat, double Long, double Altitude, const TLMIdentifier& Identifier,
                   fw::TDateTime Time, const std::string& CaptionText, int32_t CaptionSize,
                   fw::TColor CaptionColor);
  void AddLandMark(double Lat, double Long, double Altitude, TLandMarkElement Element,
                   uint8_t ClassFlag, const TLMIdentifier& Identifier, fw::TDateTime Time,
                   int32_t Tag, fw::TColor ColorFG, fw::TColor ColorBG, int32_t Size,
                   bool Transparent, int32_t Direction, int32_t Length);
  // Returns LmIndex, or 0 when nothing was removed.
  int RemoveLandMark(int LmIndex);
  // The nearest landmark of the class filter (-1: every class); returns the
  // index it had, or 0.
  int RemoveLandMark(double Lat, double Long, int32_t ClassFlag);
  // Every landmark of the class filter closer than Radius (degrees on the
  // latitude-longitude plane), or strictly inside Rect; the number removed.
  int RemoveLandMark(double Lat, double Long, int32_t ClassFlag, double Radius);
  int RemoveLandMark(const quillon::TRectDouble& Rect, int32_t ClassFlag);
  void RemoveLastLandMark();
  void RemoveAllLandMarks(uint8_t ClassFlag);
  void RemoveAllLandMarks();
  int FindLandMark(double Lat, double Long, int32_t ClassFlag) const;
  // A copy of landmark ix; an empty record outside 1..NumLandMarks.
  TLandMark GetLandMarkData(int ix) const;
  TLandMark LandMarkData(int ix) const { return GetLandMarkData(ix); }
  void SetLandMarkData(int ix, const TLandMark& LandMark);
  // Landmark files: false when the file cannot be opened or holds no
  // section DataID (the landmarks stay then).
  bool LoadLandMarks(const std::string& FName, const std::string& DataID);
  bool ReadLandMarksFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID);
  void SaveLandmarks(const std::string& FileName, const std::string& DataID);
  void WriteLandMarksToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration,
                                   const std::string& DataID);

  // --- calibration points (geomap_calibration.cpp) ---
  bool AddCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX, int PixPosY);
  bool AddCalibPoint(double Latit, double Longit, int PixPosX, int PixPosY);
  bool AddCalibPoint(double Northing, double Easting, int Zone, THemisphere Hemisphere, int PixPosX,
                     int PixPosY);
  bool RemoveCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX, int PixPosY);
  bool RemoveCalibPoint(int PixPosX, int PixPosY);
  void RestoreLastDeletedCalPoint();
  void ClearCalibData();
  void Clear();
  void RecalcCalibration();
  // The root-mean-square distance in pixels between the stored calibration
  // points and where the fitted model puts their coordinates, per axis.
  void CalibQuality(double& QualX, double& QualY) const;

  // --- model fits (geomap_calibration.cpp) ---
  void CalcBiquadraticCalibration();
  void CalcEquiRectCalibration();
  void CalcMillerCylCalibration();
  void CalcConicCalibration();

  // --- conversions (geomap_conversion.cpp) ---
  quillon::TPoint ControlToMapImage(quillon::TPoint APoint) const;
  quillon::TPoint MapImageToControl(quillon::TPoint APoint) const;
  double CalcLatitude(int x, int y, bool& valid) const;
  double CalcLatitude(quillon::TPoint APoint, bool& valid) const;
  double CalcLongitude(int x, int y, bool& valid) const;
  double CalcLongitude(quillon::TPoint APoint, bool& valid) const;
  bool CalcPixelCoords(double Lat, double Long, int& x, int& y) const;
  bool CalcPixelCoordsUTM(double Northing, double Easting, int& x, int& y) const;
  int CalcUTMyFromNorthingX(double Northing, int x) const;
  int CalcUTMxFromEastingY(double Easting, int y) const;
  bool IsPositionWithinMap(double Latit, double Longit) const;
  void CalcExtentsAndResolution();
  bool RecalcGratMat();
  // What the conversions read: model, record, parameter sets, graticule.
  TGeoRef GeoRef() const { return FCalib.GeoRef(); }
  const TModelParams& ModelParams() const { return FCalib.Pars; }
  const tessaro::TMatrix& GratMat() const { return FCalib.GratMat; }

  // The control's state, part by part, for painters, handlers and tests.
  const TCalibState& Calibration() const { return FCalib; }
  const TMapView& View() const { return FView; }
  const TMapImage& MapImage() const { return FImage; }
  const TMapStyle& Style() const { return FStyle; }
  const TLandmarkStore& LandmarkStore() const { return FLandmarks; }
  const TMouseState& MouseState() const { return FMouse; }
  const TMouseTrace& Trace() const { return FTrace; }

  // How often Paint has rendered (not counting suppressed calls); lets
  // tests and hosts see exactly when the control repainted.
  int PaintCount() const { return FPaintCount; }

  // How often the map image was resampled into the cache, copied from it
  // or stretched directly (counted by rendering, not by time).
  const TImageLayerCounts& ImageLayerCounts() const { return FRenderCounts; }
  TRenderView RenderView() const;

  void Paint() override;

  // --- map image, calibration files, saving a map (geomap_image.cpp,
  //     geomap_calib_file.cpp, geomap_save.cpp) ---
  // Writer of MapImgFile: loads a JPEG, BMP or PNG file within the pixel
  // limit; a missing file empties the map.
  void SetMapImgName(const std::string& Value);
  // Writer of MapBitmap: a copy of the host's picture, named "$unknown$".
  void SetMapBitMap(const fw::TBitmap* Value);
  bool RenameMapImg(const std::string& Name);
  void ResizeMap(double Magnification);
  void ResizeMap(int LongerEdgeLength);
  void SaveMap(const std::string& FileName, const std::string& DataID);
  void SaveCalDataAsXML(const std::string& FileName, const std::string& DataID);
  void SaveCalDataAsXML(fw::TStream& OutStream, const std::string& DataID);
  void WriteCalDataToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration,
                                 const std::string& DataID);
  bool LoadCalDataFromXML(const std::string& FName, const std::string& DataID);
  bool LoadCalDataFromXML(fw::TMemoryStream& InStream, const std::string& DataID);
  bool ReadCalDataFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID);
  // Writer of CalibDataFile.
  void SetCalDatName(const std::string& value);

  // --- outputs (output/) ---
  // Puts the picture last rendered, without the frame, on the clipboard;
  // nothing is rendered anew.
  void CopyToClipboard();
  // A generated map of the box (output/generated_map.h) shown by the
  // control with its equirectangular calibration; the grid when ShowGrid.
  // Raises the map image size error for more than the pixel limit.
  void CreateEmptyMapInMemory(double LatLow, double LongLow, double LatHigh, double LongHigh,
                              double dLat, double dLong, int32_t Wid, int32_t Hgt, bool ShowGrid,
                              TOnDrawMapDataEvent OnDrawMapData);
  // The same with the grid, written as a 16-colour BMP file and a
  // calibration XML file beside it (FName's extension replaced by .bmp and
  // .xml), then loaded from them. File errors raise fw::EInOutError: before
  // the BMP is written nothing changes; when the XML cannot be written the
  // BMP stays and the calibration is cleared.
  void CreateAndLoadEmptyMap(const std::string& FName, double LatLow, double LongLow,
                             double LatHigh, double LongHigh, double dLat, double dLong,
                             int32_t Wid, int32_t Hgt, TOnDrawMapDataEvent OnDrawMapData);

  // Renders the map as the control shows it (map image, overlay,
  // landmarks, host drawing, trace; no frame) for the view with map-image
  // pixel TopLeft at the corner and MagFact control pixels per map-image
  // pixel, into the rectangle (PosHoriz, PosVert, Width x Height) of
  // DestBmp; what falls outside DestBmp is cut off. The control's view,
  // picture and image cache stay as they are; while the copy renders, the
  // host's rendering events see the copy's canvas and the control's
  // conversions answer for the copy's view. Nothing happens for an empty
  // rectangle or one outside DestBmp. Raises EORVGeoMapError for a missing
  // DestBmp, a magnification outside TMapView's range or a rectangle of more
  // than fw::kMaxImagePixels pixels. The copy is rendered in the control's
  // colour depth, so that it holds the very pixels the control shows for
  // that view, and converted to DestBmp's format.
  void CopyToBMP(fw::TBitmap* DestBmp, quillon::TPoint TopLeft, double MagFact, int32_t PosHoriz,
                 int32_t PosVert, int32_t Width, int32_t Height);
  // The whole map image at magnification 1 with overlay, landmarks and
  // trace, onto the clipboard. Nothing happens while there is no map.
  void CopyEntireMapToClipboard();

  // --- printing (output/geomap_print.cpp) on fw::Printer() ---
  // Scale (integer) is the map scale's denominator, 1 : Scale; ScaleF sizes
  // the control's picture relative to the screen, 1 as large as a 96 ppi
  // screen shows it, 0 or below as large as fits. output/print_scale.h
  // gives the details. Scales need a calibration with a resolution
  // (metres per map-image pixel); without one, and for Scale <= 0, these
  // raise EORVGeoMapError, as for a magnification out of range.
  //
  // A one-page document holding the control's view (its client area without
  // the frame) at ScaleF, centred on the page. Raises when the picture at
  // that ScaleF does not fit the page; the document is dropped when
  // rendering fails.
  void PrintIt(double ScaleF);
  // On the open document's current page (EORVGeoMapError when none is open):
  // the control's view at ScaleF with its top-left corner at printer pixel
  // (x, y); ScaleF 0 fits it into the page right and below (x, y). On return
  // x and y are the picture's right and bottom edges (exclusive), where the
  // next item can go.
  void CopyToOpenPrinter(int32_t& x, int32_t& y, double ScaleF);
  // The map-image rectangle MapWindow (right and bottom exclusive) at
  // 1 : Scale with its top-left corner at printer pixel (PosHoriz, PosVert);
  // it covers what CalcExtentsOfPrint gives.
  void CopyToOpenPrinter(const fw::TRect& MapWindow, int32_t Scale, int32_t PosHoriz,
                         int32_t PosVert);
  // The map at 1 : Scale, map-image pixel TopLeft at printer pixel
  // (PosHoriz, PosVert), filling Width x Height printer pixels.
  void CopyToOpenPrinter(quillon::TPoint TopLeft, int32_t Scale, int32_t PosHoriz, int32_t PosVert,
                         int32_t Width, int32_t Height);
  // Printer pixels per map-image pixel at 1 : Scale on the current printer.
  double PrintMagnification(int32_t Scale) const {
    return MapScaleMagnification("PrintMagnification", Scale, fw::Printer().PixelsPerInch());
  }
  // The size in printer pixels of MapWindow printed at 1 : Scale on the
  // current printer; 0 for an empty or inverted side.
  void CalcExtentsOfPrint(const fw::TRect& MapWindow, int32_t Scale, int32_t& Width,
                          int32_t& Height) const;

protected:
  bool ReadCalDataIntern(const TXmlLineSource& Lines, const TXmlTagSource& Tags,
                         const std::string& DataID);

private:
  // A copy for the view (TopLeft, MagFact) of Width x Height pixels in
  // Format, after checking magnification and size (errors name Operation).
  std::unique_ptr<fw::TBitmap> RenderedCopy(const char* Operation, quillon::TPoint TopLeft,
                                            double MagFact, int Width, int Height,
                                            fw::TPixelFormat Format);
  // Printer pixels per map-image pixel at 1 : Scale; raises as described
  // for the printing methods.
  double MapScaleMagnification(const char* Operation, int32_t Scale, int PixelsPerInch) const;
  // Printer pixels per control pixel for ScaleF, fitting into Room.
  double ViewPrintFactor(const char* Operation, double ScaleF, int RoomWidth, int RoomHeight) const;
  void PrintView(const char* Operation, int& x, int& y, double Factor);
  // A rendered copy onto the open document's page at (PosHoriz, PosVert).
  void PrintPicture(const char* Operation, quillon::TPoint TopLeft, double MagFact, int PosHoriz,
                    int PosVert, int Width, int Height);
  TGeneratedMapBox PreparedGeneratedBox(double LatLow, double LongLow, double LatHigh,
                                        double LongHigh, double dLat, double dLong, int32_t Wid,
                                        int32_t Hgt) const;
  fw::TCodecProgress ImageProgress();
  void RefuseOversizedImage(int Width, int Height) const;
  void ShowNewMapImage(const std::string& Name);
  void PrepareCalDataForSaving();

protected:
  void AssignTo(fw::TPersistent* Dest) const override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

  // The refit after every change of the calibration: the fit of the model
  // in force, then corners and resolution. With graticule update the
  // graticule parabolas are rebuilt first. FitModelParameters is the fit
  // alone, for a calibration read from a file whose corners must stay.
  void Refit();
  void FitModelParameters();
  void RefitWithGraticule();
  // The map image size the calibration works in (0 when there is no image).
  int ImageWidth() const;
  int ImageHeight() const;

  // The control's state, part by part; Assign copies all but the trace.
  TCalibState FCalib;
  TMapView FView;
  TMapImage FImage;
  TMapStyle FStyle;
  TLandmarkStore FLandmarks;
  TMouseState FMouse;
  TMouseTrace FTrace;
  bool FSuppressPaint = false;

  // Renders the whole client area into the off-screen image (geomap_paint.cpp).
  void ConstructInternalMapImg();

private:
  // Runs a storage allocation of the landmarks; a failure becomes the
  // control's "insufficient memory" error.
  template <typename F> decltype(auto) GuardLandMarkStorage(F&& f);
  // OnLandMarkAction as the store asks it.
  TLandmarkStore::TActionCheck LandMarkActionCheck();
  void AddLandMarkRecord(const TLandMark& LandMark);
  // LandMarkDefault at the position.
  TLandMark NewLandMark(double Lat, double Long, double Altitude) const;
  // Where a rendering goes: the control's off-screen image (counted, the
  // image cache kept up to date) or a copy (nothing of the control changes).
  enum TRenderTarget : uint8_t { rtControl, rtCopy };
  // Everything but the frame, for View, onto c's rectangle (0, 0,
  // View.Width, View.Height).
  void RenderPicture(fw::TCanvas& c, const TRenderView& View, TRenderTarget Target);
  // The view's rectangle in the background colour, except keep.
  void FillBackground(fw::TCanvas& c, const TRenderView& View, const fw::TRect& keep = {});
  void PaintEmptyDisplay(fw::TCanvas& c, const TRenderView& View);
  void PaintMapLayers(fw::TCanvas& c, const TRenderView& View, TRenderTarget Target);
  TImageLayerCounts FRenderCounts;
  int FPaintCount = 0;
};

template <typename F> decltype(auto) TGeoMap::GuardLandMarkStorage(F&& f) {
  try {
    return f();
  } catch (const std::bad_alloc&) {
    throw EORVGeoMapError(ComponentMessage(*this, "insufficient memory"));
  } catch (const std::length_error&) {
    throw EORVGeoMapError(ComponentMessage(*this, "insufficient memory"));
  }
}

} // namespace kartavo
