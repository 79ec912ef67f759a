#include "ctl_test_support.h"

#include "kartavo/framework/combo_box.h"
#include "kartavo/framework/panel.h"
#include "kartavo/framework/speed_button.h"

using namespace ctl_test;

namespace {

struct TButtonBar {
  fw::TPanel Panel{nullptr};
  fw::TSpeedButton* Pointer = new fw::TSpeedButton(&Panel);
  fw::TSpeedButton* Zoom = new fw::TSpeedButton(&Panel);
  std::vector<std::string> Clicks;

  TButtonBar() {
    Panel.SetBounds(2000, 0, 200, 33);
    for (fw::TSpeedButton* b : {Pointer, Zoom}) {
      b->SetParent(&Panel);
      b->SetGroupIndex(999);
      b->OnClick = [this, b](fw::TObject*) {
        Clicks.push_back((b == Pointer ? "pointer" : "zoom") +
                         std::string(b->Down() ? " down" : " up"));
      };
    }
    Pointer->SetBounds(3, 3, 26, 26);
    Zoom->SetBounds(32, 3, 26, 26);
    Pointer->SetDown(true);
  }
};

} // namespace

TEST_F(ControlTest, SpeedButtonsOfAGroupAreDownOneAtATime) {
  TButtonBar bar;
  EXPECT_TRUE(bar.Pointer->Down());
  Click(bar.Zoom, fw::mbLeft, 5, 5);
  EXPECT_TRUE(bar.Zoom->Down());
  EXPECT_FALSE(bar.Pointer->Down());
  Input().PostClick(bar.Zoom, fw::mbLeft, 5, 5); // a down button stays down
  Input().PostClick(bar.Pointer, fw::mbLeft, 5, 5);
  fw::Application().ProcessMessages();
  // The click event sees the new state.
  EXPECT_EQ(bar.Clicks, (std::vector<std::string>{"zoom down", "zoom down", "pointer down"}));
  EXPECT_FALSE(bar.Zoom->Down());
  bar.Pointer->SetDown(false); // refused while not all may be up
  EXPECT_TRUE(bar.Pointer->Down());
  bar.Pointer->SetAllowAllUp(true);
  Click(bar.Pointer, fw::mbLeft, 5, 5);
  EXPECT_FALSE(bar.Pointer->Down());
  EXPECT_FALSE(bar.Zoom->Down());
}

TEST_F(ControlTest, SpeedButtonReleasedOutsideDoesNothing) {
  TButtonBar bar;
  Input().PostMouseDown(bar.Zoom, fw::mbLeft, 5, 5);
  Input().PostMouseUp(bar.Zoom, fw::mbLeft, 50, 5);
  fw::Application().ProcessMessages();
  EXPECT_TRUE(bar.Clicks.empty());
  EXPECT_TRUE(bar.Pointer->Down());
  EXPECT_FALSE(bar.Zoom->Down());
}

TEST_F(ControlTest, UngroupedSpeedButtonOnlyClicks) {
  fw::TSpeedButton b(nullptr);
  b.SetBounds(2000, 100, 20, 20);
  int clicks = 0;
  b.OnClick = [&](fw::TObject*) { ++clicks; };
  b.SetDown(true);
  EXPECT_FALSE(b.Down());
  Input().PostClick(&b, fw::mbLeft, 1, 1);
  Input().PostClick(&b, fw::mbRight, 1, 1);
  fw::Application().ProcessMessages();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b.Down());
}

TEST_F(ControlTest, SpeedButtonDrawsItsGlyphWithoutTheTransparentColour) {
  fw::TSpeedButton b(nullptr);
  b.SetBounds(0, 0, 20, 20);
  fw::TBitmap glyph;
  glyph.SetSize(8, 4); // two glyphs of 4 x 4 side by side
  glyph.Canvas()->Brush()->SetColor(fw::clFuchsia);
  glyph.Canvas()->FillRect(fw::Rect(0, 0, 8, 4));
  glyph.Canvas()->Brush()->SetColor(fw::clBlue);
  glyph.Canvas()->FillRect(fw::Rect(0, 0, 2, 2));
  glyph.Canvas()->Brush()->SetColor(fw::clRed);
  glyph.Canvas()->FillRect(fw::Rect(4, 0, 8, 4)); // the second glyph is not shown
  b.SetGlyph(&glyph);
  b.SetNumGlyphs(2);
  b.Repaint();
  // The glyph is centred: its top-left corner at (8, 8).
  EXPECT_EQ(b.Canvas()->Pixels(8, 8), fw::clBlue);
  EXPECT_EQ(b.Canvas()->Pixels(11, 11), fw::clBtnFace);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_NE(b.Canvas()->Pixels(x, y), fw::clRed);
}

TEST_F(ControlTest, ComboBoxRaisesOnChangeOnlyForTheUsersChoice) {
  fw::TComboBox box(nullptr);
  box.SetStyle(fw::csDropDownList);
  std::vector<std::string> changes;
  box.OnChange = [&](fw::TObject* s) { changes.push_back(static_cast<fw::TComboBox*>(s)->Text()); };
  for (const char* line : {"Alps", "Jura", "Vosges"})
    box.Items()->Add(line);
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetItemIndex(1); // from the program: no event
  EXPECT_EQ(box.Text(), "Jura");
  box.ChooseItem(2);
  box.ChooseItem(2); // choosing the same line again is still a choice
  box.ChooseItem(7); // no such line
  EXPECT_EQ(changes, (std::vector<std::string>{"Vosges", "Vosges"}));
  box.SetItemIndex(5);
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_EQ(box.Text(), "");
  box.SetText("Alps");
  EXPECT_EQ(box.ItemIndex(), 0);
  box.Items()->Delete(0); // the chosen line went away
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetItemIndex(1);
  box.Items()->Clear();
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_EQ(box.Text(), "");
}

TEST_F(ControlTest, ComboBoxListDropsDownOnAClickAndClosesOnAChoice) {
  fw::TComboBox box(nullptr);
  box.SetStyle(fw::csDropDownList);
  Input().PostClick(&box, fw::mbLeft, 5, 5);
  Flush();
  EXPECT_FALSE(box.DroppedDown()); // no lines, no list
  for (const char* line : {"Alps", "Jura"})
    box.Items()->Add(line);
  Input().PostClick(&box, fw::mbLeft, 5, 5);
  Flush();
  EXPECT_TRUE(box.DroppedDown());
  Input().PostClick(&box, fw::mbLeft, 5, 5);
  Flush();
  EXPECT_FALSE(box.DroppedDown());
  box.SetDroppedDown(true);
  std::vector<bool> droppedAtChange;
  box.OnChange = [&](fw::TObject*) { droppedAtChange.push_back(box.DroppedDown()); };
  box.ChooseItem(1);
  EXPECT_EQ(droppedAtChange, std::vector<bool>{false});
  EXPECT_EQ(box.Text(), "Jura");
  // New lines close a list that shows the old ones.
  box.SetDroppedDown(true);
  box.Items()->Add("Vosges");
  EXPECT_FALSE(box.DroppedDown());
}
