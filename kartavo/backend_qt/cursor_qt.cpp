#include "kartavo/backend_qt/cursor_qt.h"

#include "kartavo/framework/screen.h"

#include <QBitmap>
#include <QImage>
#include <utility>

namespace kartavo::qt {

namespace {

constexpr std::pair<fw::TCursor, Qt::CursorShape> kShapes[] = {
    {fw::crNone, Qt::BlankCursor},         {fw::crArrow, Qt::ArrowCursor},
    {fw::crCross, Qt::CrossCursor},        {fw::crIBeam, Qt::IBeamCursor},
    {fw::crSizeNESW, Qt::SizeBDiagCursor}, {fw::crSizeNS, Qt::SizeVerCursor},
    {fw::crSizeNWSE, Qt::SizeFDiagCursor}, {fw::crSizeWE, Qt::SizeHorCursor},
    {fw::crUpArrow, Qt::UpArrowCursor},    {fw::crHourGlass, Qt::WaitCursor},
    {fw::crDrag, Qt::DragMoveCursor},      {fw::crNoDrop, Qt::ForbiddenCursor},
    {fw::crHSplit, Qt::SplitHCursor},      {fw::crVSplit, Qt::SplitVCursor},
    {fw::crMultiDrag, Qt::DragCopyCursor}, {fw::crSQLWait, Qt::WaitCursor},
    {fw::crNo, Qt::ForbiddenCursor},       {fw::crAppStart, Qt::BusyCursor},
    {fw::crHelp, Qt::WhatsThisCursor},     {fw::crHandPoint, Qt::PointingHandCursor},
    {fw::crSizeAll, Qt::SizeAllCursor},
};

// One bit a pixel; in a cursor bitmap a set bit with a set mask bit is black.
QBitmap MonoBitmap(const fw::TCursorImage& image, bool (*set)(fw::TCursorPixel)) {
  QImage mono(image.Width, image.Height, QImage::Format_MonoLSB);
  mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x)
      mono.setPixel(x, y, set(image.Pixel(x, y)) ? 1 : 0);
  return QBitmap::fromImage(mono);
}

} // namespace

QCursor QtCursor(const fw::TCursorImage& Image) {
  if (Image.Empty() || Image.Pixels.size() != static_cast<size_t>(Image.Width * Image.Height))
    return QCursor(Qt::ArrowCursor);
  const QBitmap bits =
      MonoBitmap(Image, [](fw::TCursorPixel p) { return p == fw::cpBlack || p == fw::cpInvert; });
  const QBitmap mask = MonoBitmap(Image, [](fw::TCursorPixel p) { return p != fw::cpTransparent; });
  return QCursor(bits, mask, Image.HotSpotX, Image.HotSpotY);
}

QCursor QtCursor(fw::TCursor Cursor) {
  if (Cursor > 0) {
    const fw::TCursorImage* image = fw::Screen().Cursors(Cursor);
    return image ? QtCursor(*image) : QCursor(Qt::ArrowCursor);
  }
  for (const auto& [number, shape] : kShapes)
    if (number == Cursor) return QCursor(shape);
  return QCursor(Qt::ArrowCursor);
}

} // namespace kartavo::qt
