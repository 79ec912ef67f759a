#include "kartavo/geomap/georef/detail/image_bands.h"

#include "kartavo/package/exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace kartavo::georef {
namespace {

// Headers come first; no image puts its size further in than this.
constexpr size_t HeaderBytes = 1 << 20;

uint32_t Be(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i)
    v = v << 8 | b[at + static_cast<size_t>(i)];
  return v;
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i)
    v = v << 8 | b[at + static_cast<size_t>(i)];
  return v;
}

bool IsSof(uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

bool Jpeg(const std::vector<uint8_t>& b, TImageBands& r) {
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) return false;
    const uint8_t m = b[at + 1];
    if (m == 0xFF) { // fill byte
      ++at;
      continue;
    }
    if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) { // no length
      at += 2;
      continue;
    }
    if (m == 0xDA || m == 0xD9) return false; // image data before any frame header
    const size_t len = Be(b, at + 2, 2);
    if (IsSof(m)) {
      if (len < 8 || at + 10 > b.size()) return false;
      r.Height = static_cast<int>(Be(b, at + 5, 2));
      r.Width = static_cast<int>(Be(b, at + 7, 2));
      const int components = b[at + 9];
      r.Count = components == 1 ? 1 : 3; // CMYK is read as RGB
      return components == 1 || components == 3 || components == 4;
    }
    at += 2 + len;
  }
  return false;
}

bool Png(const std::vector<uint8_t>& b, TImageBands& r) {
  if (b.size() < 29 || Be(b, 12, 4) != 0x49484452) return false; // "IHDR"
  r.Width = static_cast<int>(Be(b, 16, 4));
  r.Height = static_cast<int>(Be(b, 20, 4));
  r.Sixteen = b[24] == 16;
  switch (b[25]) {
  case 0:
    r.Count = 1;
    return true;
  case 2:
    r.Count = 3;
    return true;
  case 3:
    r.Count = 1;
    r.Palette = true;
    return true;
  case 4:
    r.Count = 2;
    return true;
  case 6:
    r.Count = 4;
    return true;
  default:
    return false;
  }
}

bool Bmp(const std::vector<uint8_t>& b, TImageBands& r) {
  if (b.size() < 30) return false;
  const uint32_t info = Le(b, 14, 4);
  int bits = 0;
  if (info == 12) { // OS/2 core header
    r.Width = static_cast<int>(Le(b, 18, 2));
    r.Height = static_cast<int>(Le(b, 20, 2));
    bits = static_cast<int>(Le(b, 24, 2));
  } else if (info >= 40 && b.size() >= 30) {
    r.Width = static_cast<int>(Le(b, 18, 4));
    r.Height = std::abs(static_cast<int>(Le(b, 22, 4))); // negative: stored top-down
    bits = static_cast<int>(Le(b, 28, 2));
  } else {
    return false;
  }
  r.Palette = bits <= 8;
  r.Count = r.Palette ? 1 : 3;
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

TImageBands ReadImageBands(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) throw EORVGeoMapError("cannot open the map image " + Path);
  std::vector<uint8_t> b(HeaderBytes);
  in.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()));
  b.resize(static_cast<size_t>(in.gcount()));
  TImageBands r;
  bool ok = false;
  if (b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8)
    ok = Jpeg(b, r);
  else if (b.size() >= 8 && Be(b, 0, 4) == 0x89504E47)
    ok = Png(b, r);
  else if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M')
    ok = Bmp(b, r);
  else
    throw EORVGeoMapError(Path + " is no JPEG, PNG or BMP image");
  if (!ok || r.Width < 1 || r.Height < 1 || r.Width > 1000000 || r.Height > 1000000)
    throw EORVGeoMapError(Path + ": damaged image header");
  return r;
}

} // namespace kartavo::georef
