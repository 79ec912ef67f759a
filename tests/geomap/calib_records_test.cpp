#include "kartavo/geomap/geomap.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {

TEST(CalibRecords, ModelOrdinalsAndNamesAgree) {
  EXPECT_EQ(cmParabolicIp, 0);
  EXPECT_EQ(cmUTM, 5);
  EXPECT_EQ(cmUndefined, 6);
  EXPECT_EQ(CalibModelNames[cmParabolicIp], "parabolicip");
  EXPECT_EQ(CalibModelNames[cmMillerCylindrical], "millercylindrical");
  EXPECT_EQ(CalibModelNames[cmUndefined], "undefined");
  EXPECT_EQ(sizeof(TCalibModel), 1u);
  EXPECT_EQ(sizeof(TGratLineKind), 1u);
  EXPECT_EQ(sizeof(TCorners), 1u);
}

TEST(CalibRecords, TablesCountFromOneWithTheFixedLimits) {
  TCalibData cd;
  EXPECT_EQ(cd.CalLines.High, 25);
  EXPECT_EQ(cd.CalQuads.High, 200);
  EXPECT_EQ(cd.CalLines[1].CalPoints.High, 10);
  cd.CalQuads[200].MapX = 7;
  cd.CalQuads[1].MapX = 3;
  EXPECT_EQ(cd.CalQuads.Items.back().MapX, 7);
  EXPECT_EQ(cd.CalQuads.Items.front().MapX, 3);
  cd.Corners[gcoTopRight].Latit = 4;
  EXPECT_EQ(cd.Corners[3].Latit, 4);
}

TEST(CalibRecords, FreshRecordIsAllZero) {
  TCalibData cd;
  EXPECT_EQ(cd.NumCalLines, 0);
  EXPECT_EQ(cd.NumCalQuads, 0);
  EXPECT_EQ(cd.UTMZone, 0);
  EXPECT_FALSE(cd.UTMSouth);
  EXPECT_EQ(cd.Ellipsoid, gelWGS84);
  EXPECT_EQ(cd.Resolution, 0.0);
  for (const TCoords& c : cd.Corners)
    EXPECT_EQ(c, TCoords{});
  for (const TCalQuad& q : cd.CalQuads)
    EXPECT_EQ(q, TCalQuad{});
}

TEST(LandmarkRecords, DefaultLandMarkHasTheDocumentedValues) {
  const TLandMark lm = DefaultLandMark();
  EXPECT_EQ(lm.Latitude, 0.0);
  EXPECT_EQ(lm.ClassFlag, 0);
  EXPECT_EQ(lm.SymbolProps.Kind, lmCross);
  EXPECT_EQ(lm.SymbolProps.Size, 7);
  EXPECT_EQ(lm.SymbolProps.FGColor, 0xFF0000u);
  EXPECT_EQ(lm.SymbolProps.BGColor, 0xFFFFFFu);
  EXPECT_FALSE(lm.SymbolProps.Transparent);
  EXPECT_EQ(lm.SymbolProps.Length, 10);
  EXPECT_TRUE(lm.Caption.Text.Empty());
  EXPECT_EQ(lm.Caption.Size, 8);
  EXPECT_EQ(lm.Caption.FontName, "MS Sans Serif");
  EXPECT_TRUE(lm.Caption.FontStyles.Empty());
  EXPECT_EQ(lm.Caption.FGColor, 0u);
  EXPECT_EQ(lm.Caption.BGColor, 0xFFFFFFu);
  EXPECT_TRUE(lm.Caption.Transparent);
  EXPECT_EQ(lm.Caption.dx, 0);
  EXPECT_EQ(lm.Caption.dy, 8);
  EXPECT_EQ(lm.Caption.HAlignment, 2);
  EXPECT_EQ(lm.Caption.VAlignment, 0);
  EXPECT_TRUE(lm.Identifier.Empty());
  EXPECT_EQ(lm.Time, 0.0);
}

TEST(LandmarkRecords, TextsAreCutToTheirCapacity) {
  TLandMark lm;
  lm.Identifier = TLMIdentifier(std::string(20, 'x'));
  lm.Caption.Text = TLMText(std::string(100, 'y'));
  EXPECT_EQ(lm.Identifier.Length(), 15u);
  EXPECT_EQ(lm.Caption.Text.Length(), 80u);
  EXPECT_EQ(lmUserDef, 9);
  EXPECT_EQ(lmaRemove, 1);
}

TEST(LandmarkRecords, FontStylesFormASet) {
  fw::TFontStyles s{fw::fsBold, fw::fsStrikeOut};
  EXPECT_TRUE(s.Contains(fw::fsBold));
  EXPECT_FALSE(s.Contains(fw::fsItalic));
  s.Exclude(fw::fsBold);
  s.Include(fw::fsItalic);
  EXPECT_EQ(s, (fw::TFontStyles{fw::fsItalic, fw::fsStrikeOut}));
}

} // namespace
} // namespace kartavo
