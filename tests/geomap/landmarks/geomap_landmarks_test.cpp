// The map control's landmark interface: records built from LandMarkDefault,
// the host's veto, when the control repaints, and landmark files.
#include "../xml_test_support.h"

#include "kartavo/geomap/geomap_control.h"

#include <gtest/gtest.h>

namespace {
using namespace kartavo;
using kartavo::testing::TScratchDir;

TEST(GeoMapLandmarks, OverloadsTakeTheRestFromTheDefault) {
  TGeoMap map(nullptr);
  TLandMark def = DefaultLandMark();
  def.ClassFlag = 4;
  def.Tag = 9;
  def.Caption.Text = "default";
  map.SetLandMarkDefault(def);
  map.AddLandMark(1, 2, 3);
  map.AddLandMark(1, 2, 3, std::string("0123456789abcdefXYZ"), 12.5);
  map.AddLandMark(1, 2, 3, std::string("Bern"), 10, 0x0000FF);
  map.AddLandMark(1, 2, 3, lmSpade, 200, std::string("id"), 1.0, -7, 0x10, 0x20, 5, true, 45, 30);
  ASSERT_EQ(map.NumLandMarks(), 4);
  TLandMark a = def;
  a.Latitude = 1;
  a.Longitude = 2;
  a.Altitude = 3;
  EXPECT_EQ(map.LandMarkData(1), a);
  EXPECT_EQ(map.LandMarkData(2).Identifier.ToString(), "0123456789abcde") << "cut to 15";
  EXPECT_EQ(map.LandMarkData(2).Time, 12.5);
  EXPECT_EQ(map.LandMarkData(2).Caption.Text.ToString(), "default");
  const TLandMark c = map.LandMarkData(3);
  EXPECT_EQ(c.Caption.Text.ToString(), "Bern");
  EXPECT_EQ(c.Caption.Size, 10);
  EXPECT_EQ(c.Caption.FGColor, 0x0000FFu);
  EXPECT_EQ(c.Identifier, def.Identifier);
  EXPECT_EQ(c.ClassFlag, 4);
  const TLandMark d = map.LandMarkData(4);
  EXPECT_EQ(d.SymbolProps, (TSymbolProperties{lmSpade, 5, 0x10, 0x20, true, 45, 30}));
  EXPECT_EQ(d.ClassFlag, 200);
  EXPECT_EQ(d.Tag, -7);
  EXPECT_EQ(d.Caption, def.Caption);
  EXPECT_EQ(map.LandMarkData(5), TLandMark{}) << "outside the store: an empty record";
}

TEST(GeoMapLandmarks, TheHostVetoesAndTheControlRepaintsOnlyOnChange) {
  TGeoMap map(nullptr);
  bool allow = false;
  std::vector<TLandMarkAction> actions;
  map.OnLandMarkAction = [&](fw::TObject* sender, bool& allowed, TLandMarkAction action,
                             const TLandMark&) {
    EXPECT_EQ(sender, &map);
    EXPECT_TRUE(allowed);
    actions.push_back(action);
    allowed = allow;
  };
  int paints = map.PaintCount();
  map.AddLandMark(1, 1, 0);
  EXPECT_EQ(map.NumLandMarks(), 0);
  EXPECT_EQ(map.PaintCount(), paints) << "a vetoed addition does not repaint";
  EXPECT_EQ(map.RemoveLandMark(1), 0);
  map.RemoveLandMark(0, 0, -1);
  map.RemoveAllLandMarks(3);
  EXPECT_EQ(map.PaintCount(), paints) << "removals from an empty store do not repaint";
  map.RemoveLastLandMark();
  EXPECT_EQ(map.PaintCount(), ++paints) << "except RemoveLastLandMark";
  allow = true;
  map.AddLandMark(1, 1, 0);
  map.AddLandMark(2, 2, 0);
  paints = map.PaintCount();
  allow = false;
  map.SetHighLightLandMark(2);
  paints = map.PaintCount();
  EXPECT_EQ(map.RemoveLandMark(1), 0);
  EXPECT_EQ(map.NumLandMarks(), 2);
  EXPECT_EQ(map.HighLightLandMark(), 0) << "dropped even when nothing was removed";
  EXPECT_EQ(map.PaintCount(), paints + 1);
  EXPECT_EQ(actions, (std::vector<TLandMarkAction>{lmaAdd, lmaAdd, lmaAdd, lmaRemove}));
  map.RemoveAllLandMarks();
  EXPECT_EQ(map.NumLandMarks(), 0);
  EXPECT_EQ(actions.size(), 4u) << "emptying asks nobody";
}

TEST(GeoMapLandmarks, FilesThroughTheControl) {
  TScratchDir dir;
  TGeoMap map(nullptr);
  map.AddLandMark(46.95, 7.45, 540, std::string("Bern"), 9, 0x000080);
  map.AddLandMark(47.37, 8.54, 408);
  map.SaveLandmarks(dir.File("lm.xml"), "Swiss");
  TGeoMap other(nullptr);
  other.AddLandMark(0, 0, 0);
  other.SetHighLightLandMark(1);
  EXPECT_FALSE(other.LoadLandMarks(dir.File("lm.xml"), "french"));
  EXPECT_EQ(other.NumLandMarks(), 1);
  EXPECT_FALSE(other.LoadLandMarks(dir.File("none.xml"), ""));
  const int paints = other.PaintCount();
  EXPECT_TRUE(other.LoadLandMarks(dir.File("lm.xml"), "swiss"));
  EXPECT_EQ(other.PaintCount(), paints + 1);
  ASSERT_EQ(other.NumLandMarks(), 2);
  EXPECT_EQ(other.LandMarkData(1), map.LandMarkData(1));
  EXPECT_EQ(other.LandMarkData(2), map.LandMarkData(2));
  EXPECT_EQ(other.HighLightLandMark(), 1) << "reading leaves the highlight index";
}

} // namespace
