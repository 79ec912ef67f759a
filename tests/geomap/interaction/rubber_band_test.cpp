#include "mouse_test_support.h"

using namespace mouse_test;

namespace {

class RubberBandTest : public MouseTest {
protected:
  void SetUp() override {
    MouseTest::SetUp();
    Map->SetMouseAction(quillon::maRubberBand);
    Map->SetConfinePanToMapImage(false);
    Map->SetTopLeft({100, 50});
    Map->SetMagnification(2);
    auto log = [this](const char* what) {
      return [this, what](fw::TObject*, Point p) {
        Events.push_back(std::string(what) + " " + std::to_string(p.X) + "," + std::to_string(p.Y));
      };
    };
    Map->OnBeginRubberBand = log("begin");
    Map->OnContinueRubberBand = log("continue");
    Map->OnEndRubberBand = log("end");
  }
  std::vector<std::string> Events;
};

TEST_F(RubberBandTest, AClickStartsALineThatFollowsThePointerUntilTheNextClick) {
  const auto before = Screen();
  Input().PostClick(Map.get(), fw::mbLeft, 20, 30);
  Move(120, 30); // no button needed
  Run();
  // The line covers its start, not its end.
  EXPECT_EQ(Changed(before, Screen()), 100);
  EXPECT_EQ(Map->Canvas()->Pixels(20, 30), before[30 * 500 + 20] ^ 0xFFFFFFu);
  Move(300, 200);
  Input().PostClick(Map.get(), fw::mbLeft, 300, 200);
  Run();
  EXPECT_EQ(Screen(), before);
  // Positions in map-image pixels: TopLeft + control pixel / 2.
  EXPECT_EQ(Events, (std::vector<std::string>{"begin 110,65", "end 250,150"}));
}

TEST_F(RubberBandTest, TheControlKeyChainsLines) {
  const auto before = Screen();
  Input().PostClick(Map.get(), fw::mbLeft, 20, 30);
  Move(120, 30);
  Input().PostClick(Map.get(), fw::mbLeft, 120, 30, {fw::ssCtrl});
  Move(120, 130);
  Run();
  // Both lines of the chain show.
  EXPECT_EQ(Changed(before, Screen()), 200);
  Input().PostClick(Map.get(), fw::mbLeft, 120, 130);
  Run();
  // Ending the band erases its last line.
  EXPECT_EQ(Changed(before, Screen()), 100);
  EXPECT_EQ(Events, (std::vector<std::string>{"begin 110,65", "continue 160,65", "end 160,115"}));
}

TEST_F(RubberBandTest, OtherButtonsLeaveTheBandAlone) {
  Input().PostClick(Map.get(), fw::mbRight, 20, 30);
  Input().PostClick(Map.get(), fw::mbMiddle, 20, 30);
  Run();
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(Map->LastClickPosX(), 110);
  EXPECT_EQ(Map->LastClickPosY(), 65);
}

} // namespace
