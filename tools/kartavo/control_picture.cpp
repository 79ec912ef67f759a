#include "control_picture.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/canvas.h"

namespace kcli {
namespace {

void PaintTree(fw::TControl& c) {
  c.Repaint();
  if (auto* w = dynamic_cast<fw::TWinControl*>(&c))
    for (int i = 0; i < w->ControlCount(); ++i)
      if (w->Controls(i)->Visible()) PaintTree(*w->Controls(i));
}

void Compose(fw::TCanvas& onto, fw::TControl& c, int x, int y) {
  const fw::TRect all = c.ClientRect();
  onto.CopyRect(fw::Bounds(x, y, all.Width(), all.Height()), c.Surface()->Canvas(), all);
  if (auto* w = dynamic_cast<fw::TWinControl*>(&c))
    for (int i = 0; i < w->ControlCount(); ++i) {
      fw::TControl& child = *w->Controls(i);
      if (child.Visible()) Compose(onto, child, x + child.Left(), y + child.Top());
    }
}

} // namespace

fw::TPixelImage ControlPicture(fw::TControl& Control) {
  PaintTree(Control);
  fw::TBitmap picture;
  picture.SetPixelFormat(fw::pf24bit);
  picture.SetSize(Control.Width(), Control.Height());
  Compose(*picture.Canvas(), Control, 0, 0);
  return picture.PixelImage();
}

} // namespace kcli
