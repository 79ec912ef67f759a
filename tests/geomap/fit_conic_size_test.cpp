// The conic fit of a calibration does not depend on whether its map image
// is at hand: a host that loads the calibration without the image gets the
// conversions of the host that has it.
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/geomap_control.h"
#include "lcc_test_map.h"
#include "picture_support.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kartavo {
namespace {
using testing::TLccMap;

TEST(ConicFitSize, WithoutAnImageTheFitIsTheFitWithIt) {
  const TCalibData cd = TLccMap::Points();
  TModelParams withImage, without;
  CalcConicCalibration(cd, TLccMap::Width, TLccMap::Height, withImage);
  CalcConicCalibration(cd, 0, 0, without);
  for (int k = 1; k <= 6; ++k)
    EXPECT_EQ(without.ConicPars[k], withImage.ConicPars[k]) << k;
  // And the fit is a good one: the top-left corner within 1 km of the truth.
  tessaro::TMatrix grat(5, 1);
  double lat = 0, lon = 0, trueLat = 0, trueLon = 0;
  ASSERT_TRUE(CalcPositionOfPixel({cmConicConformal, cd, withImage, grat}, 0, 0, lat, lon));
  TLccMap::Position(0, 0, trueLat, trueLon);
  EXPECT_NEAR(lat, trueLat, 0.01);
  EXPECT_NEAR(lon, trueLon, 0.01);
}

TEST(ConicFitSize, AControlLoadingACalibrationWithoutItsImageConvertsAlike) {
  testing::TScratchDir dir;
  TGeoMap map(nullptr), lone(nullptr);
  auto inDir = [&dir](fw::TObject*, std::string& name) { name = dir.File(name); };
  map.OnMapImageRequest = inDir;
  lone.OnMapImageRequest = inDir;
  fw::WriteJpegFile(dir.File("lcc.jpg"), testing::Picture(TLccMap::Width, TLccMap::Height));
  map.SetMapImgName("lcc.jpg");
  map.SetCalibModel(cmConicConformal);
  const TCalibData cd = TLccMap::Points();
  for (int i = 1; i <= cd.NumCalQuads; ++i)
    map.AddCalibPoint(cd.CalQuads[i].Latitude, cd.CalQuads[i].Longitude, cd.CalQuads[i].MapX,
                      cd.CalQuads[i].MapY);
  map.SaveCalDataAsXML(dir.File("lcc.xml"), "lcc");
  ASSERT_TRUE(map.LoadCalDataFromXML(dir.File("lcc.xml"), "lcc")); // the points as stored
  ASSERT_EQ(map.MapImgWidth(), TLccMap::Width);
  std::filesystem::remove(dir.File("lcc.jpg"));
  ASSERT_TRUE(lone.LoadCalDataFromXML(dir.File("lcc.xml"), "lcc"));
  ASSERT_EQ(lone.MapImgWidth(), 0);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{1600, 1200}, std::pair{800, 600}}) {
    bool v1 = false, v2 = false;
    EXPECT_EQ(lone.CalcLatitude(x, y, v1), map.CalcLatitude(x, y, v2)) << x << ' ' << y;
    EXPECT_EQ(lone.CalcLongitude(x, y, v1), map.CalcLongitude(x, y, v2)) << x << ' ' << y;
  }
}

} // namespace
} // namespace kartavo
