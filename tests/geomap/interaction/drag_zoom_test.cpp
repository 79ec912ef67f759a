#include "mouse_test_support.h"

using namespace mouse_test;

namespace {

class DragZoomTest : public MouseTest {
protected:
  void SetUp() override {
    MouseTest::SetUp();
    Map->SetMouseAction(quillon::maZoomDrag);
  }
};

TEST_F(DragZoomTest, EveryMoveAboveTheAnchorZoomsInAgainAroundTheCentre) {
  Down(250, 200);
  Move(250, 200);
  Move(250, 160);
  Run();
  EXPECT_DOUBLE_EQ(Map->Magnification(), 1.1);
  EXPECT_EQ(Map->TopLeft(), (Point{250 - 227, 200 - 182}));
  Move(250, 160); // the same offset applies the factor once more
  Up(250, 160);
  Run();
  EXPECT_DOUBLE_EQ(Map->Magnification(), 1.1 * 1.1);
  EXPECT_EQ(Map->TopLeft(), (Point{23 + 227 - 207, 18 + 182 - 165}));
  EXPECT_EQ(ZoomPans, 2);
  const kartavo::TgmZoomStackEntry pushed = Map->GetZoomStackEntry(0);
  EXPECT_EQ(pushed.Left, 43);
  EXPECT_EQ(pushed.Top, 35);
  EXPECT_DOUBLE_EQ(pushed.MagF, 1.21);
}

TEST_F(DragZoomTest, SidewaysWeighsATwentiethAndDownwardsZoomsOut) {
  Drag({{250, 200}, {350, 200}});
  EXPECT_DOUBLE_EQ(Map->Magnification(), 1.01);
  Map->SetMagnification(1);
  Drag({{250, 200}, {250, 300}});
  EXPECT_DOUBLE_EQ(Map->Magnification(), 0.75);
}

TEST_F(DragZoomTest, MagnificationStaysPositiveAndWithinTheRange) {
  Drag({{250, 0}, {0, 400}}); // a factor below zero
  EXPECT_EQ(Map->Magnification(), kartavo::TMapView::MinMagnification);
  std::vector<Point> up{{250, 399}};
  for (int i = 0; i < 60; ++i)
    up.push_back({250, 0}); // nearly doubles the magnification at every move
  Drag(up);
  EXPECT_EQ(Map->Magnification(), kartavo::TMapView::MaxMagnification);
  EXPECT_EQ(ZoomPans, 61);
}

} // namespace
