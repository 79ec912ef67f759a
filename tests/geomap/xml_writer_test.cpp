#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {
using testing::ExampleCalibration;
using testing::ExampleLines;
using testing::JoinLines;
using testing::ReadBytes;
using testing::TScratchDir;

std::string WriteToFile(const TScratchDir& dir, bool declaration, const std::string& id,
                        const TCalibData& cd, TCalibModel model) {
  const std::string name = dir.File("cal.xml");
  fw::TTextFile f;
  f.Rewrite(name);
  WriteRawCalDataToOpenXMLFile(f, declaration, id, cd, model);
  f.Close();
  return ReadBytes(name);
}

std::string WriteToStream(const std::string& id, const TCalibData& cd, TCalibModel model) {
  fw::TMemoryStream s;
  WriteRawCalDataToStream(s, id, cd, model);
  return std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  for (size_t eol; (eol = text.find("\r\n", pos)) != std::string::npos; pos = eol + 2)
    lines.push_back(text.substr(pos, eol - pos));
  EXPECT_EQ(pos, text.size()) << "text does not end with CR LF";
  return lines;
}

TEST(XmlWriter, ExampleCalibrationMatchesTheDocumentedTextByteForByte) {
  TScratchDir dir;
  const std::string text = WriteToFile(dir, true, "alps", ExampleCalibration(), cmUTM);
  EXPECT_EQ(SplitCrLf(text), ExampleLines());
  EXPECT_EQ(text, JoinLines(ExampleLines(), "\r\n"));
}

TEST(XmlWriter, StreamFormOfTheExampleIsTheSameText) {
  EXPECT_EQ(WriteToStream("alps", ExampleCalibration(), cmUTM), JoinLines(ExampleLines(), "\r\n"));
}

TEST(XmlWriter, FileFormLeavesOutDeclarationZeroResolutionAndEmptyPoints) {
  TScratchDir dir;
  TCalibData cd = ExampleCalibration();
  cd.Resolution = 0;
  cd.NumCalQuads = 0;
  cd.NumCalLines = 0;
  cd.UTMZone = -1;
  const auto lines = SplitCrLf(WriteToFile(dir, false, "x", cd, cmEquiRect));
  const std::vector<std::string> expected = {
      "",
      "<!-- TGeoMap Calibration / ORV Component Suite -->",
      "<geomap sig=\"ORVCSuite\" vers=\"1.0\" id=\"x\" model=\"equirect\" map=\"alps.bmp\" "
      "caption=\"Alps\">",
      "<corners>",
      "[48.00000,6.00000] [44.00000,6.00000] [44.00000,12.00000] [48.00000,12.00000] ",
      "</corners>",
      "<ellipsoid>gelWGS84</ellipsoid>",
      "</geomap>"};
  EXPECT_EQ(lines, expected);
}

TEST(XmlWriter, StreamFormAlwaysWritesDeclarationResolutionAndPointElement) {
  TCalibData cd = ExampleCalibration();
  cd.Resolution = 0;
  cd.NumCalQuads = 0;
  cd.NumCalLines = 0;
  cd.UTMZone = -1;
  const auto lines = SplitCrLf(WriteToStream("x", cd, cmEquiRect));
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "<?xml version=\"1.0\"?>");
  EXPECT_EQ(lines[7], "<resolution>0.000</resolution>");
  EXPECT_EQ(lines[8], "<ellipsoid>gelWGS84</ellipsoid>");
  EXPECT_EQ(lines[9], "<calquads npoints=\"0\">");
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11], "</calquads>");
}

TEST(XmlWriter, ZoneAndHemisphereOnlyForZonesOneToSixty) {
  TCalibData cd = ExampleCalibration();
  cd.UTMZone = 60;
  cd.UTMSouth = true;
  std::string text = WriteToStream("a", cd, cmUTM);
  EXPECT_NE(text.find("<utmzone>60</utmzone>\r\n<utmsouth>TRUE</utmsouth>\r\n"), std::string::npos);
  for (int zone : {-1, 0, 61}) {
    cd.UTMZone = zone;
    text = WriteToStream("a", cd, cmUTM);
    EXPECT_EQ(text.find("utmzone"), std::string::npos) << zone;
    EXPECT_EQ(text.find("utmsouth"), std::string::npos) << zone;
  }
}

TEST(XmlWriter, NumberFormsOfCoordinatesResolutionAndLineValues) {
  TCalibData cd;
  cd.Corners[gcoTopLeft] = {-0.000001, -12.345678};
  cd.Resolution = 0.0005;
  cd.NumCalLines = 3;
  cd.CalLines[1] = {gtlMeridian, -7.25, 0, {}};
  cd.CalLines[2] = {gtlParallel, 0.00001, 0, {}};
  cd.CalLines[3] = {gtlParallel, 1.0 / 3.0, 0, {}};
  const std::string text = WriteToStream("n", cd, cmParabolicIp);
  EXPECT_NE(text.find("[0.00000,-12.34568] [0.00000,0.00000]"), std::string::npos);
  EXPECT_NE(text.find("<resolution>0.001</resolution>"), std::string::npos);
  EXPECT_NE(
      text.find("<calline type=\"meridian\" value=\"-7.25\" npoints=\"0\">\r\n\r\n</calline>"),
      std::string::npos);
  EXPECT_NE(text.find("value=\"1E-5\""), std::string::npos);
  EXPECT_NE(text.find("value=\"0.333333333333333\""), std::string::npos);
}

TEST(XmlWriter, DoubleQuotesAreEscapedAndOtherTextIsWrittenAsItStands) {
  TCalibData cd;
  cd.MapFName = "say \"cheese\".jpg";
  cd.Caption = "<Tom & Jerry's> \"map\"";
  const std::string text = WriteToStream("a\"b", cd, cmUndefined);
  EXPECT_NE(text.find("id=\"a&quot;b\" model=\"undefined\" map=\"say &quot;cheese&quot;.jpg\" "
                      "caption=\"<Tom & Jerry's> &quot;map&quot;\">"),
            std::string::npos);
}

TEST(XmlWriter, NamesAndCaptionsAreWrittenInWindows1252) {
  TCalibData cd;
  cd.Caption = "Zürich – Bodensee";
  const std::string text = WriteToStream("z", cd, cmUndefined);
  EXPECT_NE(text.find("caption=\"Z\xFCrich \x96 Bodensee\""), std::string::npos);
}

} // namespace
} // namespace kartavo
