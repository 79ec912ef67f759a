#include "mouse_test_support.h"

#include <functional>

using namespace mouse_test;

namespace {

class MouseBoxTest : public MouseTest {
protected:
  void SetUp() override {
    MouseTest::SetUp();
    Map->SetMouseAction(quillon::maZoomBox);
    Map->Paint();
    Before = Screen();
  }
  // Feeds one step of the user's input each time the wait finds the queue empty.
  void Script(std::vector<std::function<void()>> steps) {
    Steps = std::move(steps);
    Input().OnIdle = [this] {
      if (Step < Steps.size()) Steps[Step++]();
    };
  }
  bool Box() {
    const bool done = Map->MouseBox(XLo, YLo, XHi, YHi);
    Input().OnIdle = nullptr;
    return done;
  }
  std::vector<fw::TColor> Before;
  std::vector<std::function<void()>> Steps;
  size_t Step = 0;
  int XLo = -1, YLo = -1, XHi = -1, YHi = -1;
};

TEST_F(MouseBoxTest, ADraggedBoxIsReturnedSortedAndTheModeComesBack) {
  bool drawnWhileDragging = false;
  Script({[&] { Down(300, 200); }, [&] { Move(100, 50); },
          [&] { drawnWhileDragging = Changed(Before, Screen()) > 0; }, [&] { Up(100, 50); }});
  EXPECT_TRUE(Box());
  EXPECT_EQ(std::vector<int>({XLo, YLo, XHi, YHi}), std::vector<int>({100, 50, 300, 200}));
  EXPECT_TRUE(drawnWhileDragging);
  EXPECT_EQ(Screen(), Before);
  EXPECT_EQ(Map->MouseAction(), quillon::maZoomBox);
  // The box was the box's, not the zoom mode's.
  EXPECT_EQ(Map->Magnification(), 1.0);
  EXPECT_EQ(Map->ZoomState(), quillon::zsIdle);
}

TEST_F(MouseBoxTest, MovesAreClampedToTheControlButTheReleaseIsNot) {
  Script({[&] { Down(10, 10); }, [&] { Move(-30, 900); }, [&] { Up(-30, 900); }});
  EXPECT_TRUE(Box());
  EXPECT_EQ(std::vector<int>({XLo, YLo, XHi, YHi}), std::vector<int>({-30, 10, 10, 900}));
  EXPECT_EQ(Screen(), Before);
}

TEST_F(MouseBoxTest, TheRightButtonAbortsBeforeOrDuringTheDrag) {
  Script({[&] { Input().PostClick(Map.get(), fw::mbRight, 5, 5); }});
  EXPECT_FALSE(Box());
  EXPECT_EQ(XLo, -1); // out parameters untouched
  EXPECT_EQ(Map->MouseAction(), quillon::maZoomBox);

  Step = 0;
  Script({[&] { Down(10, 10); }, [&] { Move(200, 100); }, [&] { Down(200, 100, fw::mbRight); },
          [&] { Up(200, 100, fw::mbRight); }, [&] { Up(200, 100); }});
  EXPECT_FALSE(Box());
  Run();
  EXPECT_EQ(Screen(), Before);
  EXPECT_EQ(Map->MouseAction(), quillon::maZoomBox);
}

TEST_F(MouseBoxTest, MouseBoxAbortEndsTheWaitAndErasesTheBox) {
  Script({[&] { Down(10, 10); }, [&] { Move(200, 100); }, [&] { Map->MouseBoxAbort(); }});
  EXPECT_FALSE(Box());
  EXPECT_EQ(Screen(), Before);
  EXPECT_EQ(Map->MouseAction(), quillon::maZoomBox);
  Up(200, 100);
  Run();
  EXPECT_EQ(Map->Magnification(), 1.0);
}

TEST_F(MouseBoxTest, WithNoInputLeftToComeTheWaitEndsWithoutABox) {
  EXPECT_FALSE(Box());
  EXPECT_EQ(Map->MouseAction(), quillon::maZoomBox);
}

TEST_F(MouseBoxTest, OurWorkComesBeforeOnMouseDownAndAfterOnMouseUp) {
  Map->SetMouseAction(quillon::maZoomBox);
  std::vector<std::string> log;
  Map->OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    log.push_back("down zoom state " + std::to_string(Map->ZoomState()));
  };
  Map->OnMouseUp = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    log.push_back("up zoom state " + std::to_string(Map->ZoomState()));
  };
  Map->OnMouseMove = [&](fw::TObject*, fw::TShiftState, int, int) {
    log.push_back("move " + std::to_string(Map->LastMousePosX()));
  };
  Drag({{10, 10}, {110, 60}});
  EXPECT_EQ(log, (std::vector<std::string>{"down zoom state 1", "move 10", "move 110",
                                           "up zoom state 1"}));
  EXPECT_EQ(Map->ZoomState(), quillon::zsIdle);
}

} // namespace
