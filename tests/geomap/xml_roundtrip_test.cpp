#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kartavo {
namespace {
using testing::TScratchDir;

// Values the writer's formats carry exactly: coordinates with 5 decimals,
// line values with at most 15 significant digits, resolution with 3.
double Decimals(std::mt19937& rng, double lo, double hi, int decimals) {
  const double scale = std::pow(10.0, decimals);
  std::uniform_real_distribution<double> d(lo, hi);
  return std::round(d(rng) * scale) / scale;
}

TCalibData RandomCalibration(std::mt19937& rng, TCalibModel model) {
  std::uniform_int_distribution<int> pixel(-5000, 20000);
  TCalibData cd;
  cd.MapFName = "map_" + std::to_string(model) + ".jpg";
  cd.Caption = "Caption of Model " + std::string(CalibModelNames[model]);
  for (auto& c : cd.Corners)
    c = {Decimals(rng, -90, 90, 5), Decimals(rng, -180, 180, 5)};
  cd.Resolution = Decimals(rng, 0.001, 5000, 3);
  cd.UTMZone = model == cmUTM ? 1 + static_cast<int>(rng() % 60) : -1;
  cd.UTMSouth = model == cmUTM && rng() % 2 == 0;
  cd.Ellipsoid = static_cast<TGeoEllipsoid>(rng() % GeoEllipsoidId.size());
  cd.NumCalLines = static_cast<int32_t>(rng() % (MaxCalLines + 1));
  for (int k = 1; k <= cd.NumCalLines; ++k) {
    TCalibLine& l = cd.CalLines[k];
    l.LineType = rng() % 2 ? gtlParallel : gtlMeridian;
    l.LineValue = Decimals(rng, -180, 180, 9);
    l.NumPoints = 3 + static_cast<int32_t>(rng() % (MaxLinePoints - 2));
    for (int p = 1; p <= l.NumPoints; ++p)
      l.CalPoints[p] = {pixel(rng), pixel(rng)};
  }
  cd.NumCalQuads = 1 + static_cast<int32_t>(rng() % MaxCalQuads);
  for (int k = 1; k <= cd.NumCalQuads; ++k)
    cd.CalQuads[k] = model == cmUTM
                         ? TCalQuad{Decimals(rng, 0, 9999999, 5), Decimals(rng, 100000, 900000, 5),
                                    pixel(rng), pixel(rng)}
                         : TCalQuad{Decimals(rng, -90, 90, 5), Decimals(rng, -180, 180, 5),
                                    pixel(rng), pixel(rng)};
  return cd;
}

// The record as the reader of a fresh record leaves it: unused line and
// point slots untouched, so compare the used part only.
void ExpectSameCalibration(const TCalibData& a, const TCalibData& b) {
  EXPECT_EQ(a.MapFName, b.MapFName);
  EXPECT_EQ(a.Caption, b.Caption);
  EXPECT_EQ(a.Corners, b.Corners);
  EXPECT_EQ(a.Resolution, b.Resolution);
  EXPECT_EQ(a.UTMSouth, b.UTMSouth);
  EXPECT_EQ(a.Ellipsoid, b.Ellipsoid);
  if (a.UTMZone >= 1) {
    EXPECT_EQ(a.UTMZone, b.UTMZone);
  }
  ASSERT_EQ(a.NumCalLines, b.NumCalLines);
  for (int k = 1; k <= a.NumCalLines; ++k)
    EXPECT_EQ(a.CalLines[k], b.CalLines[k]) << k;
  ASSERT_EQ(a.NumCalQuads, b.NumCalQuads);
  for (int k = 1; k <= a.NumCalQuads; ++k)
    EXPECT_EQ(a.CalQuads[k], b.CalQuads[k]) << k;
}

TEST(XmlRoundTrip, EveryModelThroughFileAndStream) {
  std::mt19937 rng(20261207);
  TScratchDir dir;
  for (int round = 0; round < 5; ++round) {
    for (int mi = cmParabolicIp; mi <= cmUndefined; ++mi) {
      const auto model = static_cast<TCalibModel>(mi);
      TCalibData cd = RandomCalibration(rng, model);
      const std::string id = "Map-" + std::to_string(mi);

      const std::string name = dir.File("rt.xml");
      fw::TTextFile f;
      f.Rewrite(name);
      WriteRawCalDataToOpenXMLFile(f, round % 2 == 0, id, cd, model);
      f.Close();
      TCalibData back;
      back.UTMZone = -1;
      TCalibModel m = cmUndefined;
      ASSERT_TRUE(ParseCalibData(name, id, back, m));
      EXPECT_EQ(m, model);
      ExpectSameCalibration(cd, back);

      fw::TMemoryStream s;
      WriteRawCalDataToStream(s, id, cd, model);
      s.SetPosition(0);
      TCalibData backS;
      backS.UTMZone = -1;
      ASSERT_TRUE(ParseCalibData(s, id, backS, m));
      EXPECT_EQ(m, model);
      ExpectSameCalibration(cd, backS);
    }
  }
}

TEST(XmlRoundTrip, SeveralCalibrationsInOneStreamAreFoundByIdentifier) {
  std::mt19937 rng(7);
  fw::TMemoryStream s;
  std::vector<TCalibData> written;
  for (int mi = cmParabolicIp; mi <= cmUTM; ++mi) {
    written.push_back(RandomCalibration(rng, static_cast<TCalibModel>(mi)));
    WriteRawCalDataToStream(s, "id" + std::to_string(mi), written.back(),
                            static_cast<TCalibModel>(mi));
  }
  for (int mi = cmUTM; mi >= cmParabolicIp; --mi) {
    s.SetPosition(0);
    TCalibData back;
    back.UTMZone = -1;
    TCalibModel m = cmUndefined;
    ASSERT_TRUE(ParseCalibData(s, "ID" + std::to_string(mi), back, m));
    EXPECT_EQ(m, mi);
    ExpectSameCalibration(written[static_cast<size_t>(mi)], back);
  }
}

} // namespace
} // namespace kartavo
