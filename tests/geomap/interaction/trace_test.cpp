#include "mouse_test_support.h"

using namespace mouse_test;

namespace {

class TraceTest : public MouseTest {
protected:
  void SetUp() override {
    MouseTest::SetUp();
    Map->SetMouseAction(quillon::maMouseTrace);
    Map->SetConfinePanToMapImage(false);
  }
  quillon::TColoredPoint Stored(int i) { return Map->Trace().Points()[size_t(i - 1)]; }
};

TEST_F(TraceTest, StrokesAreRecordedInMapPixelsAndEndAtTheRelease) {
  Map->SetTopLeft({100, 50});
  Map->SetMagnification(2);
  Drag({{10, 10}, {30, 10}, {30, 50}});
  Drag({{200, 100}, {240, 100}});
  ASSERT_EQ(Map->NumMTracePoints(), 5);
  const std::vector<std::pair<double, double>> expected{
      {105, 55}, {115, 55}, {115, 75}, {200, 100}, {220, 100}};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(Stored(i).X, expected[size_t(i - 1)].first) << i;
    EXPECT_EQ(Stored(i).Y, expected[size_t(i - 1)].second) << i;
  }
  // Each release ends a stroke; inverted drawing is the default.
  EXPECT_EQ(Stored(3).Flags, 3);
  EXPECT_EQ(Stored(4).Flags, 2);
  EXPECT_EQ(Stored(5).Flags, 3);
}

TEST_F(TraceTest, NewSegmentsShowAtOnceAndStrokesAreNotJoined) {
  Map->Paint();
  const auto before = Screen();
  Drag({{10, 10}, {30, 10}});
  Drag({{10, 20}, {30, 20}});
  const auto after = Screen();
  // Two XOR segments of 20 pixels each, nothing between the strokes.
  EXPECT_EQ(Changed(before, after), 40);
  EXPECT_EQ(after[15 * 500 + 30], before[15 * 500 + 30]);
  EXPECT_EQ(after[10 * 500 + 10], before[10 * 500 + 10] ^ 0xFFFFFFu);
}

TEST_F(TraceTest, MovesOutsideTheControlAreClampedAndHoveringRecordsNothing) {
  Move(40, 40);
  Drag({{10, 10}, {900, -30}});
  ASSERT_EQ(Map->NumMTracePoints(), 2);
  EXPECT_EQ(Stored(2).X, 500);
  EXPECT_EQ(Stored(2).Y, 0);
}

TEST_F(TraceTest, TheColourInForceWhenAPointIsRecordedStaysWithIt) {
  Map->SetMouseTraceInvert(false);
  Map->SetMouseTraceColor(0x0000FF);
  Down(10, 10);
  Move(10, 10);
  Move(20, 10);
  Run();
  Map->SetMouseTraceColor(0x00FF00);
  Move(30, 10);
  Up(30, 10);
  Run();
  EXPECT_EQ(Stored(2).Color, 0x0000FFu);
  EXPECT_EQ(Stored(3).Color, 0x00FF00u);
  EXPECT_EQ(Stored(3).Flags, 1);
  EXPECT_EQ(Map->Canvas()->Pixels(15, 10), 0x0000FFu);
  EXPECT_EQ(Map->Canvas()->Pixels(25, 10), 0x00FF00u);
}

TEST_F(TraceTest, AFullTraceRecordsNothingMoreUntilCleared) {
  std::vector<Point> path;
  for (int i = 0; i < 5100; ++i)
    path.push_back({i % 400, i / 400});
  Drag(path);
  EXPECT_EQ(Map->NumMTracePoints(), 5000);
  Map->ClearMouseTrace();
  Drag({{1, 1}, {2, 2}});
  EXPECT_EQ(Map->NumMTracePoints(), 2);
}

} // namespace
