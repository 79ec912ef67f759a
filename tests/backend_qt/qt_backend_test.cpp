#include "kartavo/backend_qt/cursor_qt.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/screen.h"
#include "kartavo/package/resources.h"
#include "qt_test_support.h"

#include <QBitmap>
#include <QClipboard>
#include <QPointer>
#include <QWheelEvent>

namespace kartavo::qt {
namespace {
using namespace testing;

// A control that fills itself with one colour and records its mouse input.
class TSolid : public fw::TCustomControl {
public:
  TSolid(fw::TColor colour) : fw::TCustomControl(nullptr), FColour(colour) {}
  std::vector<std::string> Log;
  void Paint() override {
    Canvas()->Brush()->SetColor(FColour);
    Canvas()->FillRect(ClientRect());
  }
  void MouseDown(fw::TMouseButton b, fw::TShiftState s, int x, int y) override {
    Log.push_back(Describe("down", b, s, x, y));
  }
  void MouseMove(fw::TShiftState s, int x, int y) override {
    if (s.Contains(fw::ssLeft) || s.Contains(fw::ssRight))
      Log.push_back(Describe("move", fw::mbLeft, s, x, y));
  }
  void MouseUp(fw::TMouseButton b, fw::TShiftState s, int x, int y) override {
    Log.push_back(Describe("up", b, s, x, y));
  }
  bool DoMouseWheel(fw::TShiftState s, int delta, fw::TPoint at) override {
    Log.push_back("wheel " + std::to_string(delta) + " " + Keys(s) + " " + std::to_string(at.X) +
                  "," + std::to_string(at.Y));
    return true;
  }

private:
  static std::string Keys(fw::TShiftState s) {
    std::string k;
    for (auto [f, c] : {std::pair{fw::ssShift, 'S'},
                        {fw::ssAlt, 'A'},
                        {fw::ssCtrl, 'C'},
                        {fw::ssLeft, 'L'},
                        {fw::ssRight, 'R'},
                        {fw::ssMiddle, 'M'}})
      if (s.Contains(f)) k += c;
    return k.empty() ? "-" : k;
  }
  static std::string Describe(const char* what, fw::TMouseButton b, fw::TShiftState s, int x,
                              int y) {
    return std::string(what) + " " + std::to_string(b) + " " + Keys(s) + " " + std::to_string(x) +
           "," + std::to_string(y);
  }
  fw::TColor FColour;
};

fw::TPixelImage Filled(int w, int h, fw::TPixelFormat f) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(f);
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.Canvas()->SetPixels(x, y,
                              f == fw::pf24bit || f == fw::pf32bit
                                  ? static_cast<fw::TColor>(x * 40 + y * 0x2300 + 0x110000)
                              : (x + y) % 2 ? 0x0000FF
                                            : 0xFF0000);
  return bmp.PixelImage();
}

TEST(QtBackendImages, SurfacesAreShownInPlaceAndPicturesKeepTheirColours) {
  const fw::TPixelImage rgb = Filled(7, 5, fw::pf24bit);
  const QImage view = ImageView(rgb);
  EXPECT_EQ(view.constBits(), rgb.Bits.data()); // no pixel converted
  for (fw::TPixelFormat f : {fw::pf4bit, fw::pf8bit, fw::pf15bit, fw::pf24bit, fw::pf32bit}) {
    const fw::TPixelImage image = Filled(7, 5, f);
    const QImage copy = ImageCopy(image);
    fw::TBitmap source;
    source.LoadFromPixelImage(image);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const fw::TColor c = source.Canvas()->Pixels(x, y);
        ASSERT_EQ(copy.pixel(x, y) & 0xFFFFFF, qRgb(c & 0xFF, (c >> 8) & 0xFF, c >> 16) & 0xFFFFFF)
            << "format " << int(f) << " at " << x << "," << y;
      }
    EXPECT_TRUE(SamePicture("roundtrip", PixelImageOf(copy), [&] {
      fw::TBitmap b;
      b.LoadFromPixelImage(image);
      b.SetPixelFormat(fw::pf24bit);
      return b.PixelImage();
    }()));
  }
}

TEST(QtBackendClipboard, PicturesGoThroughTheSystemClipboardBothWays) {
  fw::TBitmap bmp;
  bmp.LoadFromPixelImage(Filled(33, 17, fw::pf24bit));
  fw::Clipboard().Assign(&bmp);
  EXPECT_TRUE(fw::Clipboard().HasFormat(fw::CF_BITMAP));
  // Another Qt program reads what QClipboard holds ...
  const QImage system = QGuiApplication::clipboard()->image();
  ASSERT_EQ(system.size(), QSize(33, 17));
  EXPECT_EQ(
      system.pixel(5, 3) & 0xFFFFFF, 0xFFFFFFu & [&] {
        const fw::TColor c = bmp.Canvas()->Pixels(5, 3);
        return qRgb(c & 0xFF, (c >> 8) & 0xFF, c >> 16);
      }());
  // ... and a picture another program put there comes back as a bitmap.
  QImage other(9, 4, QImage::Format_RGB32);
  other.fill(qRgb(10, 200, 30));
  QGuiApplication::clipboard()->setImage(other);
  fw::TBitmap back;
  back.Assign(&fw::Clipboard());
  EXPECT_EQ(back.Width(), 9);
  EXPECT_EQ(back.Canvas()->Pixels(8, 3), 0x1EC80Au);
  fw::Clipboard().Clear();
  EXPECT_FALSE(fw::Clipboard().HasFormat(fw::CF_BITMAP));
  EXPECT_THROW(back.Assign(&fw::Clipboard()), fw::EInvalidGraphic);
}

TEST(QtBackendWindows, TopLevelControlsGetWindowsShowingTheirChildren) {
  auto* top = new TSolid(0x0000C0);
  top->SetBounds(40, 30, 200, 120);
  auto* child = new TSolid(0x00C000);
  child->SetParent(top);
  child->SetBounds(50, 20, 60, 40);
  Settle();
  TSurfaceWidget* window = QtBackend()->Window(top);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->geometry(), QRect(40, 30, 200, 120));
  EXPECT_EQ(QtBackend()->Window(child), nullptr); // a region of its parent's window
  const QImage shot = ImageCopy(Screenshot(*window));
  EXPECT_EQ(shot.pixel(10, 10) & 0xFFFFFF, 0xC00000u);
  EXPECT_EQ(shot.pixel(60, 30) & 0xFFFFFF, 0x00C000u);
  EXPECT_EQ(shot.pixel(110, 30) & 0xFFFFFF, 0xC00000u);
  // Drawing straight on a surface shows without any call to the backend.
  top->Canvas()->Brush()->SetColor(0xFFFFFF);
  top->Canvas()->FillRect(fw::Rect(0, 100, 200, 120));
  Settle();
  EXPECT_EQ(ImageCopy(Screenshot(*window)).pixel(150, 110) & 0xFFFFFF, 0xFFFFFFu);
  top->Hide();
  Settle();
  EXPECT_FALSE(window->isVisible());
  QPointer<QWidget> gone(window);
  delete top;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(gone.isNull());
}

TEST(QtBackendInput, ButtonsModifiersAndWheelReachTheControlUnderThePointer) {
  TSolid control(0x808080);
  control.SetBounds(0, 0, 160, 100);
  Settle();
  TSurfaceWidget* window = QtBackend()->Window(&control);
  ASSERT_NE(window, nullptr);
  Press(*window, {10, 12}, Qt::ControlModifier);
  Move(*window, {30, 40});
  Release(*window, {30, 40});
  Press(*window, {70, 50}, Qt::ShiftModifier, Qt::RightButton);
  Release(*window, {75, 50}, Qt::ShiftModifier, Qt::RightButton);
  QWheelEvent wheel(QPointF(20, 30), window->mapToGlobal(QPointF(20, 30)), {}, {0, -120},
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window, &wheel);
  const std::vector<std::string> expected = {"down 0 CL 10,12",   "move 0 L 30,40",  "up 0 - 30,40",
                                             "down 1 SR 70,50",   "move 0 SR 75,50", "up 1 S 75,50",
                                             "wheel -120 C 20,30"};
  EXPECT_EQ(control.Log, expected);
}

TEST(QtBackendCursors, PackageCursorsBecomeBitmapCursorsWithTheirHotSpot) {
  const TCursorResource* hand = FindCursorResource("CURGEOHAND");
  ASSERT_NE(hand, nullptr);
  fw::TCursorImage image{32, 32, hand->HotSpotX, hand->HotSpotY, {}};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      image.Pixels.push_back(static_cast<fw::TCursorPixel>(hand->Pixel(x, y)));
  fw::Screen().SetCursors(5, image);
  TSolid control(0x808080);
  control.SetBounds(0, 0, 100, 100);
  control.SetCursor(5);
  Settle();
  TSurfaceWidget* window = QtBackend()->Window(&control);
  ASSERT_NE(window, nullptr);
  Move(*window, {50, 50});
  const QCursor shown = window->cursor();
  EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
  EXPECT_EQ(shown.hotSpot(), QPoint(hand->HotSpotX, hand->HotSpotY));
  const QImage mask = shown.mask().toImage();
  int opaque = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool drawn = hand->Pixel(x, y) != cpTransparent;
      opaque += drawn;
      ASSERT_EQ(mask.pixelIndex(x, y) != 0, drawn) << x << "," << y;
    }
  EXPECT_GT(opaque, 20);
  control.SetCursor(fw::crHandPoint);
  EXPECT_EQ(window->cursor().shape(), Qt::PointingHandCursor);
}

} // namespace
} // namespace kartavo::qt
