// Landmark files: finding the section, reading every attribute, writing
// files that read back to equal landmarks.
#include "../xml_test_support.h"
#include "random_records.h"

#include "kartavo/framework/errors.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
using namespace kartavo;
using kartavo::testing::TScratchDir;
using kartavo::testing::WriteBytes;

std::string Header(const std::string& id) {
  return "<gmlandmarks sig=\"ORVCSuite\" vers=\"1.0\" id=\"" + id + "\">\r\n";
}
std::string Mark(const std::string& attrs) { return "<landmark " + attrs + " />\r\n"; }

// Reads text as a landmark file; nullopt when no section matched.
std::optional<std::vector<TLandMark>> Read(const std::string& text, const std::string& id) {
  TScratchDir dir;
  WriteBytes(dir.File("lm.xml"), text);
  std::vector<TLandMark> lms = {DefaultLandMark()};
  if (!LoadLandMarkFile(dir.File("lm.xml"), id, lms)) {
    EXPECT_EQ(lms.size(), 1u) << "a failed read keeps the landmarks";
    return std::nullopt;
  }
  return lms;
}

TEST(LandmarkFileRead, SectionsAreFoundByIdentifierInAnyCase) {
  const std::string text = Header("first") + Mark("lat=\"1\"") + "</gmlandmarks>\r\n" +
                           Mark("lat=\"7\"") + "</geomap>\r\n" + Header("  HARBOUR ") +
                           Mark("lat=\"2\"") + "</gmlandmarks>\r\n" + Header("harbour") +
                           Mark("lat=\"3\"") + "</gmlandmarks>\r\n";
  auto harbour = Read(text, "Harbour");
  ASSERT_TRUE(harbour);
  ASSERT_EQ(harbour->size(), 1u);
  EXPECT_EQ((*harbour)[0].Latitude, 2);
  auto first = Read(text, "");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->size(), 2u) << "reading goes on past </gmlandmarks> up to </geomap>";
  EXPECT_FALSE(Read(text, "coast"));
  EXPECT_FALSE(Read("<gmlandmarks id=\"x\">\r\n" + Mark("lat=\"1\""), "")) << "no signature";
  std::vector<TLandMark> untouched;
  EXPECT_FALSE(LoadLandMarkFile("/nonexistent/lm.xml", "", untouched));
}

// A later section is an element of its own: its landmarks are not the
// reader's. When it is never closed, or the text ends inside a tag, nothing
// after that point can be read: the reader says so instead of ending quietly,
// and keeps the landmarks read before.
TEST(LandmarkFileRead, LandmarksOfLaterSectionsAreNotTakenAndBrokenTagsAreReported) {
  const std::string later =
      Header("a") + Mark("lat=\"1\"") + "</gmlandmarks>\r\n" + Header("b") + Mark("lat=\"2\"");
  auto a = Read(later + "</gmlandmarks>\r\n" + Mark("lat=\"3\""), "a");
  ASSERT_TRUE(a);
  ASSERT_EQ(a->size(), 2u);
  EXPECT_EQ((*a)[1].Latitude, 3);
  auto b = Read(later, "b");
  ASSERT_TRUE(b) << "the section's own opening is not an element to close";
  ASSERT_EQ(b->size(), 1u);
  EXPECT_EQ((*b)[0].Latitude, 2);

  TScratchDir dir;
  for (const auto& [text, tag] : {std::pair{later, std::string("<gmlandmarks>")},
                                  std::pair{Header("a") + Mark("lat=\"1\"") + "<landmark lat=\"2\"",
                                            std::string("<landmark>")}}) {
    WriteBytes(dir.File("broken.xml"), text);
    std::vector<TLandMark> lms;
    try {
      LoadLandMarkFile(dir.File("broken.xml"), "a", lms);
      ADD_FAILURE() << "no error for " << text;
    } catch (const EORVGeoMapError& e) {
      EXPECT_NE(std::string(e.what()).find("the " + tag + " tag breaks off"), std::string::npos)
          << e.what();
    }
    ASSERT_EQ(lms.size(), 1u);
    EXPECT_EQ(lms[0].Latitude, 1);
  }
}

TEST(LandmarkFileRead, TagOnTheHeaderLineIsNotRead) {
  auto lms =
      Read("<gmlandmarks sig=\"ORVCSuite\" id=\"a\"><landmark lat=\"5\" />\r\n" + Mark("lat=\"6\""),
           "a");
  ASSERT_TRUE(lms);
  ASSERT_EQ(lms->size(), 1u);
  EXPECT_EQ((*lms)[0].Latitude, 6);
  auto none = Read(Header("a") + "</gmlandmarks>\r\n", "a");
  ASSERT_TRUE(none) << "a section without landmarks empties the list";
  EXPECT_TRUE(none->empty());
}

TEST(LandmarkFileRead, AttributeValues) {
  auto lms =
      Read(Header("") +
               Mark("LAT=\"47,25\" long=47.25 element=\"Plus\" class=\"300\" "
                    "capfst=\"0101\" colorFG=\"$ff\" transp=\"isTrue\" captext=\"a &quot;b&quot;\" "
                    "date=\"20240229133005\" capdir=\"-15\" capdx=\" +7\" dir=\"12abc\"") +
               Mark("element=\"ARROWTO\" capfst=\"1\" caphal=\"258\" class=\"-1\"") + Mark(""),
           "");
  ASSERT_TRUE(lms);
  ASSERT_EQ(lms->size(), 3u);
  const TLandMark& a = (*lms)[0];
  EXPECT_EQ(a.Latitude, 47.25);
  EXPECT_EQ(a.Longitude, 47.25);
  EXPECT_EQ(a.SymbolProps.Kind, lmCross);
  EXPECT_EQ(a.ClassFlag, 44);
  EXPECT_EQ(a.Caption.FontStyles, (fw::TFontStyles{fw::fsItalic, fw::fsStrikeOut}));
  EXPECT_EQ(a.SymbolProps.FGColor, 0xFFu);
  EXPECT_TRUE(a.SymbolProps.Transparent);
  EXPECT_EQ(a.Caption.Text.ToString(), "a \"b\"");
  EXPECT_EQ(a.Time, fw::EncodeDateTime(2024, 2, 29, 13, 30, 5, 0));
  EXPECT_EQ(a.Caption.Direction, -15);
  EXPECT_EQ(a.Caption.dx, 7);
  EXPECT_EQ(a.SymbolProps.Direction, 12);
  const TLandMark& b = (*lms)[1];
  EXPECT_EQ(b.SymbolProps.Kind, lmArrowTo);
  EXPECT_EQ(b.Caption.FontStyles, fw::TFontStyles{fw::fsBold});
  EXPECT_EQ(b.Caption.HAlignment, 2);
  EXPECT_EQ(b.ClassFlag, 255);
  // Missing attributes give empty values, not those of LandMarkDefault.
  TLandMark empty;
  empty.SymbolProps.Kind = lmCross;
  EXPECT_EQ((*lms)[2], empty);
}

TEST(LandmarkFileRead, CapsHoldForHostileValues) {
  const std::string longName(5000, 'F'), longText(5000, 'T');
  auto lms = Read(Header("") + Mark("capfnm=\"" + longName + "\" captext=\"" + longText +
                                    "\" id=\"" + longText + "\" size=\"99999999999999\""),
                  "");
  ASSERT_TRUE(lms);
  const TLandMark& lm = (*lms)[0];
  EXPECT_EQ(lm.Caption.FontName.size(), MaxCaptionFontName);
  EXPECT_EQ(lm.Caption.Text.Length(), 80u);
  EXPECT_EQ(lm.Identifier.Length(), 15u);
  EXPECT_EQ(lm.SymbolProps.Size, INT32_MAX);
}

// An input error in the middle of the file raises and keeps the landmarks
// read before it; none is half read.
TEST(LandmarkFileRead, InputErrorKeepsWhatWasReadBefore) {
  std::vector<std::string> lines = {"", Header("x")};
  int tags = 0;
  TXmlLineSource lineSource = [&](std::string& l) {
    if (lines.empty()) return false;
    l = lines.front();
    lines.erase(lines.begin());
    return true;
  };
  TXmlTagSource tagSource = [&](std::string& attrs, std::string& contents) {
    if (++tags == 3) throw fw::EInOutError(5, "lm.xml", "read error");
    attrs = "lat=\"" + std::to_string(tags) + "\" long=\"2\"";
    contents.clear();
    return int(xtLandmark);
  };
  std::vector<TLandMark> got;
  EXPECT_THROW(ReadLandMarkSection(
                   lineSource, tagSource, "x", [&] { got.clear(); },
                   [&](const TLandMark& lm) { got.push_back(lm); }),
               fw::EInOutError);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1].Latitude, 2);
  EXPECT_EQ(got[1].Longitude, 2);
}

TEST(LandmarkFileWrite, TheDefaultLandmarkLine) {
  TLandMark lm = DefaultLandMark();
  lm.Latitude = 47.25;
  lm.Longitude = -8.125;
  lm.Time = fw::EncodeDateTime(2026, 12, 8, 4, 30, 1, 0);
  lm.Caption.Text = "Zürich \"HB\"";
  EXPECT_EQ(LandMarkElementLine(lm),
            "<landmark lat=\"47.25\" long=\"-8.125\" alti=\"0\" class=\"0\" usertag=\"0\" "
            "element=\"Cross\" colorfg=\"00FF0000\" colorbg=\"00FFFFFF\" size=\"7\" "
            "transp=\"FALSE\" dir=\"0\" leng=\"10\" id=\"\" date=\"20261208043001\" "
            "captext=\"Z\xFCrich &quot;HB&quot;\" capsize=\"8\" capfnm=\"MS Sans Serif\" "
            "capfgcol=\"00000000\" capbgcol=\"00FFFFFF\" captransp=\"TRUE\" capdir=\"0\" "
            "capdx=\"0\" capdy=\"8\" caphal=\"2\" capval=\"0\" capfst=\"0000\" />");
}

TEST(LandmarkFileWrite, SectionLayout) {
  TScratchDir dir;
  const std::vector<TLandMark> lms = {DefaultLandMark()};
  fw::TTextFile f;
  f.Rewrite(dir.File("a.xml"));
  WriteLandMarksToOpenXMLFile(f, false, "Coast \"N\"", lms);
  f.Close();
  EXPECT_EQ(kartavo::testing::ReadBytes(dir.File("a.xml")),
            "\r\n<!-- TGeoMap Landmarks / ORV Component Suite -->\r\n"
            "<gmlandmarks sig=\"ORVCSuite\" vers=\"1.0\" id=\"Coast &quot;N&quot;\">\r\n" +
                LandMarkElementLine(lms[0]) + "\r\n</gmlandmarks>\r\n");
  std::vector<TLandMark> back;
  ASSERT_TRUE(LoadLandMarkFile(dir.File("a.xml"), "coast \"n\"", back));
  EXPECT_EQ(back, lms);
}

TEST(LandmarkFileWrite, ThousandRandomLandmarksReadBackEqual) {
  lmtest::TRandomRecords rnd(11);
  std::vector<TLandMark> lms;
  for (int i = 0; i < 1000; ++i)
    lms.push_back(rnd.LandMark());
  TScratchDir dir;
  SaveLandMarkFile(dir.File("r.xml"), "random", lms);
  std::vector<TLandMark> back;
  ASSERT_TRUE(LoadLandMarkFile(dir.File("r.xml"), "RANDOM", back));
  ASSERT_EQ(back.size(), lms.size());
  for (size_t i = 0; i < lms.size(); ++i)
    ASSERT_EQ(back[i], lms[i]) << "landmark " << i + 1 << ": " << LandMarkElementLine(lms[i]);
}

// Landmark files have no word for lmPlus and lmUserDef: they read back as
// crosses, and times keep whole seconds only.
TEST(LandmarkFileWrite, WhatTheFormatCannotHold) {
  TLandMark plus = DefaultLandMark(), user = DefaultLandMark(), late = DefaultLandMark();
  plus.SymbolProps.Kind = lmPlus;
  user.SymbolProps.Kind = lmUserDef;
  late.Time = fw::EncodeDateTime(2020, 1, 2, 3, 4, 5, 678);
  TScratchDir dir;
  SaveLandMarkFile(dir.File("p.xml"), "", std::vector<TLandMark>{plus, user, late});
  std::vector<TLandMark> back;
  ASSERT_TRUE(LoadLandMarkFile(dir.File("p.xml"), "", back));
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].SymbolProps.Kind, lmCross);
  EXPECT_EQ(back[1].SymbolProps.Kind, lmCross);
  EXPECT_EQ(back[2].Time, fw::EncodeDateTime(2020, 1, 2, 3, 4, 5, 0));
  TLandMark odd = DefaultLandMark();
  odd.Time = std::nan("");
  EXPECT_NE(LandMarkElementLine(odd).find(" date=\"\" "), std::string::npos);
}

} // namespace
