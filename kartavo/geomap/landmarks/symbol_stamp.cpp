#include "kartavo/geomap/landmarks/detail/symbol_stamp.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/detail/pixel_value.h"

#include <algorithm>
#include <cstring>

namespace kartavo::detail {
namespace {

constexpr fw::TColor kNothing = 0x000000, kFG = 0x0000FF, kBG = 0x00FF00;
constexpr size_t kMaxStamps = 512;

// How far the shape may reach from its centre: the halo and the arrow shaft
// included. Directions do not change this bound.
int64_t Reach(const TSymbolProperties& s) {
  int64_t r = std::llabs(int64_t{s.Size}) + 2;
  if (s.Kind == lmArrowFrom || s.Kind == lmArrowTo) r += std::llabs(int64_t{s.Length});
  if (s.Kind > lmUserDef) r = std::max<int64_t>(r, 6);
  return r;
}

TSymbolStamp Record(const TSymbolProperties& s, TSymbolDrawer draw) {
  const int r = static_cast<int>(Reach(s)), side = 2 * r + 1;
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf24bit);
  bmp.SetSize(side, side);
  fw::TCanvas& c = *bmp.Canvas();
  c.Brush()->SetColor(kNothing);
  c.FillRect(fw::Rect(0, 0, side, side));
  draw(c, r, r, s.Kind, kFG, kBG, s.Size, s.Direction, s.Length, s.Transparent);
  TSymbolStamp stamp;
  stamp.Left = stamp.Top = r;
  stamp.Right = stamp.Bottom = -r;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side;) {
      int end = x;
      while (end < side && c.Pixels(end, y) != kNothing)
        ++end;
      if (end > x) {
        stamp.Runs.push_back({static_cast<int16_t>(x - r), static_cast<int16_t>(y - r),
                              static_cast<uint16_t>(end - x),
                              static_cast<uint32_t>(stamp.Roles.size())});
        for (int i = x; i < end; ++i)
          stamp.Roles.push_back(c.Pixels(i, y) == kFG ? 0 : 1);
        stamp.Left = std::min(stamp.Left, x - r);
        stamp.Right = std::max(stamp.Right, end - 1 - r);
        stamp.Top = std::min(stamp.Top, y - r);
        stamp.Bottom = std::max(stamp.Bottom, y - r);
      }
      x = end + 1;
    }
  return stamp;
}

// The stamp's runs as rows of chunks: each row from its first set pixel to
// its last, padded to whole chunks.
void MakeRows(const TSymbolStamp& stamp, int bytes) {
  stamp.Rows.clear();
  stamp.Chunks.clear();
  stamp.RowReach = 0;
  for (size_t i = 0; i < stamp.Runs.size();) {
    size_t end = i;
    while (end < stamp.Runs.size() && stamp.Runs[end].Dy == stamp.Runs[i].Dy)
      ++end;
    const TStampRun& last = stamp.Runs[end - 1];
    const int16_t dx = stamp.Runs[i].Dx;
    const int64_t rowBytes = (int64_t{last.Dx} + last.Length - dx) * bytes;
    TStampRow row{dx, stamp.Runs[i].Dy, static_cast<uint32_t>(stamp.Chunks.size()),
                  static_cast<uint32_t>((rowBytes + 15) / 16)};
    stamp.Chunks.resize(stamp.Chunks.size() + row.Chunks, TStampChunk{});
    auto* mask = reinterpret_cast<uint8_t*>(&stamp.Chunks[row.FirstChunk]);
    for (; i < end; ++i) {
      const TStampRun& run = stamp.Runs[i];
      for (int k = 0; k < run.Length; ++k) {
        const size_t at = size_t(run.Dx + k - dx) * size_t(bytes);
        const uint8_t* value = &stamp.Encoded[(size_t{run.First} + size_t(k)) * size_t(bytes)];
        for (int b = 0; b < bytes; ++b) {
          const size_t chunk = (at + size_t(b)) / 16, byte = (at + size_t(b)) % 16;
          mask[chunk * sizeof(TStampChunk) + byte] = 0xFF;
          mask[chunk * sizeof(TStampChunk) + 16 + byte] = value[b];
        }
      }
    }
    stamp.RowReach =
        std::max(stamp.RowReach, int64_t{dx - stamp.Left} * bytes + int64_t{row.Chunks} * 16);
    stamp.Rows.push_back(row);
  }
}

// The stamp's pixels in the surface's encoding of the two colours.
const uint8_t* Encoded(const TSymbolStamp& stamp, int bytes, uint32_t fg, uint32_t bg) {
  if (stamp.EncodedBytes != bytes || stamp.EncodedFG != fg || stamp.EncodedBG != bg ||
      stamp.Encoded.size() != stamp.Roles.size() * size_t(bytes)) {
    stamp.Encoded.resize(stamp.Roles.size() * size_t(bytes));
    for (size_t i = 0; i < stamp.Roles.size(); ++i)
      std::memcpy(&stamp.Encoded[i * size_t(bytes)], stamp.Roles[i] ? &bg : &fg, size_t(bytes));
    stamp.EncodedBytes = bytes;
    stamp.EncodedFG = fg;
    stamp.EncodedBG = bg;
    MakeRows(stamp, bytes);
  }
  return stamp.Encoded.data();
}

// The stamp's rows blended chunk by chunk into the surface: the bytes the
// symbol does not set are written back as they were. Only for a stamp
// wholly inside the image whose chunks end inside the image's storage.
void Blend(fw::TPixelImage& img, const TSymbolStamp& stamp, int x, int y, int bytes) {
  const int64_t stride = img.Stride();
  uint8_t* centre = img.Bits.data() + int64_t{y} * stride + int64_t{x} * bytes;
  for (const TStampRow& row : stamp.Rows) {
    uint8_t* at = centre + row.Dy * stride + row.Dx * bytes;
    const TStampChunk* chunk = &stamp.Chunks[row.FirstChunk];
    for (uint32_t k = 0; k < row.Chunks; ++k, at += 16, ++chunk) {
      TBytes16 under;
      std::memcpy(&under, at, 16);
      under = (under & ~chunk->Mask) | chunk->Value;
      std::memcpy(at, &under, 16);
    }
  }
}

// Copies n bytes (n small) with a few overlapping word moves.
inline void CopySmall(uint8_t* to, const uint8_t* from, size_t n) {
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8)
      std::memcpy(to + i, from + i, 8);
    std::memcpy(to + n - 8, from + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + n - 4, from + n - 4, 4);
  } else {
    for (size_t i = 0; i < n; ++i)
      to[i] = from[i];
  }
}

void Copy(fw::TPixelImage& img, const TSymbolStamp& stamp, int x, int y, int bytes,
          const uint8_t* pixels) {
  const int64_t stride = img.Stride();
  uint8_t* centre = img.Bits.data() + int64_t{y} * stride + int64_t{x} * bytes;
  for (const TStampRun run : stamp.Runs)
    CopySmall(centre + run.Dy * stride + run.Dx * bytes, pixels + size_t{run.First} * bytes,
              size_t{run.Length} * bytes);
}

// Copy for a stamp that the surface's edges cut: each run is cut to the
// surface, as the lines and fills clip their pixels.
void CopyClipped(fw::TPixelImage& img, const TSymbolStamp& stamp, int64_t x, int64_t y, int bytes,
                 const uint8_t* pixels) {
  const int64_t stride = img.Stride();
  for (const TStampRun run : stamp.Runs) {
    const int64_t row = y + run.Dy;
    if (row < 0 || row >= img.Height) continue;
    const int64_t x0 = std::max<int64_t>(x + run.Dx, 0);
    const int64_t x1 = std::min<int64_t>(x + run.Dx + run.Length, img.Width);
    if (x0 >= x1) continue;
    std::memcpy(img.Bits.data() + row * stride + x0 * bytes,
                pixels + (size_t{run.First} + size_t(x0 - x - run.Dx)) * bytes,
                size_t(x1 - x0) * bytes);
  }
}

// Bytes of a pixel where a stamp can copy whole values; 0 for the formats
// that pack several pixels in a byte.
int StampBytes(fw::TPixelFormat format) {
  switch (format) {
  case fw::pf8bit:
    return 1;
  case fw::pf15bit:
  case fw::pf16bit:
    return 2;
  case fw::pf24bit:
    return 3;
  case fw::pf32bit:
    return 4;
  default:
    return 0;
  }
}

} // namespace

size_t TSymbolPainter::THash::operator()(const TKey& k) const {
  uint64_t h = k.Kind * 2u + k.Transparent;
  for (int32_t v : {k.Size, k.Direction, k.Length})
    h = h * 0x9E3779B97F4A7C15ull + static_cast<uint32_t>(v);
  return static_cast<size_t>(h ^ (h >> 29));
}

TSymbolPainter::TKey TSymbolPainter::KeyOf(const TSymbolProperties& Shape) {
  return {Shape.Kind, Shape.Transparent, Shape.Size, Shape.Direction, Shape.Length};
}

void TSymbolPainter::Prefetch(const fw::TCanvas& Canvas, const TSymbolProperties& Shape, int x,
                              int y) const {
  const fw::TPixelImage* img = Canvas.Surface();
  if (!FLast || !img || KeyOf(Shape) != FLastKey) return;
  const int bytes = FLast->EncodedBytes;
  if (bytes != StampBytes(img->Format) || int64_t{x} + FLast->Left < 0 ||
      int64_t{x} + FLast->Right >= img->Width || int64_t{y} + FLast->Top < 0 ||
      int64_t{y} + FLast->Bottom >= img->Height)
    return;
  const int64_t stride = img->Stride();
  const uint8_t* centre = img->Bits.data() + int64_t{y} * stride + int64_t{x} * bytes;
  for (const TStampRow& row : FLast->Rows) {
    const uint8_t* at = centre + row.Dy * stride + row.Dx * bytes;
    __builtin_prefetch(at, 1);
    __builtin_prefetch(at + row.Chunks * 16 - 1, 1);
  }
}

TSymbolPainter& TSymbolPainter::ForThisThread(TSymbolDrawer Draw) {
  thread_local TSymbolPainter painter(Draw);
  return painter;
}

const TSymbolStamp* TSymbolPainter::Stamp(const TSymbolProperties& Shape) {
  if (Reach(Shape) > MaxStampReach) return nullptr;
  const TKey key = KeyOf(Shape);
  if (FLast && key == FLastKey) return FLast;
  auto it = FStamps.find(key);
  if (it == FStamps.end()) {
    if (FStamps.size() >= kMaxStamps) FStamps.clear();
    it = FStamps.emplace(key, Record(Shape, FDraw)).first;
  }
  FLastKey = key;
  FLast = &it->second;
  return FLast;
}

bool TSymbolPainter::StampOnCanvas(fw::TCanvas& Canvas, const TSymbolStamp& Stamp, int x, int y,
                                   fw::TColor ColorFG, fw::TColor ColorBG) const {
  fw::TPixelImage* img = Canvas.Surface();
  const int bytes = img ? StampBytes(img->Format) : 0;
  if (bytes == 0) return false;
  const fw::TPen& pen = *Canvas.Pen();
  if (pen.Width() > 1 || pen.Style() != fw::psSolid || pen.Mode() != fw::pmCopy) return false;
  const int64_t left = int64_t{x} + Stamp.Left, right = int64_t{x} + Stamp.Right;
  const int64_t top = int64_t{y} + Stamp.Top, bottom = int64_t{y} + Stamp.Bottom;
  // Values are stored little-endian: the low bytes of the encoded colour are
  // the pixel's bytes in every whole-byte format.
  const uint8_t* pixels =
      Encoded(Stamp, bytes, fw::EncodeColor(*img, ColorFG), fw::EncodeColor(*img, ColorBG));
  if (left >= 0 && right < img->Width && top >= 0 && bottom < img->Height) {
    if (bottom * img->Stride() + left * bytes + Stamp.RowReach <= int64_t(img->Bits.size()))
      Blend(*img, Stamp, x, y, bytes);
    else
      Copy(*img, Stamp, x, y, bytes, pixels);
  } else if (right >= 0 && left < img->Width && bottom >= 0 && top < img->Height)
    CopyClipped(*img, Stamp, x, y, bytes, pixels);
  return true;
}

} // namespace kartavo::detail
