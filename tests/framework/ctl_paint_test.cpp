#include "ctl_test_support.h"

#include "kartavo/framework/panel.h"

using namespace ctl_test;

namespace {

// Paints a red square in the top-left corner of a white surface.
class TSquare : public fw::TCustomControl {
public:
  TSquare() : TCustomControl(nullptr) {}
  int PaintCount = 0;

protected:
  void Paint() override {
    ++PaintCount;
    Canvas()->Brush()->SetColor(fw::clWhite);
    Canvas()->FillRect(ClientRect());
    Canvas()->Brush()->SetColor(fw::clRed);
    Canvas()->FillRect(fw::Rect(0, 0, 4, 4));
  }
};

} // namespace

TEST_F(ControlTest, RepaintPaintsAtOnceAndLeavesTheSurfaceReadable) {
  TSquare c;
  c.SetBounds(0, 0, 10, 8);
  Flush();
  const int painted = c.PaintCount, presented = Input().PresentCount(&c);
  c.Repaint();
  EXPECT_EQ(c.PaintCount, painted + 1);
  EXPECT_EQ(Input().PresentCount(&c), presented + 1);
  EXPECT_EQ(c.Canvas()->Pixels(3, 3), fw::clRed);
  EXPECT_EQ(c.Canvas()->Pixels(4, 3), fw::clWhite);
  EXPECT_EQ(c.Surface()->PixelImage().Width, 10);
}

TEST_F(ControlTest, InvalidatePaintsOnceAtTheNextProcessMessages) {
  TSquare c;
  c.SetBounds(0, 0, 10, 8);
  Flush();
  const int painted = c.PaintCount;
  c.Invalidate();
  c.Invalidate();
  EXPECT_EQ(c.PaintCount, painted);
  fw::Application().ProcessMessages();
  EXPECT_EQ(c.PaintCount, painted + 1);
  fw::Application().ProcessMessages();
  EXPECT_EQ(c.PaintCount, painted + 1);
}

TEST_F(ControlTest, HiddenControlsPaintWhenShown) {
  TSquare c;
  c.SetBounds(0, 0, 10, 8);
  c.Hide();
  fw::Application().ProcessMessages();
  c.Repaint();
  EXPECT_EQ(c.PaintCount, 0);
  c.Show();
  fw::Application().ProcessMessages();
  EXPECT_EQ(c.PaintCount, 1);
  c.SetBounds(0, 0, 20, 8); // resizing asks for a paint as well
  fw::Application().ProcessMessages();
  EXPECT_EQ(c.PaintCount, 2);
  EXPECT_EQ(c.Canvas()->Pixels(19, 7), fw::clWhite);
}

TEST_F(ControlTest, ChildrenOfAHiddenControlPaintWhenItIsShown) {
  TSquare parent;
  parent.SetBounds(0, 0, 40, 20);
  TSquare child;
  child.SetParent(&parent);
  child.SetBounds(5, 5, 10, 8);
  parent.Hide();
  Flush();
  child.Invalidate(); // asked while nothing of it shows
  fw::Application().ProcessMessages();
  EXPECT_EQ(child.PaintCount, 0);
  parent.Show();
  fw::Application().ProcessMessages();
  EXPECT_EQ(parent.PaintCount, 1);
  EXPECT_EQ(child.PaintCount, 1);
  EXPECT_EQ(child.Canvas()->Pixels(3, 3), fw::clRed);
}

TEST_F(ControlTest, PanelPaintsItsFaceAndRaisedEdge) {
  fw::TPanel p(nullptr);
  p.SetBounds(0, 0, 40, 20);
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), fw::clWhite);
  EXPECT_EQ(p.Canvas()->Pixels(39, 19), fw::clGray);
  EXPECT_EQ(p.Canvas()->Pixels(20, 3), fw::clBtnFace);
  p.SetBevelOuter(fw::bvLowered);
  p.Repaint();
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), fw::clGray);
  EXPECT_EQ(p.Canvas()->Pixels(39, 19), fw::clWhite);
}
