// Generated maps on the control: the picture and calibration come from
// output/generated_map.h; here they are handed to the control, in memory or
// through a BMP/XML file pair.
#include "kartavo/companion/quillon.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/detail/map_image_file.h"
#include "kartavo/geomap/output/generated_map.h"

namespace kartavo {
namespace {

constexpr const char* GeneratedDataID = "ORV_geomap_caldata";

} // namespace

TGeneratedMapBox TGeoMap::PreparedGeneratedBox(double LatLow, double LongLow, double LatHigh,
                                               double LongHigh, double dLat, double dLong,
                                               int32_t Wid, int32_t Hgt) const {
  const TGeneratedMapBox box =
      PreparedMapBox(LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt);
  const std::string problem = MapBoxProblem(box);
  if (!problem.empty()) throw EORVGeoMapError(ComponentMessage(*this, problem));
  return box;
}

void TGeoMap::CreateEmptyMapInMemory(double LatLow, double LongLow, double LatHigh, double LongHigh,
                                     double dLat, double dLong, int32_t Wid, int32_t Hgt,
                                     bool ShowGrid, TOnDrawMapDataEvent OnDrawMapData) {
  const TGeneratedMapBox box =
      PreparedGeneratedBox(LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt);
  // Refused before the picture is made: the hand-over would refuse it
  // anyway, and a huge size should not be allocated and drawn first.
  RefuseOversizedImage(box.Wid, box.Hgt);
  const auto picture = DrawGeneratedMap(box, ShowGrid, fw::pf24bit, this, OnDrawMapData);
  SetMapBitMap(picture.get());
  ClearCalibData();
  FCalib.Data = GeneratedMapCalibration(box, ShowGrid, TMapImage::UnknownName);
  FCalib.Model = cmEquiRect;
  RecalcCalibration();
}

void TGeoMap::CreateAndLoadEmptyMap(const std::string& FName, double LatLow, double LongLow,
                                    double LatHigh, double LongHigh, double dLat, double dLong,
                                    int32_t Wid, int32_t Hgt, TOnDrawMapDataEvent OnDrawMapData) {
  const TGeneratedMapBox box =
      PreparedGeneratedBox(LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt);
  const std::string xmlName = quillon::StripExtension(FName) + ".xml";
  const std::string imageName = quillon::StripExtension(xmlName) + ".bmp";
  DrawGeneratedMap(box, true, fw::pf4bit, this, OnDrawMapData)->SaveToFile(imageName);
  ClearCalibData();
  const TCalibData record = GeneratedMapCalibration(box, true, imageName);
  {
    fw::TTextFile f;
    f.Rewrite(xmlName);
    WriteRawCalDataToOpenXMLFile(f, true, GeneratedDataID, record, cmBiquadraticPn);
    f.Close();
  }
  if (!LoadCalDataFromXML(xmlName, GeneratedDataID))
    throw EORVGeoMapError(
        ComponentMessage(*this, "cannot read the generated map's calibration \"" + xmlName + "\""));
  Paint();
}

} // namespace kartavo
