#include "mouse_test_support.h"

#include <cmath>

using namespace mouse_test;

namespace {

struct Selection {
  bool Flag = false;
  double A = 0, B = 0, C = 0, D = 0;
};

class SelectTest : public MouseTest {
protected:
  void SetUp() override {
    MouseTest::SetUp();
    Map->SetMouseAction(quillon::maSelectRect);
    Map->OnSelectRect = [this](fw::TObject*, bool flag, double a, double b, double c, double d) {
      Reports.push_back({flag, a, b, c, d});
    };
    Map->OnBeginRubberBand = [this](fw::TObject*, Point p) { Begins.push_back(p); };
  }
  std::vector<Selection> Reports;
  std::vector<Point> Begins;
};

TEST_F(SelectTest, ACalibratedSelectionReportsLongitudesAndLatitudes) {
  Calibrate();
  Map->Paint();
  const auto before = Screen();
  Down(100, 100);
  Move(200, 200);
  Move(300, 250);
  Run();
  EXPECT_GT(Changed(before, Screen()), 200); // the dotted box shows
  Up(300, 250);
  Run();
  EXPECT_EQ(Screen(), before);
  ASSERT_EQ(Reports.size(), 1u);
  const Selection& s = Reports[0];
  EXPECT_TRUE(s.Flag);
  EXPECT_NEAR(s.A, 8.1, 1e-9);
  EXPECT_NEAR(s.B, 47.9, 1e-9);
  EXPECT_NEAR(s.C, 8.3, 1e-9);
  EXPECT_NEAR(s.D, 47.75, 1e-9);
  EXPECT_EQ(Begins, (std::vector<Point>{{100, 100}}));
  EXPECT_NEAR(Map->LastClickLongitude(), 8.1, 1e-9);
  EXPECT_NEAR(Map->LastClickLatitude(), 47.9, 1e-9);
}

TEST_F(SelectTest, WithoutAValidConversionTheUnsortedMapPixelsAreReported) {
  Map->SetConfinePanToMapImage(false);
  Map->SetTopLeft({10, 20});
  Map->SetMagnification(2);
  Drag({{300, 250}, {100, 100}});
  ASSERT_EQ(Reports.size(), 1u);
  const Selection& s = Reports[0];
  EXPECT_FALSE(s.Flag);
  EXPECT_EQ(std::vector<double>({s.A, s.B, s.C, s.D}), std::vector<double>({160, 145, 60, 70}));
  EXPECT_EQ(Map->LastClickLatitude(), 0.0);
}

TEST_F(SelectTest, TheBoxIsClampedAndOnlyTheLeftButtonEndsIt) {
  Map->Paint();
  const auto before = Screen();
  Down(100, 100);
  Move(-50, 900);
  Run();
  EXPECT_GT(Changed(before, Screen()), 300);
  EXPECT_EQ(Map->Canvas()->Pixels(101, 101), before[101 * 500 + 101]); // inside: untouched
  Input().PostClick(Map.get(), fw::mbRight, 50, 50);
  Run();
  EXPECT_TRUE(Reports.empty());
  Up(-50, 900);
  Run();
  EXPECT_EQ(Screen(), before);
  ASSERT_EQ(Reports.size(), 1u);
  // The release point itself, not the clamped corner, is reported.
  EXPECT_EQ(Reports[0].C, -50);
  EXPECT_EQ(Reports[0].D, 900);
}

} // namespace
