#include "ctl_test_support.h"

using namespace ctl_test;

TEST_F(ControlTest, ClipboardKeepsACopyOfTheBitmap) {
  fw::TBitmap picture;
  picture.SetSize(5, 4);
  picture.Canvas()->SetPixels(1, 2, fw::clRed);
  fw::Clipboard().Assign(&picture);
  EXPECT_TRUE(fw::Clipboard().HasFormat(fw::CF_BITMAP));
  EXPECT_FALSE(fw::Clipboard().HasFormat(fw::CF_TEXT));
  picture.Canvas()->SetPixels(1, 2, fw::clBlue); // the clipboard took a copy
  fw::TBitmap back;
  back.Assign(&fw::Clipboard());
  EXPECT_EQ(back.Width(), 5);
  EXPECT_EQ(back.Height(), 4);
  EXPECT_EQ(back.Canvas()->Pixels(1, 2), fw::clRed);
  fw::Clipboard().Clear();
  EXPECT_FALSE(fw::Clipboard().HasFormat(fw::CF_BITMAP));
  EXPECT_THROW(back.Assign(&fw::Clipboard()), fw::EInvalidGraphic);
}

TEST_F(ControlTest, ScreenCursorTableAndTheCursorShown) {
  fw::TCursorImage zoom;
  zoom.Width = zoom.Height = 32;
  zoom.HotSpotX = zoom.HotSpotY = 6;
  zoom.Pixels.assign(32 * 32, fw::cpTransparent);
  zoom.Pixels[6 * 32 + 6] = fw::cpBlack;
  fw::Screen().SetCursors(1000, zoom);
  ASSERT_NE(fw::Screen().Cursors(1000), nullptr);
  EXPECT_EQ(*fw::Screen().Cursors(1000), zoom);
  EXPECT_EQ(fw::Screen().Cursors(1001), nullptr);
  EXPECT_EQ(fw::Screen().Cursors(fw::crHandPoint), nullptr);

  auto map = Probe("map", nullptr, 3000, 0, 50, 50);
  map->SetCursor(1000);
  Input().PostMouseMove(map.get(), 10, 10);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Input().ShownCursor(), 1000);
  fw::Screen().SetCursor(fw::crHourGlass);
  EXPECT_EQ(Input().ShownCursor(), fw::crHourGlass);
  fw::Screen().SetCursor(fw::crDefault);
  map->SetCursor(fw::crHandPoint);
  EXPECT_EQ(Input().ShownCursor(), fw::crHandPoint);
}

TEST_F(ControlTest, AControlWithoutCursorShowsItsParents) {
  auto outer = Probe("outer", nullptr, 3000, 0, 80, 80);
  auto middle = Probe("middle", outer.get(), 0, 0, 60, 60);
  auto inner = Probe("inner", middle.get(), 0, 0, 40, 40);
  outer->SetCursor(fw::crCross);
  Input().PostMouseMove(inner.get(), 10, 10);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Input().ShownCursor(), fw::crCross);
  middle->SetCursor(fw::crHandPoint);
  EXPECT_EQ(Input().ShownCursor(), fw::crHandPoint);
  inner->SetCursor(fw::crIBeam);
  EXPECT_EQ(Input().ShownCursor(), fw::crIBeam);
  EXPECT_EQ(fw::ShownCursorOf(nullptr), fw::crDefault);
}
