#include "kartavo/backend_qt/pixel_image_qt.h"

#include "kartavo/framework/errors.h"

#include <cstring>

namespace kartavo::qt {

namespace {

QRgb ToQRgb(fw::TColor c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QList<QRgb> ColorTable(const fw::TPixelImage& image) {
  QList<QRgb> table;
  for (fw::TColor c : image.Palette)
    table.push_back(ToQRgb(c));
  return table;
}

QImage::Format QtFormat(fw::TPixelFormat f) {
  switch (f) {
  case fw::pf1bit:
    return QImage::Format_Mono;
  case fw::pf8bit:
    return QImage::Format_Indexed8;
  case fw::pf15bit:
    return QImage::Format_RGB555;
  case fw::pf16bit:
    return QImage::Format_RGB16;
  case fw::pf24bit:
    return QImage::Format_BGR888;
  case fw::pf32bit:
  case fw::pfDevice:
    return QImage::Format_RGB32;
  default:
    return QImage::Format_Invalid;
  }
}

// 4-bit rows have no Qt format: each nibble becomes an 8-bit index.
QImage Expand4Bit(const fw::TPixelImage& image) {
  QImage out(image.Width, image.Height, QImage::Format_Indexed8);
  out.setColorTable(ColorTable(image));
  for (int y = 0; y < image.Height; ++y) {
    const uint8_t* src = image.Row(y);
    uchar* dst = out.scanLine(y);
    for (int x = 0; x < image.Width; ++x)
      dst[x] = x % 2 ? src[x / 2] & 0x0F : src[x / 2] >> 4;
  }
  return out;
}

} // namespace

QImage ImageView(const fw::TPixelImage& Image) {
  const QImage::Format format = QtFormat(Image.Format);
  if (format == QImage::Format_Invalid || Image.Width <= 0 || Image.Height <= 0) return {};
  if (Image.Bits.size() < static_cast<size_t>(Image.Stride() * Image.Height)) return {};
  QImage view(Image.Bits.data(), Image.Width, Image.Height, static_cast<qsizetype>(Image.Stride()),
              format);
  if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono)
    view.setColorTable(ColorTable(Image));
  return view;
}

QImage ImageCopy(const fw::TPixelImage& Image) {
  if (Image.Format == fw::pf4bit) return Expand4Bit(Image);
  QImage view = ImageView(Image);
  if (view.isNull() && Image.Width > 0 && Image.Height > 0)
    throw fw::EInvalidGraphic("Unsupported pixel format");
  return view.copy();
}

fw::TPixelImage PixelImageOf(const QImage& Image) {
  const QImage bgr = Image.convertToFormat(QImage::Format_BGR888);
  fw::TPixelImage out;
  out.Width = bgr.width();
  out.Height = bgr.height();
  out.Format = fw::pf24bit;
  if (static_cast<int64_t>(out.Width) * out.Height > fw::kMaxImagePixels)
    throw fw::EInvalidGraphic("Image too large");
  out.Bits.assign(static_cast<size_t>(out.Stride() * out.Height), 0);
  for (int y = 0; y < out.Height; ++y)
    std::memcpy(out.Row(y), bgr.constScanLine(y), static_cast<size_t>(out.Width) * 3);
  return out;
}

} // namespace kartavo::qt
