// TGeoMap: the coordinate conversions, delegated to the functions over the
// map's model, record, parameter sets and graticule.
#include "kartavo/geomap/geomap_control.h"

namespace kartavo {

quillon::TPoint TGeoMap::ControlToMapImage(quillon::TPoint APoint) const {
  return kartavo::ControlToMapImage(APoint, FView.TopLeft(), FView.Magnification());
}

quillon::TPoint TGeoMap::MapImageToControl(quillon::TPoint APoint) const {
  return kartavo::MapImageToControl(APoint, FView.TopLeft(), FView.Magnification());
}

double TGeoMap::CalcLatitude(int x, int y, bool& valid) const {
  return kartavo::CalcLatitude(GeoRef(), x, y, valid);
}

double TGeoMap::CalcLatitude(quillon::TPoint APoint, bool& valid) const {
  return CalcLatitude(APoint.X, APoint.Y, valid);
}

double TGeoMap::CalcLongitude(int x, int y, bool& valid) const {
  return kartavo::CalcLongitude(GeoRef(), x, y, valid);
}

double TGeoMap::CalcLongitude(quillon::TPoint APoint, bool& valid) const {
  return CalcLongitude(APoint.X, APoint.Y, valid);
}

bool TGeoMap::CalcPixelCoords(double Lat, double Long, int& x, int& y) const {
  return kartavo::CalcPixelCoords(GeoRef(), Lat, Long, x, y);
}

bool TGeoMap::CalcPixelCoordsUTM(double Northing, double Easting, int& x, int& y) const {
  return kartavo::CalcPixelCoordsUTM(GeoRef(), Northing, Easting, x, y);
}

int TGeoMap::CalcUTMyFromNorthingX(double Northing, int x) const {
  return kartavo::CalcUTMyFromNorthingX(FCalib.Pars.EquRectSPPL, Northing, x);
}

int TGeoMap::CalcUTMxFromEastingY(double Easting, int y) const {
  return kartavo::CalcUTMxFromEastingY(FCalib.Pars.EquRectSPPL, Easting, y);
}

bool TGeoMap::IsPositionWithinMap(double Latit, double Longit) const {
  return PositionInMap(Latit, Longit, FCalib.Data.Corners);
}

void TGeoMap::CalcExtentsAndResolution() {
  kartavo::CalcExtentsAndResolution(GeoRef(), ImageWidth(), ImageHeight(), FCalib.Data.Corners,
                                    FCalib.Data.Resolution);
}

bool TGeoMap::RecalcGratMat() { return kartavo::RecalcGratMat(FCalib.Data, FCalib.GratMat); }

double TGeoMap::LastClickLatitude() const {
  bool valid = false;
  const double lat = CalcLatitude(FMouse.LastClick.X, FMouse.LastClick.Y, valid);
  return valid ? lat : 0.0;
}

double TGeoMap::LastClickLongitude() const {
  bool valid = false;
  const double lon = CalcLongitude(FMouse.LastClick.X, FMouse.LastClick.Y, valid);
  return valid ? lon : 0.0;
}

// The calibration works in the map image at its own size.
int TGeoMap::ImageWidth() const { return FImage.Bitmap().Width(); }
int TGeoMap::ImageHeight() const { return FImage.Bitmap().Height(); }

} // namespace kartavo
