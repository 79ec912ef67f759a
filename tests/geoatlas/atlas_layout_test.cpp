// The atlas as its constructor builds it: parts, places, buttons with their
// glyphs, cursors in the screen's table, the empty map's message.
#include "atlas_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geoatlas/detail/atlas_resources.h"

namespace atlas_test {
namespace {

TEST_F(AtlasTest, ConstructorBuildsTheLayout) {
  const TGeoAtlas& a = *Atlas;
  EXPECT_EQ(a.BoundsRect(), fw::Bounds(100, 50, 480, 320));
  const fw::TControlStyle style = a.ControlStyle();
  EXPECT_FALSE(style & fw::csAcceptsControls);
  EXPECT_FALSE(style & fw::csSetCaption);
  EXPECT_TRUE(style & fw::csFramed);
  EXPECT_TRUE(style & fw::csOpaque);

  ASSERT_EQ(a.CmdPanel()->Parent(), &a);
  EXPECT_EQ(a.CmdPanel()->BoundsRect(), fw::Bounds(0, 0, 480, 33));
  EXPECT_EQ(a.CmdPanel()->Align(), fw::alTop);
  EXPECT_EQ(a.PointerButton()->Parent(), a.CmdPanel());
  EXPECT_EQ(a.PointerButton()->BoundsRect(), fw::Bounds(3, 3, 26, 26));
  EXPECT_EQ(a.ZoomButton()->BoundsRect(), fw::Bounds(32, 3, 26, 26));
  EXPECT_EQ(a.MapSelector()->Parent(), a.CmdPanel());
  EXPECT_EQ(a.MapSelector()->Left(), 68);
  EXPECT_EQ(a.MapSelector()->Top(), 5);
  EXPECT_EQ(a.MapSelector()->Width(), 300);
  EXPECT_EQ(a.MapSelector()->Style(), fw::csDropDownList);
  EXPECT_EQ(a.MapSelector()->Items()->Count(), 0);
  // The map fills what the panel leaves.
  ASSERT_EQ(a.CurrentMap()->Parent(), &a);
  EXPECT_EQ(a.CurrentMap()->BoundsRect(), fw::Bounds(0, 33, 480, 287));

  EXPECT_EQ(a.MapOutlineColor(), 0xFF0000u);
  EXPECT_TRUE(a.MapOutlineVisible());
  EXPECT_EQ(a.MinResDiff(), 10.0);
  EXPECT_EQ(a.NumRegMaps(), 0);
  EXPECT_EQ(a.CurrentMapIndex(), 0);
}

TEST_F(AtlasTest, ButtonsAreOneSetWithResourceGlyphs) {
  fw::TSpeedButton& pointer = *Atlas->PointerButton();
  fw::TSpeedButton& zoom = *Atlas->ZoomButton();
  EXPECT_EQ(pointer.GroupIndex(), AtlasButtonGroup);
  EXPECT_EQ(zoom.GroupIndex(), 999);
  EXPECT_TRUE(pointer.Down());
  EXPECT_FALSE(zoom.Down());
  EXPECT_TRUE(pointer.Flat());
  EXPECT_TRUE(zoom.Flat());
  EXPECT_EQ(pointer.NumGlyphs(), 2);
  EXPECT_EQ(zoom.NumGlyphs(), 2);
  EXPECT_EQ(pointer.Glyph()->PixelImage(), *FindBitmapResource("POINTR"));
  EXPECT_EQ(zoom.Glyph()->PixelImage(), *FindBitmapResource("ZOOMIN"));
  zoom.SetDown(true);
  EXPECT_FALSE(pointer.Down());
}

TEST_F(AtlasTest, CursorsAreInTheScreensTable) {
  const fw::TCursorImage* zoom = fw::Screen().Cursors(crGeoZoom);
  const fw::TCursorImage* hand = fw::Screen().Cursors(1001);
  ASSERT_NE(zoom, nullptr);
  ASSERT_NE(hand, nullptr);
  const TCursorResource& res = *FindCursorResource("CURGEOZOOM");
  ASSERT_EQ(zoom->Width, 32);
  EXPECT_EQ(zoom->HotSpotX, res.HotSpotX);
  EXPECT_EQ(zoom->HotSpotY, res.HotSpotY);
  int differing = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(static_cast<int>(zoom->Pixel(x, y)), static_cast<int>(res.Pixel(x, y)));
      differing += zoom->Pixel(x, y) != hand->Pixel(x, y);
    }
  EXPECT_GT(differing, 0);
}

TEST_F(AtlasTest, EmptyAtlasSaysSo) {
  EXPECT_EQ(Map().EmptyMsg(), "TGeoAtlas: Empty");
  Map().Paint();
  // The message is written in the frame colour at (10, 10) on the background.
  const fw::TBitmap& shown = *Map().Surface();
  int written = 0;
  for (int y = 10; y < 25; ++y)
    for (int x = 10; x < 120; ++x)
      written += shown.Canvas()->Pixels(x, y) != Map().ColorBackGnd();
  EXPECT_GT(written, 40);
}

TEST_F(AtlasTest, HiddenPanelLeavesTheWholeAreaToTheMap) {
  Atlas->SetCmdPanelVisible(false);
  EXPECT_FALSE(Atlas->CmdPanelVisible());
  EXPECT_EQ(Map().BoundsRect(), fw::Bounds(0, 0, 480, 320));
  Atlas->SetCmdPanelVisible(true);
  EXPECT_EQ(Map().BoundsRect(), fw::Bounds(0, 33, 480, 287));
}

TEST_F(AtlasTest, OutOfRangeDefinitionsAreEmpty) {
  RegisterAll();
  EXPECT_EQ(Atlas->Maps(0), TMapDefinition{});
  EXPECT_EQ(Atlas->GetMapDef(201), TMapDefinition{});
  EXPECT_EQ(Atlas->GetMapDef(-3), TMapDefinition{});
  EXPECT_EQ(Atlas->GetMapDef(4).Resolution, 0); // beyond the count, within the table
  EXPECT_EQ(Atlas->Maps(3).Caption, "Country");
}

} // namespace
} // namespace atlas_test
