#include "kartavo/framework/stream.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/package/exceptions.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {
using testing::ExampleCalibration;
using testing::ExampleLines;
using testing::JoinLines;
using testing::TScratchDir;
using testing::WriteBytes;

void Load(fw::TMemoryStream& s, const std::string& text) {
  s.Clear();
  s.Write(text.data(), static_cast<int64_t>(text.size()));
  s.SetPosition(0);
}

bool ParseText(const std::string& text, const std::string& id, TCalibData& cd, TCalibModel& m) {
  fw::TMemoryStream s;
  Load(s, text);
  return ParseCalibData(s, id, cd, m);
}

std::string Header(const std::string& id, const std::string& extra = " model=\"equirect\"") {
  return "<geomap sig=\"ORVCSuite\" vers=\"1.0\" id=\"" + id + "\"" + extra + ">";
}

std::string Calib(const std::string& id, const std::string& body) {
  return Header(id) + "\n" + body + "\n</geomap>\n";
}

void ExpectParseError(const std::string& body, const std::string& message) {
  TCalibData cd;
  TCalibModel m = cmUndefined;
  try {
    ParseText(Calib("a", body), "a", cd, m);
    ADD_FAILURE() << "no error for " << body;
  } catch (const EORVGeoMapError& e) {
    EXPECT_EQ(std::string(e.what()), message);
  }
}

TEST(XmlParse, ExampleTextReadsBackIntoTheSameRecordFromFilesWithCrLfAndLf) {
  TScratchDir dir;
  for (const std::string eol : {"\r\n", "\n"}) {
    const std::string name = dir.File("example.xml");
    WriteBytes(name, JoinLines(ExampleLines(), eol));
    TCalibData cd;
    TCalibModel m = cmUndefined;
    ASSERT_TRUE(ParseCalibData(name, "alps", cd, m));
    EXPECT_EQ(m, cmUTM);
    EXPECT_EQ(cd, ExampleCalibration());

    fw::TMemoryStream s;
    Load(s, JoinLines(ExampleLines(), eol));
    TCalibData cs;
    ASSERT_TRUE(ParseCalibData(s, "ALPS", cs, m));
    EXPECT_EQ(cs, ExampleCalibration());
  }
}

TEST(XmlParse, HeaderTagAndIdentifierIgnoreCase) {
  const std::string text =
      "<GEOMAP SIG=\"ORVCSuite\" ID=\"Alps\" MODEL=\"Conicconformal\" "
      "MAP=\"Alps.JPG\" CAPTION=\"Die Alpen\">\n<RESOLUTION>12.5</RESOLUTION>\n"
      "</GEOMAP>\n";
  TCalibData cd;
  TCalibModel m = cmUndefined;
  ASSERT_TRUE(ParseText(text, "alps", cd, m));
  EXPECT_EQ(m, cmConicConformal);
  EXPECT_EQ(cd.MapFName, "alps.jpg"); // the map name is read in lower case
  EXPECT_EQ(cd.Caption, "Die Alpen");
  EXPECT_DOUBLE_EQ(cd.Resolution, 12.5);
}

TEST(XmlParse, EmptyIdentifierTakesTheFirstAndAMissingOneLeavesTheLastHeaderSeen) {
  const std::string text = "<root>\n" + Header("a", " model=\"utm\" map=\"a.jpg\" caption=\"A\"") +
                           "\n<utmzone>31</utmzone>\n</geomap>\n" +
                           Header("b", " model=\"millercylindrical\" map=\"b.jpg\" caption=\"B\"") +
                           "\n<utmzone>33</utmzone>\n</geomap>\n</root>\n";
  TCalibData cd;
  TCalibModel m = cmUndefined;
  ASSERT_TRUE(ParseText(text, "", cd, m));
  EXPECT_EQ(m, cmUTM);
  EXPECT_EQ(cd.UTMZone, 31);

  ASSERT_TRUE(ParseText(text, "b", cd, m));
  EXPECT_EQ(m, cmMillerCylindrical);
  EXPECT_EQ(cd.MapFName, "b.jpg");
  EXPECT_EQ(cd.UTMZone, 33);

  TCalibData other;
  other.UTMZone = 7;
  m = cmParabolicIp;
  EXPECT_FALSE(ParseText(text, "c", other, m));
  EXPECT_EQ(m, cmMillerCylindrical);
  EXPECT_EQ(other.MapFName, "b.jpg");
  EXPECT_EQ(other.Caption, "B");
  EXPECT_EQ(other.UTMZone, 7);
}

TEST(XmlParse, ModelWithoutAttributeIsBiquadraticAndUnknownIsUndefined) {
  TCalibData cd;
  TCalibModel m = cmUTM;
  ASSERT_TRUE(ParseText(Header("a", "") + "\n</geomap>\n", "a", cd, m));
  EXPECT_EQ(m, cmBiquadraticPn);
  ASSERT_TRUE(ParseText(Header("a", " model=\"mercator\"") + "\n</geomap>\n", "a", cd, m));
  EXPECT_EQ(m, cmUndefined);
}

TEST(XmlParse, OnlyTheLineCountIsResetAndShortLinesStay) {
  TCalibData cd = ExampleCalibration();
  cd.NumCalLines = 4;
  TCalibModel m = cmUndefined;
  const std::string body = "<calline type=\"Meridian\" value=\"47,5\" npoints=\"2\">\n[1,2] [3,4]\n"
                           "</calline>";
  ASSERT_TRUE(ParseText(Calib("a", body), "a", cd, m));
  ASSERT_EQ(cd.NumCalLines, 1);
  EXPECT_EQ(cd.CalLines[1].LineType, gtlMeridian);
  EXPECT_DOUBLE_EQ(cd.CalLines[1].LineValue, 47.5);
  EXPECT_EQ(cd.CalLines[1].NumPoints, 2);
  EXPECT_EQ(cd.CalLines[1].CalPoints[2], (quillon::TPoint{3, 4}));
  EXPECT_EQ(cd.NumCalQuads, 2); // no calquads element: the caller's points stay
  EXPECT_EQ(cd.Resolution, ExampleCalibration().Resolution);
}

TEST(XmlParse, MalformedContentRaisesTheDocumentedMessages) {
  ExpectParseError("<calline type=\"equator\" value=\"0\" npoints=\"0\">\n\n</calline>",
                   "ParseCalibData: invalid type of graticule line: type=\"equator\"");
  ExpectParseError("<calline type=\"parallel\" value=\"1\" npoints=\"3\">\n[1,2] [3,4]\n</calline>",
                   "ParseCalibData: specified number of calibration points and actual number "
                   "does not match");
  ExpectParseError("<calquads npoints=\"3\">\n[1.0,2.0,3,4] [1.0,2.0,3,4]\n</calquads>",
                   "ParseCalibData: specified number of calibration points and actual number "
                   "does not match");
  ExpectParseError("<ellipsoid>gelMars</ellipsoid>",
                   "ParseCalibData: unknown ellipsoid: \"gelMars\"");
}

std::string Groups(int n, const std::string& group) {
  std::string out;
  for (int i = 0; i < n; ++i)
    out += group + " ";
  return out;
}

std::string CalLine(int points) {
  return "<calline type=\"parallel\" value=\"1\" npoints=\"" + std::to_string(points) + "\">\n" +
         Groups(points, "[5,6]") + "\n</calline>\n";
}

std::string CalQuads(int points) {
  return "<calquads npoints=\"" + std::to_string(points) + "\">\n" +
         Groups(points, "[1.5,2.5,3,4]") + "\n</calquads>\n";
}

TEST(XmlParse, InputBeyondTheRecordLimitsIsRefusedAfterWhatWasReadBefore) {
  struct Case {
    std::string body;
    std::string message;
  };
  const std::vector<Case> cases = {
      {CalLine(11), "number of points on a graticule line exceeds the limit of 10"},
      {[] {
         std::string s;
         for (int i = 0; i < 26; ++i)
           s += CalLine(3);
         return s;
       }(),
       "number of graticule lines exceeds the limit of 25"},
      {CalQuads(201), "number of calibration points exceeds the limit of 200"},
      {"<corners>\n" + Groups(5, "[1,2]") + "\n</corners>",
       "number of corners exceeds the limit of 4"},
  };
  for (const auto& c : cases) {
    TCalibData cd;
    cd.NumCalQuads = 1;
    TCalibModel m = cmUndefined;
    const std::string before = "<resolution>7</resolution>\n" + CalLine(10);
    try {
      ParseText(Calib("a", before + c.body), "a", cd, m);
      ADD_FAILURE() << c.message;
    } catch (const EORVGeoMapError& e) {
      EXPECT_EQ(std::string(e.what()), "ParseCalibData: " + c.message);
    }
    EXPECT_EQ(cd.Resolution, 7);
    EXPECT_GE(cd.NumCalLines, 1);
    EXPECT_LE(cd.NumCalLines, MaxCalLines);
    EXPECT_EQ(cd.CalLines[1].NumPoints, 10);
    EXPECT_EQ(cd.NumCalQuads, 1);
    EXPECT_EQ(cd.Corners[gcoTopLeft], TCoords{});
  }
}

TEST(XmlParse, ExactlyTheLimitsAreAccepted) {
  std::string body = CalQuads(200) + "<corners>\n" + Groups(4, "[1,2]") + "\n</corners>\n";
  for (int i = 0; i < 25; ++i)
    body += CalLine(10);
  TCalibData cd;
  TCalibModel m = cmUndefined;
  ASSERT_TRUE(ParseText(Calib("a", body), "a", cd, m));
  EXPECT_EQ(cd.NumCalQuads, 200);
  EXPECT_EQ(cd.NumCalLines, 25);
  EXPECT_EQ(cd.CalLines[25].NumPoints, 10);
  EXPECT_EQ(cd.CalQuads[200], (TCalQuad{1.5, 2.5, 3, 4}));
  EXPECT_EQ(cd.Corners[gcoTopRight], (TCoords{1, 2}));
}

TEST(XmlParse, QuotesRoundTripThroughTheEscapedForm) {
  TCalibData cd = ExampleCalibration();
  cd.MapFName = "say \"cheese\".jpg";
  cd.Caption = "A \"quoted\" caption";
  fw::TMemoryStream s;
  WriteRawCalDataToStream(s, "x\"y", cd, cmUTM);
  s.SetPosition(0);
  TCalibData back;
  TCalibModel m = cmUndefined;
  ASSERT_TRUE(ParseCalibData(s, "X\"Y", back, m));
  EXPECT_EQ(back.MapFName, "say \"cheese\".jpg");
  EXPECT_EQ(back.Caption, "A \"quoted\" caption");
}

TEST(XmlParse, MissingFileOrHeaderIsFalseWithoutChange) {
  TScratchDir dir;
  TCalibData cd = ExampleCalibration();
  TCalibModel m = cmConicConformal;
  EXPECT_FALSE(ParseCalibData(dir.File("none.xml"), "", cd, m));
  EXPECT_FALSE(ParseText("<geomap id=\"a\">\n</geomap>\n", "", cd, m)); // no suite signature
  EXPECT_FALSE(ParseText("", "", cd, m));
  EXPECT_EQ(cd, ExampleCalibration());
  EXPECT_EQ(m, cmConicConformal);
}

TEST(XmlParse, StreamIsReadFromItsCurrentPosition) {
  fw::TMemoryStream s;
  const std::string junk = Header("skipped", " model=\"utm\"") + "\n";
  const std::string text = junk + JoinLines(ExampleLines(), "\n");
  Load(s, text);
  s.SetPosition(static_cast<int64_t>(junk.size()));
  TCalibData cd;
  TCalibModel m = cmUndefined;
  ASSERT_TRUE(ParseCalibData(s, "", cd, m));
  EXPECT_EQ(cd, ExampleCalibration());
}

} // namespace
} // namespace kartavo
