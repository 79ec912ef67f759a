// Builds bitmap files byte by byte, so that the tests can make every variant
// of the format the reader accepts and every way a file can be broken.
#pragma once

#include "kartavo/framework/pixel_image.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec_test {

struct TBmpSpec {
  uint32_t HeaderSize = 40; // 12 core, 40 info, 108 V4, 124 V5
  int32_t Width = 0;
  int32_t Height = 0; // negative: rows stored top-down
  uint16_t Bpp = 24;
  uint32_t Compression = 0;    // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  std::vector<uint32_t> Masks; // red, green, blue: after a 40-byte header or inside V4/V5
  std::vector<fw::TColor> Palette;
  uint32_t ColorsUsed = 0;
  std::vector<uint8_t> Data; // the pixel data as stored
  int64_t OffBits = -1;      // -1: right after the palette
};

inline void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> BuildBmp(const TBmpSpec& s) {
  std::vector<uint8_t> h;
  const bool core = s.HeaderSize == 12;
  Put(h, s.HeaderSize, 4);
  if (core) {
    Put(h, static_cast<uint32_t>(s.Width), 2);
    Put(h, static_cast<uint32_t>(s.Height), 2);
    Put(h, 1, 2);
    Put(h, s.Bpp, 2);
  } else {
    Put(h, static_cast<uint32_t>(s.Width), 4);
    Put(h, static_cast<uint32_t>(s.Height), 4);
    Put(h, 1, 2);
    Put(h, s.Bpp, 2);
    Put(h, s.Compression, 4);
    Put(h, static_cast<uint32_t>(s.Data.size()), 4);
    Put(h, 3780, 4);
    Put(h, 3780, 4);
    Put(h, s.ColorsUsed, 4);
    Put(h, 0, 4);
    for (uint32_t m : s.Masks)
      Put(h, m, 4);
    while (h.size() < s.HeaderSize)
      h.push_back(0);
  }
  for (fw::TColor c : s.Palette) {
    h.push_back(fw::GetBValue(c));
    h.push_back(fw::GetGValue(c));
    h.push_back(fw::GetRValue(c));
    if (!core) h.push_back(0);
  }
  std::vector<uint8_t> f = {'B', 'M'};
  const uint32_t off =
      s.OffBits >= 0 ? static_cast<uint32_t>(s.OffBits) : static_cast<uint32_t>(14 + h.size());
  Put(f, static_cast<uint32_t>(14 + h.size() + s.Data.size()), 4);
  Put(f, 0, 4);
  Put(f, off, 4);
  f.insert(f.end(), h.begin(), h.end());
  f.insert(f.end(), s.Data.begin(), s.Data.end());
  return f;
}

// The picture's rows as a plain bitmap stores them: bottom-up, or top-down.
inline std::vector<uint8_t> StoredRows(const fw::TPixelImage& img, bool topDown) {
  std::vector<uint8_t> d;
  for (int r = 0; r < img.Height; ++r) {
    const uint8_t* row = img.Row(topDown ? r : img.Height - 1 - r);
    d.insert(d.end(), row, row + img.Stride());
  }
  return d;
}

// Palette indexes of a paletted picture, row by row from the top.
inline std::vector<std::vector<unsigned>> Indexes(const fw::TPixelImage& img) {
  std::vector<std::vector<unsigned>> rows(static_cast<size_t>(img.Height));
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const uint8_t* r = img.Row(y);
      rows[y].push_back(img.Format == fw::pf8bit ? r[x] : (x % 2 ? r[x / 2] & 15 : r[x / 2] >> 4));
    }
  return rows;
}

// Run-length codes of a paletted picture, as a simple encoder writes them:
// runs of equal pixels, literal stretches of three or more, an end-of-line
// code after every row and the end-of-bitmap code.
inline std::vector<uint8_t> EncodeRle(const fw::TPixelImage& img, bool four) {
  const auto rows = Indexes(img);
  std::vector<uint8_t> out;
  for (int r = img.Height - 1; r >= 0; --r) {
    const auto& row = rows[static_cast<size_t>(r)];
    size_t x = 0;
    while (x < row.size()) {
      size_t run = 1;
      while (x + run < row.size() && row[x + run] == row[x] && run < 255)
        ++run;
      if (run >= 2 || row.size() - x < 3) {
        out.push_back(static_cast<uint8_t>(run));
        out.push_back(static_cast<uint8_t>(four ? row[x] * 17 : row[x]));
        x += run;
        continue;
      }
      size_t lit = 1;
      while (x + lit < row.size() && lit < 254 &&
             !(x + lit + 1 < row.size() && row[x + lit] == row[x + lit + 1]))
        ++lit;
      if (lit < 3) lit = 3;
      out.push_back(0);
      out.push_back(static_cast<uint8_t>(lit));
      size_t bytes = 0;
      for (size_t k = 0; k < lit; ++k) {
        if (!four) {
          out.push_back(static_cast<uint8_t>(row[x + k]));
          ++bytes;
        } else if (k % 2 == 0) {
          out.push_back(static_cast<uint8_t>(row[x + k] << 4));
          ++bytes;
        } else {
          out.back() |= static_cast<uint8_t>(row[x + k]);
        }
      }
      if (bytes % 2) out.push_back(0);
      x += lit;
    }
    out.push_back(0);
    out.push_back(0);
  }
  out.push_back(0);
  out.push_back(1);
  return out;
}

} // namespace codec_test
