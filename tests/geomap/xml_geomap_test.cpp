#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/stream.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"
#include "picture_support.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {
using testing::ExampleLines;
using testing::JoinLines;
using testing::Picture;
using testing::TScratchDir;
using testing::WriteBytes;

// A biquadratic map of 800 x 600 pixels with six points.
void Calibrate(TGeoMap& map) {
  map.SetCalibModel(cmBiquadraticPn);
  map.AddCalibPoint(48.0, 6.0, 0, 0);
  map.AddCalibPoint(48.0, 12.0, 800, 10);
  map.AddCalibPoint(44.0, 6.0, 5, 600);
  map.AddCalibPoint(44.0, 12.0, 790, 590);
  map.AddCalibPoint(46.0, 9.0, 400, 300);
  map.AddCalibPoint(47.0, 7.0, 130, 160);
  map.SetCaption("Alps \"west\"");
}

struct XmlGeoMap : ::testing::Test {
  XmlGeoMap() {
    map.SetName("GeoMap1");
    other.SetName("GeoMap2");
    fw::WriteJpegFile(dir.File("alps.jpg"), Picture(800, 600, 0x40));
    auto inDir = [this](fw::TObject*, std::string& name) { name = dir.File(name); };
    map.OnMapImageRequest = inDir;
    other.OnMapImageRequest = inDir;
  }
  TScratchDir dir;
  TGeoMap map{nullptr};
  TGeoMap other{nullptr};
};

TEST_F(XmlGeoMap, SavedFileLoadsBackWithImageFitAndConversions) {
  map.SetMapImgName("alps.jpg");
  Calibrate(map);
  map.SaveCalDataAsXML(dir.File("alps.xml"), "Alps");
  ASSERT_TRUE(other.LoadCalDataFromXML(dir.File("alps.xml"), "alps"));
  EXPECT_EQ(other.CalibModel(), cmBiquadraticPn);
  EXPECT_EQ(other.MapImgFile(), "alps.jpg");
  EXPECT_EQ(other.MapImgWidth(), 800);
  EXPECT_EQ(other.Caption(), "Alps \"west\"");
  EXPECT_EQ(other.CalibData().NumCalQuads, 6);
  for (int c = gcoTopLeft; c <= gcoTopRight; ++c) {
    EXPECT_NEAR(other.CalibData().Corners[c].Latit, map.CalibData().Corners[c].Latit, 1e-5);
    EXPECT_NEAR(other.CalibData().Corners[c].Longit, map.CalibData().Corners[c].Longit, 1e-5);
  }
  for (auto [x, y] : {std::pair{100, 100}, std::pair{700, 500}}) {
    bool v1 = false, v2 = false;
    EXPECT_NEAR(other.CalcLatitude(x, y, v1), map.CalcLatitude(x, y, v2), 1e-6);
    EXPECT_TRUE(v1);
  }
}

TEST_F(XmlGeoMap, StreamFormLoadsFromTheCurrentPosition) {
  map.SetMapImgName("alps.jpg");
  Calibrate(map);
  fw::TMemoryStream s;
  const std::string junk = "<gmlandmarks>\n</gmlandmarks>\n";
  s.Write(junk.data(), static_cast<int64_t>(junk.size()));
  map.SaveCalDataAsXML(s, "a");
  s.SetPosition(static_cast<int64_t>(junk.size()));
  ASSERT_TRUE(other.LoadCalDataFromXML(s, ""));
  EXPECT_EQ(other.CalibData().NumCalQuads, 6);
  EXPECT_EQ(other.MapImgHeight(), 600);
}

TEST_F(XmlGeoMap, MissingIdentifierLeavesTheLastHeaderAndTheRestUnchanged) {
  const std::string text =
      "<geomap sig=\"ORVCSuite\" id=\"a\" model=\"equirect\" map=\"a.jpg\" caption=\"A\">\n"
      "<utmzone>31</utmzone>\n</geomap>\n"
      "<geomap sig=\"ORVCSuite\" id=\"b\" model=\"conicconformal\" map=\"b.jpg\" caption=\"B\">\n"
      "<utmzone>32</utmzone>\n</geomap>\n";
  WriteBytes(dir.File("ab.xml"), text);
  other.SetUTMZone(7);
  EXPECT_FALSE(other.LoadCalDataFromXML(dir.File("ab.xml"), "c"));
  EXPECT_EQ(other.CalibModel(), cmConicConformal);
  EXPECT_EQ(other.CalibData().MapFName, "b.jpg");
  EXPECT_EQ(other.Caption(), "B");
  EXPECT_EQ(other.UTMZone(), 7);
  EXPECT_FALSE(other.LoadCalDataFromXML(dir.File("missing.xml"), ""));
  ASSERT_TRUE(other.LoadCalDataFromXML(dir.File("ab.xml"), "B"));
  EXPECT_EQ(other.UTMZone(), 32);
  EXPECT_EQ(other.MapImgFile(), ""); // b.jpg does not exist: no map
}

TEST_F(XmlGeoMap, ControlDropsShortLinesAndReadsLfAndCrLfFiles) {
  for (const std::string eol : {"\n", "\r\n"}) {
    std::vector<std::string> lines = ExampleLines();
    lines.insert(lines.end() - 1, {"<calline type=\"meridian\" value=\"7\" npoints=\"2\">",
                                   "[1,2] [3,4] ", "</calline>"});
    WriteBytes(dir.File("ex.xml"), JoinLines(lines, eol));
    ASSERT_TRUE(other.LoadCalDataFromXML(dir.File("ex.xml"), "alps"));
    EXPECT_EQ(other.CalibModel(), cmUTM);
    EXPECT_EQ(other.CalibData().NumCalLines, 1);
    EXPECT_EQ(other.CalibData().NumCalQuads, 2);
    EXPECT_EQ(other.UTMZone(), 32);
    EXPECT_EQ(other.CalibData().Resolution, 625.871);
  }
}

TEST_F(XmlGeoMap, ReadingErrorsUseTheComponentFormAndKeepWhatWasRead) {
  WriteBytes(dir.File("bad.xml"),
             "<geomap sig=\"ORVCSuite\" id=\"x\" model=\"utm\">\n<utmzone>33</utmzone>\n"
             "<calquads npoints=\"3\">\n[1.0,2.0,3,4]\n</calquads>\n</geomap>\n");
  try {
    other.LoadCalDataFromXML(dir.File("bad.xml"), "");
    ADD_FAILURE();
  } catch (const EORVGeoMapError& e) {
    EXPECT_EQ(std::string(e.what()), "Component \"GeoMap2\": specified number of calibration "
                                     "points and actual number does not match");
  }
  EXPECT_EQ(other.UTMZone(), 33);
  EXPECT_EQ(other.CalibData().NumCalQuads, 0);
}

TEST_F(XmlGeoMap, CalibDataFileLoadsAnExistingFileAndEmptiesTheMapOtherwise) {
  map.SetMapImgName("alps.jpg");
  Calibrate(map);
  map.SaveCalDataAsXML(dir.File("alps.xml"), "z");
  other.SetCalDatName(dir.File("alps.xml"));
  EXPECT_EQ(other.CalibDataFile(), dir.File("alps.xml"));
  EXPECT_EQ(other.MapImgWidth(), 800);
  other.SetCalDatName(dir.File("none.xml"));
  EXPECT_EQ(other.CalibDataFile(), dir.File("alps.xml"));
  EXPECT_EQ(other.MapImgFile(), "");
  EXPECT_EQ(other.MapImgWidth(), 0);
}

} // namespace
} // namespace kartavo
