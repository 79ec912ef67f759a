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

namespace kartavo {
namespace {

TEST(XmlParse, ValuesThatAreNoNumbersAreRefusedNotReadAsZero) {
  const std::string quads = "<calquads npoints=\"1\">\n";
  const std::string prefix = "ParseCalibData: calibration point 1: ";
  ExpectParseError(quads + "[abc,def,600,0]\n</calquads>",
                   prefix + "latitude \"abc\" is not a number");
  ExpectParseError(quads + "[nan,inf,600,0]\n</calquads>",
                   prefix + "latitude \"nan\" is not a number");
  ExpectParseError(quads + "[47.5,inf,600,0]\n</calquads>",
                   prefix + "longitude \"inf\" is not a number");
  ExpectParseError(quads + "[1e5,2.0,600,0]\n</calquads>",
                   prefix + "latitude \"1e5\" is not a number");
  ExpectParseError(quads + "[47.5,8.0,600.5,0]\n</calquads>",
                   prefix + "x \"600.5\" is not a number");
  ExpectParseError(quads + "[47.5,8.0,600]\n</calquads>", prefix + "x \"600\" is not a number");
  ExpectParseError(quads + "[47.5,8.0,600,0 7]\n</calquads>", prefix + "y \"0 7\" is not a number");
  ExpectParseError("<calquads npoints=\"four\">\n[47.5,8.0,600,0]\n</calquads>",
                   "ParseCalibData: npoints \"four\" is not a number");
  ExpectParseError("<corners>\n[abc,8] [1,2] [3,4] [5,6]\n</corners>",
                   "ParseCalibData: corner latitude \"abc\" is not a number");
  ExpectParseError("<resolution>fine</resolution>",
                   "ParseCalibData: resolution \"fine\" is not a number");
  ExpectParseError("<resolution>1e999</resolution>",
                   "ParseCalibData: resolution \"1e999\" is not a number");
  ExpectParseError("<calline type=\"parallel\" value=\"4x7\" npoints=\"0\">\n\n</calline>",
                   "ParseCalibData: line value \"4x7\" is not a number");
  ExpectParseError("<calline type=\"parallel\" value=\"1\" npoints=\"1\">\n[5,]\n</calline>",
                   "ParseCalibData: graticule point y \"\" is not a number");
  ExpectParseError("<utmzone>99</utmzone>", "ParseCalibData: UTM zone 99 is outside 1 ... 60");
  ExpectParseError("<utmzone></utmzone>", "ParseCalibData: UTM zone \"\" is not a number");
}

TEST(XmlParse, TolerantNumberSyntaxStays) {
  TCalibData cd;
  TCalibModel m = cmUndefined;
  const std::string body =
      "<CALLINE TYPE=\"Parallel\" VALUE=\" 47,5 \" NPOINTS=\"+3\">\n[1, 2] [3,4] [ 5 ,6 ]\n"
      "</CALLINE>\n<resolution> 625,871 </resolution>\n<corners>\n[47.5, 8] [1,2] [3,4] [5,6]\n"
      "</corners>\n<utmzone>-1</utmzone>\n<calquads npoints=\"2\">\n[47.5;8.25;600;0] "
      "[-1.5,-.5,+3, 4 ]\n</calquads>";
  ASSERT_TRUE(ParseText(Calib("a", body), "a", cd, m));
  EXPECT_EQ(cd.CalLines[1].LineValue, 47.5);
  EXPECT_EQ(cd.CalLines[1].CalPoints[3], (quillon::TPoint{5, 6}));
  EXPECT_EQ(cd.Resolution, 625.871);
  EXPECT_EQ(cd.Corners[0].Longit, 8);
  EXPECT_EQ(cd.UTMZone, -1);
  ASSERT_EQ(cd.NumCalQuads, 2);
  EXPECT_EQ(cd.CalQuads[1].Longitude, 8.25);
  EXPECT_EQ(cd.CalQuads[2].Longitude, -0.5);
  EXPECT_EQ(cd.CalQuads[2].MapX, 3);
  EXPECT_EQ(cd.CalQuads[2].MapY, 4);
}

// Every cut of a written calibration after its header and before its
// closing tag is refused: a truncated file is never a smaller calibration.
TEST(XmlParse, EveryTruncationOfAFileIsRefused) {
  const std::string text = JoinLines(ExampleLines(), "\r\n");
  const size_t body = text.find("<corners>"), end = text.find("</geomap>");
  ASSERT_NE(end, std::string::npos);
  for (size_t cut = body; cut < end + 8; ++cut) {
    TCalibData cd;
    TCalibModel m = cmUndefined;
    EXPECT_THROW(ParseText(text.substr(0, cut), "alps", cd, m), EORVGeoMapError) << cut;
  }
  TCalibData cd;
  TCalibModel m = cmUndefined;
  EXPECT_TRUE(ParseText(text.substr(0, end + 9), "alps", cd, m));
}

} // namespace
} // namespace kartavo
