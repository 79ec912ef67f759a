// Demo section: the capitals of the country table as landmarks of a map
// control, written as a landmark file and as GeoJSON, read back and
// compared, and drawn on a world sheet.
#include "cli.h"
#include "landmark_files.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/date_time.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/geobasics/country_table.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/landmarks/landmark_layer.h"

#include <cctype>
#include <ostream>

namespace kcli {
namespace {
using namespace kartavo;

constexpr int kWorldW = 1440, kWorldH = 720; // 4 pixels a degree

// Small red dots with dark captions just below them.
TLandMark CapitalLook() {
  TLandMark lm = DefaultLandMark();
  lm.SymbolProps = {lmCircle, 2, 0x0000C0, 0x4040FF, false, 0, 0};
  lm.Caption.Size = 7;
  lm.Caption.dy = 3;
  lm.Caption.FontName = "DejaVu Sans";
  return lm;
}

std::string Upper(std::string s) {
  for (char& c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// One landmark per country: its capital, or for a country without one its
// centre, named after the country, in class 1.
void AddCapitals(TGeoMap& map) {
  map.SetLandMarkDefault(CapitalLook());
  const fw::TDateTime stamp = fw::EncodeDateTime(2026, 12, 8, 12, 0, 0, 0);
  for (const TCountryData& c : CountryData) {
    const bool capital = !c.Capital.Empty();
    map.AddLandMark(capital ? c.CapLat : c.CLat, capital ? c.CapLong : c.CLong,
                    capital ? c.CapAlt : 0, TLMIdentifier(Upper(c.ISO3166_3.ToString())), stamp,
                    capital ? c.Capital.ToString() : c.Name.ToString(), 7, 0x202020);
    if (!capital) {
      TLandMark lm = map.LandMarkData(map.NumLandMarks());
      lm.ClassFlag = 1;
      lm.SymbolProps.Kind = lmSquare;
      map.SetLandMarkData(map.NumLandMarks(), lm);
    }
  }
}

// The world from 90N 180W to 90S 180E, equirectangular.
struct TWorldMap {
  TCalibData Calib;
  TModelParams Pars;
  tessaro::TMatrix Grat{5, 1};
  TWorldMap() {
    Calib.UTMZone = -1;
    Calib.NumCalQuads = 4;
    Calib.CalQuads[1] = {90, -180, 0, 0};
    Calib.CalQuads[2] = {90, 180, kWorldW, 0};
    Calib.CalQuads[3] = {-90, -180, 0, kWorldH};
    Calib.CalQuads[4] = {-90, 180, kWorldW, kWorldH};
    CalcEquiRectCalibration(Calib, Pars);
  }
  TGeoRef Ref() const { return {cmEquiRect, Calib, Pars, Grat}; }
};

int DrawWorld(const TGeoMap& map, const std::string& file) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf24bit);
  bmp.SetSize(kWorldW, kWorldH);
  fw::TCanvas& c = *bmp.Canvas();
  c.Brush()->SetColor(0xF5EBDC);
  c.FillRect(fw::Rect(0, 0, kWorldW, kWorldH));
  c.Pen()->SetColor(0xC8B4A0);
  for (int lon = -150; lon < 180; lon += 30) {
    c.MoveTo((lon + 180) * 4, 0);
    c.LineTo((lon + 180) * 4, kWorldH);
  }
  for (int lat = -60; lat <= 60; lat += 30) {
    c.MoveTo(0, (90 - lat) * 4);
    c.LineTo(kWorldW, (90 - lat) * 4);
  }
  const TWorldMap world;
  const TLandmarkStore& store = map.LandmarkStore();
  TLandmarkLayerData data;
  data.LandMarks = store.Items();
  data.ClassVisible = &store.ClassVisibility();
  const int drawn = DrawLandmarkLayer(c, data, world.Ref(), {{0, 0}, 1.0, kWorldW, kWorldH}, {});
  fw::WritePngFile(file, bmp.PixelImage());
  return drawn;
}

int CountEqual(const TGeoMap& map, const std::vector<TLandMark>& other) {
  int same = 0;
  for (int ix = 1; ix <= map.NumLandMarks() && ix <= int(other.size()); ++ix)
    same += map.LandMarkData(ix) == other[size_t(ix - 1)];
  return same;
}

void LandmarksDemo(std::ostream& out, const std::filesystem::path& dir) {
  TGeoMap map(nullptr);
  AddCapitals(map);
  out << "added " << map.NumLandMarks() << " landmarks from the country table (capitals; "
      << "countries without a capital at their centre, class 1)\n";
  const std::string xml = (dir / "capitals_landmarks.xml").string();
  const std::string json = (dir / "capitals.geojson").string();
  map.SaveLandmarks(xml, "capitals");
  WriteLandMarkSet(json, "capitals", map.LandmarkStore().Items());
  out << "wrote " << xml << " and " << json << "\n";

  TGeoMap back(nullptr);
  const bool found = back.LoadLandMarks(xml, "Capitals");
  const std::vector<TLandMark> fromXml = back.LandmarkStore().Items();
  const std::vector<TLandMark> fromJson = ReadLandMarkSet(json, "");
  out << "read back: landmark file " << (found ? fromXml.size() : 0) << " landmarks, "
      << CountEqual(map, fromXml) << " equal; GeoJSON " << fromJson.size() << " landmarks, "
      << CountEqual(map, fromJson) << " equal\n";
  const bool allEqual =
      fromXml == map.LandmarkStore().Items() && fromJson == map.LandmarkStore().Items();
  out << (allEqual ? "both files read back to the same landmarks\n"
                   : "MISMATCH: a file did not read back to the same landmarks\n");
  if (!allEqual) SetExitCode(exitBadInput);
  const std::string png = (dir / "capitals.png").string();
  const int drawn = DrawWorld(map, png);
  out << "drew " << drawn << " landmarks on " << png << " (" << kWorldW << " x " << kWorldH
      << ")\n";
}

const DemoRegistrar demo(60, "Landmarks: the capitals of the country table", LandmarksDemo);

} // namespace
} // namespace kcli
