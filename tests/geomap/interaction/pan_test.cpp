#include "mouse_test_support.h"

using namespace mouse_test;

namespace {

class PanTest : public MouseTest {
protected:
  void SetUp() override {
    MouseTest::SetUp();
    Map->SetConfinePanToMapImage(false);
  }
};

TEST_F(PanTest, DragMovesTopLeftByTheDistanceOverTheMagnification) {
  Drag({{100, 100}, {80, 110}, {60, 120}});
  EXPECT_EQ(Map->TopLeft(), (Point{40, -20}));
  EXPECT_EQ(ZoomPans, 2);
  // The release pushed the view.
  EXPECT_EQ(Map->GetZoomStackEntry(0), (kartavo::TgmZoomStackEntry{40, -20, 1.0}));

  Map->SetTopLeft({0, 0});
  Map->SetMagnification(2);
  Drag({{100, 100}, {60, 120}});
  EXPECT_EQ(Map->TopLeft(), (Point{20, -10}));
}

TEST_F(PanTest, HorizontalAndVerticalModesIgnoreTheOtherAxis) {
  Map->SetMouseAction(quillon::maPanHorz);
  Drag({{100, 100}, {60, 120}});
  EXPECT_EQ(Map->TopLeft(), (Point{40, 0}));
  Map->SetMouseAction(quillon::maPanVert);
  Drag({{100, 100}, {60, 120}});
  EXPECT_EQ(Map->TopLeft(), (Point{40, -20}));
}

TEST_F(PanTest, MovesOutsideTheControlAndWithoutTheButtonDoNothing) {
  Move(10, 10); // hovering
  Down(100, 100);
  Move(100, 100);
  Move(600, 100); // outside: ignored, the drag goes on
  Move(90, 100);
  Up(90, 100);
  Run();
  EXPECT_EQ(Map->TopLeft(), (Point{10, 0}));
  EXPECT_EQ(ZoomPans, 1);
}

TEST_F(PanTest, APressAfterAReleaseStartsANewDragEvenWithoutAMoveBetween) {
  Drag({{100, 100}, {60, 120}});
  Down(300, 300);
  Move(310, 300); // anchors the new drag here, not at (100, 100)
  Move(300, 300);
  Up(300, 300);
  Run();
  EXPECT_EQ(Map->TopLeft(), (Point{50, -20}));
}

TEST_F(PanTest, ConfinementKeepsTheImageInTheWindow) {
  LoadImage(800, 600);
  Map->SetConfinePanToMapImage(true);
  Drag({{400, 300}, {0, 0}}); // would show (400, 300) at the corner
  EXPECT_EQ(Map->TopLeft(), (Point{300, 200}));
  Drag({{0, 0}, {499, 399}});
  EXPECT_EQ(Map->TopLeft(), (Point{0, 0}));
}

TEST_F(PanTest, EveryReleasePushesTheViewWhateverTheButton) {
  Input().PostClick(Map.get(), fw::mbRight, 5, 5);
  Input().PostClick(Map.get(), fw::mbMiddle, 5, 5);
  Run();
  for (int ix : {0, -1, -2})
    EXPECT_EQ(Map->GetZoomStackEntry(ix), (kartavo::TgmZoomStackEntry{0, 0, 1.0}));
  EXPECT_EQ(Map->GetZoomStackEntry(-3), kartavo::TgmZoomStackEntry{});
}

} // namespace
