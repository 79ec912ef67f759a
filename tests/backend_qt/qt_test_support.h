// Helpers of the Qt tests: a calibrated test map, screenshots taken from the
// X server, and picture comparisons that keep the evidence on a mismatch.
#pragma once

#include "kartavo/backend_qt/pixel_image_qt.h"
#include "kartavo/backend_qt/qt_backend.h"
#include "kartavo/backend_qt/surface_widget.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/geomap/geomap_control.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace kartavo::qt::testing {

// A 600 x 450 picture with colour ramps and a dark 50-pixel grid, so that a
// shifted or scaled view cannot match by accident, calibrated equirectangular
// from 48 N 6 E (top left) to 45 N 12 E (bottom right).
inline void MakeTestMap(TGeoMap& map) {
  fw::TBitmap bmp;
  bmp.SetSize(600, 450);
  for (int y = 0; y < 450; ++y) {
    uint8_t* row = bmp.ScanLine(y);
    for (int x = 0; x < 600; ++x) {
      const bool grid = x % 50 == 0 || y % 50 == 0;
      row[3 * x] = grid ? 40 : static_cast<uint8_t>(x * 255 / 600);
      row[3 * x + 1] = grid ? 40 : static_cast<uint8_t>(y * 255 / 450);
      row[3 * x + 2] = grid ? 40 : static_cast<uint8_t>(((x + y) * 7) & 0xFF);
    }
  }
  map.SetMapBitMap(&bmp);
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(48.0, 6.0, 0, 0);
  map.AddCalibPoint(48.0, 12.0, 600, 0);
  map.AddCalibPoint(45.0, 6.0, 0, 450);
}

// Lets Qt show everything pending: events, the backend's repaints, the X server.
inline void Settle(int ms = 50) {
  if (TQtBackend* b = QtBackend()) b->Flush();
  QApplication::processEvents();
  QTest::qWait(ms);
  QApplication::processEvents();
}

// What the X server shows of the widget's area, as a 24-bit image.
inline fw::TPixelImage Screenshot(QWidget& widget, QRect area = {}) {
  if (area.isNull()) area = widget.rect();
  const QPoint at = widget.mapTo(widget.window(), area.topLeft());
  QScreen* screen = widget.screen();
  const QPixmap shot =
      screen->grabWindow(widget.window()->winId(), at.x(), at.y(), area.width(), area.height());
  return PixelImageOf(shot.toImage());
}

inline std::filesystem::path OutDir() {
  std::filesystem::path dir = KARTAVO_TEST_OUT;
  std::filesystem::create_directories(dir);
  return dir;
}

// Pixels that differ are red in the diff, equal ones a faint grey copy.
inline QImage DiffImage(const QImage& a, const QImage& b) {
  QImage diff(a.size(), QImage::Format_RGB32);
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const bool same = x < b.width() && y < b.height() && a.pixel(x, y) == b.pixel(x, y);
      const int g = 128 + qGray(a.pixel(x, y)) / 2;
      diff.setPixel(x, y, same ? qRgb(g, g, g) : qRgb(255, 0, 0));
    }
  return diff;
}

// Compares pixel for pixel; on a mismatch writes NAME-actual.png,
// NAME-expected.png and NAME-diff.png and names them in the failure.
inline ::testing::AssertionResult SamePicture(const std::string& name,
                                              const fw::TPixelImage& actual,
                                              const fw::TPixelImage& expected) {
  const QImage a = ImageCopy(actual).convertToFormat(QImage::Format_RGB32);
  const QImage e = ImageCopy(expected).convertToFormat(QImage::Format_RGB32);
  if (a == e) return ::testing::AssertionSuccess();
  int differing = 0;
  for (int y = 0; y < std::min(a.height(), e.height()); ++y)
    for (int x = 0; x < std::min(a.width(), e.width()); ++x)
      differing += a.pixel(x, y) != e.pixel(x, y);
  const std::string base = (OutDir() / name).string();
  a.save(QString::fromStdString(base + "-actual.png"));
  e.save(QString::fromStdString(base + "-expected.png"));
  DiffImage(a, e).save(QString::fromStdString(base + "-diff.png"));
  return ::testing::AssertionFailure()
         << name << ": " << a.width() << "x" << a.height() << " against " << e.width() << "x"
         << e.height() << ", " << differing << " pixels differ; pictures in " << base
         << "-{actual,expected,diff}.png";
}

} // namespace kartavo::qt::testing

namespace kartavo::qt::testing {

// Mouse input through the window system's entry (QWindow), as the X server
// would bring it: the buttons held stay held across moves.
inline QPoint InWindow(QWidget& w, QPoint p) { return w.mapTo(w.window(), p); }
inline void Press(QWidget& w, QPoint p, Qt::KeyboardModifiers mods = {},
                  Qt::MouseButton b = Qt::LeftButton) {
  QTest::mousePress(w.window()->windowHandle(), b, mods, InWindow(w, p));
}
inline void Move(QWidget& w, QPoint p, Qt::KeyboardModifiers mods = {}) {
  QTest::mouseMove(w.window()->windowHandle(), InWindow(w, p));
  (void)mods;
}
inline void Release(QWidget& w, QPoint p, Qt::KeyboardModifiers mods = {},
                    Qt::MouseButton b = Qt::LeftButton) {
  QTest::mouseRelease(w.window()->windowHandle(), b, mods, InWindow(w, p));
}

} // namespace kartavo::qt::testing
