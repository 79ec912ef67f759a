// Shared helpers of the atlas tests: calibrated maps written to a fresh
// folder (a white picture whose edges are the box's corners, its calibration
// naming the picture without a folder), and an atlas holding three nested
// maps of one region.
#pragma once

#include "../framework/codec_test_support.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/headless_backend.h"
#include "kartavo/framework/screen.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geoatlas/geoatlas.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/output/generated_map.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace atlas_test {

using namespace kartavo;
using codec_test::TTempDir;

struct TMapSpec {
  double LatLow, LongLow, LatHigh, LongHigh;
  int Width, Height;
  double Resolution;
  std::string Caption;
};

// One degree a pixel over the whole box, 80 S … 80 N, 160 W … 160 E.
inline const TMapSpec World{-80, -160, 80, 160, 320, 160, 100, "World"};
// A quarter of a degree a pixel: 0 … 40 N, 0 … 80 E.
inline const TMapSpec Continent{0, 0, 40, 80, 320, 160, 50, "Continent"};
// A tenth of a degree a pixel: 10 … 20 N, 20 … 40 E.
inline const TMapSpec Country{10, 20, 20, 40, 200, 100, 20, "Country"};

// Writes <name>.bmp and <name>.xml into the folder; the calibration names
// the picture by ImageName (default: <name>.bmp, without a folder).
// Returns the calibration's path.
inline std::string WriteMap(const TTempDir& dir, const std::string& name, const TMapSpec& m,
                            const std::string& ImageName = "") {
  const TGeneratedMapBox box =
      PreparedMapBox(m.LatLow, m.LongLow, m.LatHigh, m.LongHigh, 1, 1, m.Width, m.Height);
  DrawGeneratedMap(box, false, fw::pf24bit, nullptr, nullptr)->SaveToFile(dir.File(name + ".bmp"));
  TCalibData record =
      GeneratedMapCalibration(box, false, ImageName.empty() ? name + ".bmp" : ImageName);
  record.Caption = m.Caption;
  record.Resolution = m.Resolution;
  fw::TTextFile f;
  f.Rewrite(dir.File(name + ".xml"));
  WriteRawCalDataToOpenXMLFile(f, true, "", record, cmBiquadraticPn);
  f.Close();
  return dir.File(name + ".xml");
}

// A calibration whose corners are no numbers: reading it raises.
inline const char* const DamagedCalibration =
    "<?xml version=\"1.0\"?>\n"
    "<geomap sig=\"ORVCSuite\" vers=\"1.0\" id=\"\" model=\"biquadraticpn\" "
    "map=\"country.bmp\" caption=\"Damaged\">\n"
    "<corners>\n[abc,def] [1,2] [3,4] [5,6]\n</corners>\n</geomap>\n";

// The control pixel at which the shown map puts a position.
inline quillon::TPoint ControlPixelOf(const TGeoMap& map, double Lat, double Long) {
  int x = 0, y = 0;
  EXPECT_TRUE(map.CalcPixelCoords(Lat, Long, x, y));
  return map.MapImageToControl({x, y});
}

// An atlas of World, Continent and Country (registered in this order) on
// a headless screen with an empty input queue.
class AtlasTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(fw::HeadlessBackend(), nullptr);
    fw::Application().ProcessMessages();
    WorldXml = WriteMap(Dir, "world", World);
    ContinentXml = WriteMap(Dir, "continent", Continent);
    CountryXml = WriteMap(Dir, "country", Country);
    Atlas = std::make_unique<TGeoAtlas>(nullptr);
  }
  void TearDown() override {
    Atlas.reset();
    fw::Application().ProcessMessages();
  }
  void RegisterAll() {
    ASSERT_TRUE(Atlas->RegisterMap(WorldXml));
    ASSERT_TRUE(Atlas->RegisterMap(ContinentXml));
    ASSERT_TRUE(Atlas->RegisterMap(CountryXml));
  }
  fw::THeadlessBackend& Input() { return *fw::HeadlessBackend(); }
  TGeoMap& Map() { return *Atlas->CurrentMap(); }

  TTempDir Dir;
  std::string WorldXml, ContinentXml, CountryXml;
  std::unique_ptr<TGeoAtlas> Atlas;
};

} // namespace atlas_test
