// The tag reader on both of its inputs: every case runs once on a memory
// stream and once on a text file holding the same bytes.
#include "kartavo/companion/detail/tag_reader.h"
#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

using quillon::TTagReaderLimits;

// The tag list the package's calibration, landmark and symbol readers share.
constexpr std::array<std::string_view, 16> kTags = {
    "geomap",       "/geomap",  "calline",   "corners",   "resolution", "gmlandmarks",
    "/gmlandmarks", "landmark", "calquads",  "lmsymbols", "/lmsymbols", "symbol",
    "utmzone",      "utmsouth", "ellipsoid", "invalidtag"};
constexpr int kHigh = 15;

struct Tag {
  int Ix;
  std::string Attributes;
  std::string Contents;
  std::string Unfinished;
};

enum Input { viaStream, viaTextFile };

class TagReaderTest : public ::testing::TestWithParam<Input> {
protected:
  void Open(const std::string& text) {
    if (GetParam() == viaStream) {
      FStream = std::make_unique<fw::TMemoryStream>();
      FStream->WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
      FStream->SetPosition(0);
    } else {
      FPath = std::filesystem::temp_directory_path() /
              ("kartavo_tags_" + std::to_string(::getpid()) + ".xml");
      std::ofstream(FPath, std::ios::binary) << text;
      FFile = std::make_unique<fw::TTextFile>();
      FFile->Reset(FPath.string());
    }
  }
  void TearDown() override {
    FFile.reset();
    if (!FPath.empty()) std::filesystem::remove(FPath);
  }

  Tag Next(const TTagReaderLimits& limits = {}) {
    Tag t{0, "stale", "stale", "stale"};
    t.Ix = GetParam() == viaStream
               ? quillon::ReadNextTagInStream(*FStream, kTags, kHigh, t.Attributes, t.Contents,
                                              limits, &t.Unfinished)
               : quillon::ReadNextTagInTextFile(*FFile, kTags, kHigh, t.Attributes, t.Contents,
                                                limits, &t.Unfinished);
    return t;
  }

  // Every tag up to the end, the final HighIx included.
  std::vector<Tag> All(const TTagReaderLimits& limits = {}) {
    std::vector<Tag> tags;
    do {
      tags.push_back(Next(limits));
    } while (tags.back().Ix != kHigh && tags.size() < 10000);
    return tags;
  }

  std::unique_ptr<fw::TMemoryStream> FStream;
  std::unique_ptr<fw::TTextFile> FFile;
  std::filesystem::path FPath;
};

void ExpectEnd(const Tag& t, const std::string& unfinished = "") {
  EXPECT_EQ(t.Ix, kHigh);
  EXPECT_EQ(t.Attributes, "");
  EXPECT_EQ(t.Contents, "");
  EXPECT_EQ(t.Unfinished, unfinished) << "the tag that broke off, if any";
}

TEST_P(TagReaderTest, ReadsACalibrationBodyTagByTag) {
  Open("<corners>\r\n[48.00000,6.00000] [44.00000,6.00000] \r\n</corners>\r\n"
       "<resolution>625.871</resolution>\r\n"
       "<utmzone>32</utmzone>\r\n"
       "<calline type=\"parallel\" value=\"47.5\" npoints=\"3\">\r\n"
       "[10,20] [500,25] [990,20] \r\n"
       "</calline>\r\n"
       "</geomap>\r\n");
  auto tags = All();
  ASSERT_EQ(tags.size(), 6u);
  EXPECT_EQ(tags[0].Ix, 3);
  EXPECT_EQ(tags[0].Contents, "\n[48.00000,6.00000] [44.00000,6.00000] \n");
  EXPECT_EQ(tags[1].Ix, 4);
  EXPECT_EQ(tags[1].Contents, "625.871");
  EXPECT_EQ(tags[2].Ix, 12);
  EXPECT_EQ(tags[2].Contents, "32");
  EXPECT_EQ(tags[3].Ix, 2);
  EXPECT_EQ(tags[3].Attributes, "type=\"parallel\" value=\"47.5\" npoints=\"3\"");
  EXPECT_EQ(tags[3].Contents, "\n[10,20] [500,25] [990,20] \n");
  EXPECT_EQ(tags[4].Ix, 1);
  EXPECT_EQ(tags[4].Contents, "");
  ExpectEnd(tags[5]);
}

TEST_P(TagReaderTest, LineBreaksOfEveryKindBecomeLineFeedsInContents) {
  Open("<corners>a\r\nb\nc\rd\r\n\r\ne</corners>");
  EXPECT_EQ(Next().Contents, "a\nb\nc\nd\n\ne");
}

TEST_P(TagReaderTest, SelfClosingTagsHaveNoContentsAndKeepTheirAttributes) {
  Open("<landmark lat=\"47.25\" captext=\"Hut\" />\r\n<symbol name=\"a\"/><landmark/>"
       "<corners>x</corners>");
  auto a = Next();
  EXPECT_EQ(a.Ix, 7);
  EXPECT_EQ(a.Attributes, "lat=\"47.25\" captext=\"Hut\"");
  EXPECT_EQ(a.Contents, "");
  auto b = Next();
  EXPECT_EQ(b.Ix, 11);
  EXPECT_EQ(b.Attributes, "name=\"a\"");
  auto c = Next();
  EXPECT_EQ(c.Ix, 7);
  EXPECT_EQ(c.Attributes, "");
  EXPECT_EQ(Next().Contents, "x");
}

TEST_P(TagReaderTest, AngleBracketInsideQuotedValueDoesNotEndTheTag) {
  Open("<landmark captext=\"a > b\" id=\"x\"/><corners>1</corners>");
  auto t = Next();
  EXPECT_EQ(t.Attributes, "captext=\"a > b\" id=\"x\"");
  EXPECT_EQ(Next().Ix, 3);
}

TEST_P(TagReaderTest, StrayQuoteSpoilsOnlyItsOwnLine) {
  Open("<landmark captext=\"a\"b\" id=\"7\"/>\r\n<landmark id=\"8\"/>");
  auto first = Next();
  EXPECT_EQ(first.Ix, 7);
  EXPECT_EQ(first.Attributes, "captext=\"a\"b\" id=\"7\"");
  auto second = Next();
  EXPECT_EQ(second.Ix, 7);
  EXPECT_EQ(second.Attributes, "id=\"8\"");
}

TEST_P(TagReaderTest, UnendedOpeningTagGivesWayToTheNextTag) {
  Open("<landmark lat=\"1\"\r\n<landmark id=\"2\" note=\"a<b\"/><utmzone>3</utmzone>");
  auto t = Next();
  EXPECT_EQ(t.Ix, 7);
  EXPECT_EQ(t.Attributes, "id=\"2\" note=\"a<b\"");
  EXPECT_EQ(Next().Contents, "3");
}

TEST_P(TagReaderTest, AttributesSpanningLinesAreJoinedWithBlanks) {
  Open("<calline type=\"meridian\"\r\n   value=\"12\"\nnpoints=\"0\">\r\n</calline>");
  auto t = Next();
  EXPECT_EQ(t.Ix, 2);
  EXPECT_EQ(t.Attributes, "type=\"meridian\"    value=\"12\" npoints=\"0\"");
  EXPECT_EQ(t.Contents, "\n");
}

TEST_P(TagReaderTest, NestedTagsOfTheSameNameCloseAtTheMatchingTag) {
  Open("<corners>a<corners>b</corners><corners/>c</corners>after<resolution>1</resolution>");
  auto t = Next();
  EXPECT_EQ(t.Ix, 3);
  EXPECT_EQ(t.Contents, "a<corners>b</corners><corners/>c");
  EXPECT_EQ(Next().Ix, 4);
}

TEST_P(TagReaderTest, ContainerSwallowsTheTagsItHolds) {
  Open("<gmlandmarks id=\"b\">\r\n<landmark id=\"1\"/>\r\n</gmlandmarks>\r\n<landmark id=\"2\"/>");
  auto section = Next();
  EXPECT_EQ(section.Ix, 5);
  EXPECT_EQ(section.Attributes, "id=\"b\"");
  EXPECT_EQ(section.Contents, "\n<landmark id=\"1\"/>\n");
  auto after = Next();
  EXPECT_EQ(after.Ix, 7);
  EXPECT_EQ(after.Attributes, "id=\"2\"");
}

TEST_P(TagReaderTest, UnlistedTagsDeclarationsAndCommentsArePassedOver) {
  Open("<?xml version=\"1.0\"?>\r\n\r\n<!-- <corners>not this</corners> -- > -->\r\n"
       "<other a=\"1\"><corners>yes</corners></other><!---->\r\n</lmsymbols>");
  auto t = Next();
  EXPECT_EQ(t.Ix, 3);
  EXPECT_EQ(t.Contents, "yes");
  EXPECT_EQ(Next().Ix, 10);
  ExpectEnd(Next());
}

TEST_P(TagReaderTest, NamesMatchWithoutRegardToCase) {
  Open("<CORNERS>x</Corners><UtmSouth>TRUE</UTMSOUTH></GEOMAP>");
  EXPECT_EQ(Next().Contents, "x");
  EXPECT_EQ(Next().Contents, "TRUE");
  EXPECT_EQ(Next().Ix, 1);
}

TEST_P(TagReaderTest, NameMustMatchWhole) {
  Open("<cornersx>no</cornersx><corner>no</corner><utmzone>5</utmzone>");
  auto t = Next();
  EXPECT_EQ(t.Ix, 12);
  EXPECT_EQ(t.Contents, "5");
}

TEST_P(TagReaderTest, StopsRightAfterTheClosingTag) {
  Open("<utmzone>5</utmzone>REST");
  EXPECT_EQ(Next().Ix, 12);
  if (GetParam() == viaStream) {
    EXPECT_EQ(FStream->Position(), 20);
  } else {
    std::string rest;
    ASSERT_TRUE(FFile->ReadLn(rest));
    EXPECT_EQ(rest, "REST");
  }
}

TEST_P(TagReaderTest, InvalidTagAndEmptyInputGiveTheHighestIndex) {
  Open("");
  ExpectEnd(Next());
  ExpectEnd(Next());
}

TEST_P(TagReaderTest, OnlyTagsUpToHighIxAreListed) {
  Open("<ellipsoid>gelWGS84</ellipsoid><corners>c</corners>");
  std::string a, c;
  const int ix = GetParam() == viaStream ? quillon::ReadNextTagInStream(*FStream, kTags, 4, a, c)
                                         : quillon::ReadNextTagInTextFile(*FFile, kTags, 4, a, c);
  EXPECT_EQ(ix, 3);
  EXPECT_EQ(c, "c");
}

TEST_P(TagReaderTest, HostileInputEndsInTheHighestIndex) {
  // Each text, and the listed tag that it breaks off in.
  const std::vector<std::pair<std::string, std::string>> hostile = {
      {"<corners>never closed\r\n[1,2]", "corners"},             // closing tag never comes
      {"<corners attr=\"x\"", "corners"},                        // opening tag never ends
      {"<landmark lat=\"1\" /", "landmark"},                     // self-closing tag cut off
      {"<!-- <corners>x</corners>", ""},                         // unterminated comment
      {"<corners>a</corner s><corners>b</ corners>", "corners"}, // near misses are contents
      {"<", ""},                                                 // a lone bracket
      {std::string("<corners>\0\xff\x01</cor", 17), "corners"},  // binary bytes, cut
  };
  for (const auto& [text, unfinished] : hostile) {
    Open(text);
    auto tags = All();
    ASSERT_EQ(tags.size(), 1u) << text;
    ExpectEnd(tags[0], unfinished);
    TearDown();
  }
}

TEST_P(TagReaderTest, MegabyteLinesAreReadThrough) {
  const std::string big(3 << 20, 'x');
  Open(big + "<corners>" + big + "</corners>" + big + "<utmzone>9</utmzone>");
  auto t = Next();
  EXPECT_EQ(t.Ix, 3);
  EXPECT_EQ(t.Contents.size(), big.size());
  EXPECT_EQ(Next().Contents, "9");
  ExpectEnd(Next());
}

TEST_P(TagReaderTest, LimitsEndReadingInsteadOfGrowingWithoutBound) {
  TTagReaderLimits small;
  small.MaxTagText = 64;
  small.MaxContents = 100;
  Open("<corners>" + std::string(101, 'c') + "</corners><utmzone>1</utmzone>");
  ExpectEnd(Next(small), "corners");
  TearDown();
  Open("<landmark " + std::string(65, 'a') + "/><utmzone>1</utmzone>");
  ExpectEnd(Next(small), "landmark");
  TearDown();
  // Stray brackets inside contents count against the contents limit too.
  Open("<corners>" + std::string(200, '<') + "</corners>");
  ExpectEnd(Next(small), "corners");
  TearDown();
  // Exactly at the limits is still read.
  Open("<corners>" + std::string(100, 'c') + "</corners><landmark " + std::string(60, 'a') + "/>");
  EXPECT_EQ(Next(small).Contents.size(), 100u);
  EXPECT_EQ(Next(small).Ix, 7);
}

TEST_P(TagReaderTest, LongRunsOfBracketsInContentsAreText) {
  TTagReaderLimits small;
  small.MaxTagText = 16;
  Open("<corners>a < b <<< " + std::string(40, 'z') + " </corners>");
  auto t = Next(small);
  EXPECT_EQ(t.Ix, 3);
  EXPECT_EQ(t.Contents, "a < b <<< " + std::string(40, 'z') + " ");
}

TEST_P(TagReaderTest, RandomBytesNeverHangOrOverrun) {
  std::mt19937 rng(7);
  static constexpr char kAlphabet[] = "<>/\"!- \r\nacorneslndmkgu\x00\xff";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  for (int round = 0; round < 40; ++round) {
    std::string text(2000, ' ');
    for (char& ch : text)
      ch = alphabet[rng() % alphabet.size()];
    Open(text);
    auto tags = All();
    EXPECT_LT(tags.size(), 10000u);
    for (const auto& t : tags) {
      EXPECT_GE(t.Ix, 0);
      EXPECT_LE(t.Ix, kHigh);
      EXPECT_LE(t.Contents.size(), text.size());
    }
    TearDown();
  }
}

INSTANTIATE_TEST_SUITE_P(BothInputs, TagReaderTest, ::testing::Values(viaStream, viaTextFile),
                         [](const auto& info) {
                           return std::string(info.param == viaStream ? "Stream" : "TextFile");
                         });

TEST(TagReaderStream, ReadsFromTheCurrentPositionOfAFileStream) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("kartavo_tags_fs_" + std::to_string(::getpid()) + ".xml");
  {
    fw::TFileStream out(path.string(), fw::fmCreate);
    quillon::WriteLnStream(out, "<corners>1</corners>");
    quillon::WriteLnStream(out, "<resolution>2</resolution>");
  }
  fw::TFileStream in(path.string(), fw::fmOpenRead);
  std::string a, c;
  EXPECT_EQ(quillon::ReadNextTagInStream(in, kTags, kHigh, a, c), 3);
  EXPECT_EQ(in.Position(), 20);
  EXPECT_EQ(quillon::ReadNextTagInStream(in, kTags, kHigh, a, c), 4);
  EXPECT_EQ(c, "2");
  EXPECT_EQ(quillon::ReadNextTagInStream(in, kTags, kHigh, a, c), kHigh);
  std::filesystem::remove(path);
}

TEST(TagReaderStream, NegativeHighIxReadsNothing) {
  fw::TMemoryStream s;
  quillon::WriteLnStream(s, "<corners>1</corners>");
  s.SetPosition(0);
  std::string a = "x", c = "y";
  EXPECT_EQ(quillon::ReadNextTagInStream(s, kTags, -1, a, c), -1);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(a, "");
}

} // namespace
