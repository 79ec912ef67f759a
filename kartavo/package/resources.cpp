#include "kartavo/package/resources.h"

#include "kartavo/framework/color.h"
#include "kartavo/package/detail/resource_art.h"

#include <vector>

namespace kartavo {
namespace {

template <size_t H>
constexpr bool HasWidth(const std::array<std::string_view, H>& art, size_t width) {
  for (auto row : art)
    if (row.size() != width) return false;
  return true;
}
static_assert(HasWidth(resource_art::kGeoHand, 32) && HasWidth(resource_art::kGeoZoom, 32));
static_assert(HasWidth(resource_art::kPointer, 40) && HasWidth(resource_art::kZoom11, 40) &&
              HasWidth(resource_art::kZoomIn, 40));

constexpr std::array<std::string_view, 2> kCursorNames = {"CURGEOHAND", "CURGEOZOOM"};
constexpr std::array<std::string_view, 3> kBitmapNames = {"POINTR", "ZOOM11", "ZOOMIN"};

// The palette of every bitmap: the 16 standard colours, a 6 × 6 × 6 colour
// cube, 23 greys and, last, the button face the bitmaps are drawn on.
constexpr uint8_t kFaceIndex = 255;

std::vector<fw::TColor> MakePalette() {
  std::vector<fw::TColor> p = {fw::clBlack, fw::clMaroon,  fw::clGreen, fw::clOlive,
                               fw::clNavy,  fw::clPurple,  fw::clTeal,  fw::clSilver,
                               fw::clGray,  fw::clRed,     fw::clLime,  fw::clYellow,
                               fw::clBlue,  fw::clFuchsia, fw::clAqua,  fw::clWhite};
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        p.push_back(fw::RGB(static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51),
                            static_cast<uint8_t>(b * 51)));
  for (int i = 0; p.size() < kFaceIndex; ++i) {
    const auto v = static_cast<uint8_t>(8 + 10 * i);
    p.push_back(fw::RGB(v, v, v));
  }
  p.push_back(fw::clBtnFace);
  return p;
}

uint8_t PaletteIndex(char c) {
  switch (c) {
  case '#':
    return 0;
  case 'o':
    return 15;
  case 'b':
    return 12;
  case 'g':
    return 8;
  case 'r':
    return 9;
  case 'y':
    return 11;
  default:
    return kFaceIndex;
  }
}

template <size_t H> fw::TPixelImage MakeBitmap(const std::array<std::string_view, H>& art) {
  fw::TPixelImage img;
  img.Width = static_cast<int>(art[0].size());
  img.Height = static_cast<int>(H);
  img.Format = fw::pf8bit;
  img.Palette = MakePalette();
  img.Bits.assign(static_cast<size_t>(img.Stride() * img.Height), 0);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      img.Row(y)[x] = PaletteIndex(art[static_cast<size_t>(y)][static_cast<size_t>(x)]);
  return img;
}

template <size_t H>
TCursorResource MakeCursor(const std::array<std::string_view, H>& art, int hotX, int hotY) {
  static_assert(H <= TCursorResource::Height);
  TCursorResource c;
  c.HotSpotX = hotX;
  c.HotSpotY = hotY;
  for (int y = 0; y < TCursorResource::Height; ++y)
    for (int x = 0; x < TCursorResource::Width; ++x) {
      const auto row = static_cast<size_t>(y);
      const char ch = row < H ? art[row][static_cast<size_t>(x)] : '.';
      const size_t byte = static_cast<size_t>(y * 4 + x / 8);
      const auto bit = static_cast<uint8_t>(0x80 >> (x % 8));
      if (ch == '.') c.AndMask[byte] |= bit;
      if (ch == 'o') c.XorMask[byte] |= bit;
    }
  return c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char ca = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    if (ca != b[i]) return false;
  }
  return true;
}

int NameIndex(std::span<const std::string_view> names, std::string_view name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (SameName(name, names[i])) return static_cast<int>(i);
  return -1;
}

} // namespace

TCursorPixel TCursorResource::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return cpTransparent;
  const size_t byte = static_cast<size_t>(y * 4 + x / 8);
  const int bit = 7 - x % 8;
  const bool a = (AndMask[byte] >> bit) & 1, b = (XorMask[byte] >> bit) & 1;
  return a ? (b ? cpInvert : cpTransparent) : (b ? cpWhite : cpBlack);
}

const TCursorResource* FindCursorResource(std::string_view Name) {
  static const std::array<TCursorResource, 2> cursors = {MakeCursor(resource_art::kGeoHand, 0, 0),
                                                         MakeCursor(resource_art::kGeoZoom, 6, 6)};
  const int ix = NameIndex(kCursorNames, Name);
  return ix < 0 ? nullptr : &cursors[static_cast<size_t>(ix)];
}

const fw::TPixelImage* FindBitmapResource(std::string_view Name) {
  static const std::array<fw::TPixelImage, 3> bitmaps = {MakeBitmap(resource_art::kPointer),
                                                         MakeBitmap(resource_art::kZoom11),
                                                         MakeBitmap(resource_art::kZoomIn)};
  const int ix = NameIndex(kBitmapNames, Name);
  return ix < 0 ? nullptr : &bitmaps[static_cast<size_t>(ix)];
}

std::span<const std::string_view> CursorResourceNames() { return kCursorNames; }
std::span<const std::string_view> BitmapResourceNames() { return kBitmapNames; }

} // namespace kartavo
