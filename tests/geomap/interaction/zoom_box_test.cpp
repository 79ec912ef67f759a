#include "mouse_test_support.h"

using namespace mouse_test;

namespace {

class ZoomBoxTest : public MouseTest {
protected:
  void SetUp() override {
    MouseTest::SetUp();
    Map->SetMouseAction(quillon::maZoomBox);
    Map->Paint();
  }
};

TEST_F(ZoomBoxTest, TheBoxFillsTheWindowAroundItsCentre) {
  Drag({{10, 10}, {60, 30}, {110, 60}});
  EXPECT_DOUBLE_EQ(Map->Magnification(), 5.0);
  EXPECT_EQ(Map->TopLeft(), (Point{10, -5}));
  EXPECT_EQ(Map->ZoomState(), quillon::zsIdle);
  EXPECT_EQ(ZoomPans, 1);
  // Zooming by box leaves the stack alone.
  EXPECT_EQ(Map->GetZoomStackEntry(-1), kartavo::TgmZoomStackEntry{});
}

TEST_F(ZoomBoxTest, AReversedBoxZoomsTheSame) {
  Drag({{110, 60}, {10, 10}});
  EXPECT_DOUBLE_EQ(Map->Magnification(), 5.0);
  EXPECT_EQ(Map->TopLeft(), (Point{10, -5}));
}

TEST_F(ZoomBoxTest, AClickWithoutMovementZoomsNothing) {
  const auto before = Screen();
  Down(50, 50);
  Run();
  EXPECT_EQ(Map->ZoomState(), quillon::zsZoomBox);
  Up(50, 50);
  Run();
  EXPECT_EQ(Map->ZoomState(), quillon::zsIdle);
  EXPECT_EQ(Map->Magnification(), 1.0);
  EXPECT_EQ(ZoomPans, 0);
  EXPECT_EQ(Screen(), before);
}

TEST_F(ZoomBoxTest, TheBoxIsDrawnWhileDraggingAndTheRightButtonErasesIt) {
  const auto before = Screen();
  Down(20, 20);
  Move(200, 150);
  Move(900, -40); // clamped to the control
  Run();
  EXPECT_GT(Changed(before, Screen()), 500);
  EXPECT_EQ(Map->Canvas()->Pixels(20, 0), before[20] ^ 0xFFFFFFu);
  Down(500, 0, fw::mbRight);
  Up(500, 0, fw::mbRight);
  Run();
  EXPECT_EQ(Map->ZoomState(), quillon::zsIdle);
  EXPECT_EQ(Screen(), before);
  Up(500, 0);
  Run();
  EXPECT_EQ(Map->Magnification(), 1.0);
  EXPECT_EQ(Screen(), before);
}

TEST_F(ZoomBoxTest, AReleaseThatZoomsNothingLeavesNoBoxBehind) {
  const auto before = Screen();
  Down(10, 10);
  Move(110, 60);
  Up(10, 60); // released straight below the press: no width
  Run();
  EXPECT_EQ(Map->Magnification(), 1.0);
  EXPECT_EQ(Map->ZoomState(), quillon::zsIdle);
  EXPECT_EQ(Screen(), before);
}

TEST_F(ZoomBoxTest, ABoxOfOneMapPixelZoomsNoFurtherThanTheLargestMagnification) {
  Map->SetBounds(0, 0, 4000, 3000);
  Drag({{0, 0}, {1, 1}});
  EXPECT_EQ(Map->Magnification(), kartavo::TMapView::MaxMagnification);
  EXPECT_EQ(Map->TopLeft(), (Point{-2, -1}));
}

} // namespace
