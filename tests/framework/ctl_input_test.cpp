#include "ctl_test_support.h"

using namespace ctl_test;
using Lines = std::vector<std::string>;

TEST_F(ControlTest, InputGoesToTheInnermostControlUnderThePointer) {
  auto top = Probe("top", nullptr, 1000, 500, 200, 150);
  auto child = Probe("child", top.get(), 10, 20, 50, 40);
  auto inner = Probe("inner", child.get(), 5, 5, 10, 10);
  Input().PostClick(inner.get(), fw::mbLeft, 2, 3);
  Input().PostClick(child.get(), fw::mbRight, 30, 30);
  Input().PostMouseDown(fw::mbLeft, 1199, 649); // the top control's last pixel
  Input().PostMouseUp(fw::mbLeft, 1199, 649);
  Input().PostClick(nullptr, fw::mbLeft, 1200, 649); // just outside: nobody
  fw::Application().ProcessMessages();
  EXPECT_EQ(Log, (Lines{"inner down L 2,3 +left", "inner click", "inner up L 2,3",
                        "child down R 30,30", "child up R 30,30", "top down L 199,149 +left",
                        "top click", "top up L 199,149"}));
}

TEST_F(ControlTest, LaterSiblingsLieOnTopUntilRestacked) {
  auto top = Probe("top", nullptr, 1000, 500, 200, 150);
  auto a = Probe("a", top.get(), 0, 0, 100, 100);
  auto b = Probe("b", top.get(), 50, 50, 100, 100);
  Click(top.get(), fw::mbRight, 60, 60);
  a->BringToFront();
  Click(top.get(), fw::mbRight, 60, 60);
  EXPECT_EQ(Log, (Lines{"b down R 10,10", "b up R 10,10", "a down R 60,60", "a up R 60,60"}));
}

TEST_F(ControlTest, HiddenAndDisabledControlsAreSkipped) {
  auto top = Probe("top", nullptr, 1000, 500, 200, 150);
  auto a = Probe("a", top.get(), 0, 0, 100, 100);
  auto b = Probe("b", top.get(), 50, 50, 100, 100);
  auto inner = Probe("inner", b.get(), 0, 0, 30, 30);
  b->Hide(); // inner is visible, but not showing
  Click(top.get(), fw::mbRight, 60, 60);
  b->Show();
  inner->SetEnabled(false);
  Click(top.get(), fw::mbRight, 60, 60);
  top->Hide();
  Click(top.get(), fw::mbRight, 60, 60);
  EXPECT_EQ(Log, (Lines{"a down R 60,60", "a up R 60,60", "b down R 10,10", "b up R 10,10"}));
}

TEST_F(ControlTest, PressedButtonCapturesTheMouse) {
  auto top = Probe("top", nullptr, 1000, 500, 300, 150);
  auto a = Probe("a", top.get(), 0, 0, 100, 100);
  auto b = Probe("b", top.get(), 150, 0, 100, 100);
  Input().PostMouseDown(a.get(), fw::mbLeft, 50, 50);
  Input().PostMouseMove(b.get(), 10, 10);
  Input().PostMouseMove(nullptr, 900, 400); // outside every control
  Input().PostMouseUp(b.get(), fw::mbLeft, 10, 10);
  Input().PostMouseMove(b.get(), 20, 20); // capture is over
  fw::Application().ProcessMessages();
  // Released outside a: no click.
  EXPECT_EQ(Log, (Lines{"a down L 50,50 +left", "a move 160,10 +left", "a move -100,-100 +left",
                        "a up L 160,10", "b move 20,20"}));
  EXPECT_EQ(fw::Desktop().Capture(), nullptr);
}

TEST_F(ControlTest, CaptureLastsUntilEveryButtonIsUp) {
  auto top = Probe("top", nullptr, 1000, 500, 300, 150);
  auto a = Probe("a", top.get(), 0, 0, 100, 100);
  auto b = Probe("b", top.get(), 150, 0, 100, 100);
  Input().PostMouseDown(a.get(), fw::mbLeft, 1, 1);
  Input().PostMouseDown(b.get(), fw::mbRight, 1, 1);
  Input().PostMouseUp(b.get(), fw::mbLeft, 1, 1);
  Input().PostMouseUp(b.get(), fw::mbRight, 1, 1);
  Input().PostMouseDown(b.get(), fw::mbRight, 2, 2, {fw::ssCtrl});
  fw::Application().ProcessMessages();
  EXPECT_EQ(Log, (Lines{"a down L 1,1 +left", "a down R 151,1 +left", "a up L 151,1",
                        "a up R 151,1", "b down R 2,2 +ctrl"}));
  Input().PostMouseUp(b.get(), fw::mbRight, 2, 2);
}

TEST_F(ControlTest, DoubleClickSequence) {
  auto top = Probe("top", nullptr, 1000, 500, 100, 100);
  Input().PostClick(top.get(), fw::mbLeft, 5, 6);
  Input().PostDblClick(top.get(), 5, 6);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Log, (Lines{"top down L 5,6 +left", "top click", "top up L 5,6", "top dblclick",
                        "top down L 5,6 +left +double", "top up L 5,6"}));
}

TEST_F(ControlTest, ControlDestroyedByItsOwnHandlerIsLeftAlone) {
  auto top = Probe("top", nullptr, 1000, 500, 100, 100);
  auto* doomed = new TProbe(Log, "doomed");
  doomed->SetBounds(10, 10, 20, 20);
  doomed->SetParent(top.get());
  doomed->OnMouseDown = [&](fw::TObject* sender, fw::TMouseButton, fw::TShiftState, int, int) {
    delete static_cast<TProbe*>(sender);
  };
  Input().PostClick(top.get(), fw::mbLeft, 15, 15);
  Input().PostClick(top.get(), fw::mbLeft, 15, 15);
  fw::Application().ProcessMessages();
  EXPECT_EQ(top->ControlCount(), 0);
  // The first release goes to what now lies under the pointer, the second click too.
  EXPECT_EQ(Log,
            (Lines{"top up L 15,15", "top down L 15,15 +left", "top click", "top up L 15,15"}));
}

TEST_F(ControlTest, AWaitingLoopIsFedThroughTheIdleHook) {
  auto top = Probe("top", nullptr, 1000, 500, 100, 100);
  int step = 0;
  Input().OnIdle = [&] {
    if (step == 0) Input().PostMouseDown(top.get(), fw::mbLeft, 1, 1);
    if (step == 1) Input().PostMouseUp(top.get(), fw::mbLeft, 9, 9);
    ++step;
  };
  int rounds = 0;
  while (Log.size() < 3 && rounds++ < 100)
    fw::Application().ProcessMessages();
  Input().OnIdle = nullptr;
  EXPECT_EQ(Log, (Lines{"top down L 1,1 +left", "top click", "top up L 9,9"}));
}

TEST_F(ControlTest, WheelGoesUpTheParentsUntilOneHandlesIt) {
  auto top = Probe("top", nullptr, 1000, 500, 200, 150);
  auto child = Probe("child", top.get(), 10, 20, 50, 40);
  auto inner = Probe("inner", child.get(), 5, 5, 10, 10);
  auto wheel = [this](fw::TControl* c, bool handles) {
    c->OnMouseWheel = [this, c, handles](fw::TObject*, fw::TShiftState s, int delta, fw::TPoint at,
                                         bool& handled) {
      Log.push_back(c->Name() + " wheel " + std::to_string(delta) + " " + std::to_string(at.X) +
                    "," + std::to_string(at.Y) + (s.Contains(fw::ssCtrl) ? " +ctrl" : ""));
      handled = handles;
    };
  };
  wheel(inner.get(), false);
  wheel(child.get(), true);
  wheel(top.get(), true);
  Input().PostMouseWheel(inner.get(), -240, 1, 2, {fw::ssCtrl});
  Input().PostMouseWheel(top.get(), 120, 100, 100);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Log, (Lines{"inner wheel -240 1016,527 +ctrl", "child wheel -240 1016,527 +ctrl",
                        "top wheel 120 1100,600"}));
}
