#include "kartavo/framework/combo_box.h"

#include "kartavo/framework/backend.h"
#include "kartavo/framework/bevel.h"

namespace fw {

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
  SetColor(clWhite);
  SetBounds(0, 0, 145, 21);
  FItems.OnChange = [this](TObject*) { ItemsChanged(); };
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  FStyle = value;
  if (FStyle == csDropDownList) FText = FItemIndex >= 0 ? FItems.Strings(FItemIndex) : "";
  Invalidate();
}

void TComboBox::SetItemIndex(int value) {
  FItemIndex = value >= 0 && value < FItems.Count() ? value : -1;
  FText = FItemIndex >= 0 ? FItems.Strings(FItemIndex) : "";
  Invalidate();
}

std::string TComboBox::Text() const { return FText; }

void TComboBox::SetText(const std::string& value) {
  if (FStyle == csDropDownList) {
    SetItemIndex(FItems.IndexOf(value));
    return;
  }
  FText = value;
  FItemIndex = FItems.IndexOf(value);
  Invalidate();
}

void TComboBox::SetDroppedDown(bool value) {
  if (value == FDroppedDown || (value && FItems.Count() == 0)) return;
  FDroppedDown = value;
  Backend().DropDownList(this, value);
}

void TComboBox::Click() {
  SetDroppedDown(!FDroppedDown);
  TWinControl::Click();
}

void TComboBox::ChooseItem(int Index) {
  if (Index < 0 || Index >= FItems.Count()) return;
  SetDroppedDown(false);
  SetItemIndex(Index);
  Select();
  Change();
}

void TComboBox::Select() {
  if (OnSelect) OnSelect(this);
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::ItemsChanged() {
  // The chosen line went away or moved: nothing is chosen any more.
  if (FItemIndex >= FItems.Count() || (FItemIndex >= 0 && FItems.Strings(FItemIndex) != FText))
    FItemIndex = -1;
  if (FStyle == csDropDownList) FText = FItemIndex >= 0 ? FItems.Strings(FItemIndex) : "";
  // A list showing the old lines would offer choices that are gone.
  SetDroppedDown(false);
  Invalidate();
}

void TComboBox::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.Brush()->SetStyle(bsSolid);
  c.FillRect(ClientRect());
  TRect r = DrawBevel(c, ClientRect(), bvLowered);
  // The drop-down button at the right end, with its arrow.
  const int side = r.Height();
  TRect button = Rect(r.Right - side, r.Top, r.Right, r.Bottom);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(button);
  DrawBevel(c, button, bvRaised);
  const int cx = button.Left + side / 2, cy = button.Top + side / 2 - 1;
  for (int i = 0; i < 4; ++i)
    for (int x = cx - 3 + i; x <= cx + 3 - i; ++x)
      c.SetPixels(x, cy + i, clBlack);
  c.Brush()->SetColor(Color());
  DrawCenteredText(c, Rect(r.Left + 2, r.Top, r.Left + 2 + c.TextWidth(FText), r.Bottom), FText);
}

} // namespace fw
