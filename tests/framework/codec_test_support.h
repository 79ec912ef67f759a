// Shared helpers of the codec tests: sample pictures, temporary files, the
// colour of one pixel, and a check that a reader either refuses input or
// decodes exactly a reference picture.
#pragma once

#include "kartavo/framework/errors.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace codec_test {

// A picture of the given format filled with reproducible random pixels and palette.
inline fw::TPixelImage RandomImage(int w, int h, fw::TPixelFormat f, unsigned seed) {
  std::mt19937 rng(seed);
  fw::TPixelImage img;
  img.Width = w;
  img.Height = h;
  img.Format = f;
  const size_t paletteSize = f == fw::pf1bit ? 2 : f == fw::pf4bit ? 16 : f == fw::pf8bit ? 256 : 0;
  for (size_t i = 0; i < paletteSize; ++i)
    img.Palette.push_back(rng() & 0xFFFFFF);
  img.Bits.assign(static_cast<size_t>(img.Stride() * h), 0);
  for (auto& b : img.Bits)
    b = static_cast<uint8_t>(rng());
  return img;
}

// The colour of pixel (x, y) of any format, worked out pixel by pixel.
inline fw::TColor PixelColor(const fw::TPixelImage& img, int x, int y) {
  const uint8_t* row = img.Row(y);
  // Rounded to the nearest 8-bit value, the way the canvas reads such pixels.
  auto widen = [](unsigned v, int bits) {
    const unsigned top = (1u << bits) - 1;
    return static_cast<uint8_t>((v * 255 + top / 2) / top);
  };
  switch (img.Format) {
  case fw::pf1bit:
    return img.Palette[(row[x / 8] >> (7 - x % 8)) & 1];
  case fw::pf4bit:
    return img.Palette[x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4];
  case fw::pf8bit:
    return img.Palette[row[x]];
  case fw::pf15bit: {
    unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
    return fw::RGB(widen((v >> 10) & 31, 5), widen((v >> 5) & 31, 5), widen(v & 31, 5));
  }
  case fw::pf16bit: {
    unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
    return fw::RGB(widen((v >> 11) & 31, 5), widen((v >> 5) & 63, 6), widen(v & 31, 5));
  }
  case fw::pf24bit:
    return fw::RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
  default:
    return fw::RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
  }
}

// True when both pictures show the same colours at every pixel, whatever their formats.
inline ::testing::AssertionResult SameColors(const fw::TPixelImage& a, const fw::TPixelImage& b) {
  if (a.Width != b.Width || a.Height != b.Height)
    return ::testing::AssertionFailure()
           << "size " << a.Width << "x" << a.Height << " vs " << b.Width << "x" << b.Height;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x)
      if (PixelColor(a, x, y) != PixelColor(b, x, y))
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << "): " << std::hex << PixelColor(a, x, y) << " vs "
               << PixelColor(b, x, y);
  return ::testing::AssertionSuccess();
}

inline fw::TMemoryStream StreamOf(const std::vector<uint8_t>& bytes) {
  fw::TMemoryStream s;
  if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
  return s;
}

inline std::vector<uint8_t> BytesOf(fw::TMemoryStream& s) {
  return std::vector<uint8_t>(s.Memory(), s.Memory() + s.Size());
}

using TReader = std::function<fw::TPixelImage(fw::TStream&, const std::string&)>;

// Feeds every prefix of the file (and a copy with every byte in turn changed)
// to the reader: each must either raise EInvalidGraphic naming the file or
// decode exactly what the whole file decodes to.
inline void ExpectRefusesOrMatches(const TReader& read, const std::vector<uint8_t>& file,
                                   bool mutateBytes = false) {
  fw::TMemoryStream whole = StreamOf(file);
  const fw::TPixelImage reference = read(whole, "whole.img");
  auto check = [&](const std::vector<uint8_t>& bytes, const std::string& what) {
    fw::TMemoryStream s = StreamOf(bytes);
    try {
      fw::TPixelImage got = read(s, "hostile.img");
      if (!mutateBytes) {
        EXPECT_TRUE(SameColors(got, reference)) << what;
      }
    } catch (const fw::EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find("hostile.img"), std::string::npos) << e.what();
    }
  };
  for (size_t n = 0; n < file.size(); ++n)
    check(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(n)),
          "prefix of " + std::to_string(n) + " bytes");
  if (!mutateBytes) return;
  for (size_t i = 0; i < file.size(); ++i) {
    for (uint8_t v : {uint8_t{0}, uint8_t{0xFF}, static_cast<uint8_t>(file[i] ^ 0x80)}) {
      std::vector<uint8_t> bytes = file;
      bytes[i] = v;
      check(bytes, "byte " + std::to_string(i) + " set to " + std::to_string(v));
    }
  }
}

// A fresh directory for the test's files, removed afterwards.
class TTempDir {
public:
  TTempDir() {
    FPath = std::filesystem::temp_directory_path() /
            ("kartavo_codec_" + std::to_string(::getpid()) + "_" + std::to_string(Counter()++));
    std::filesystem::create_directories(FPath);
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
  static int& Counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path FPath;
};

// Runs ImageMagick's identify on a file and returns "width height" of the
// picture it sees, or skips the test when identify is not installed.
inline std::string Identify(const std::string& path, const std::string& format = "%w %h") {
  FILE* p = ::popen(("identify -format '" + format + "' '" + path + "' 2>&1").c_str(), "r");
  std::string out;
  char buf[256];
  while (p && fgets(buf, sizeof buf, p))
    out += buf;
  if (p) ::pclose(p);
  return out;
}

inline bool HaveIdentify() { return std::system("command -v identify >/dev/null 2>&1") == 0; }

} // namespace codec_test

namespace codec_test {

// Runs a shell command; true when it exits with status 0.
inline bool RunShell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline bool HaveTool(const std::string& tool) { return RunShell("command -v " + tool); }

// A picture of smooth gradients with a few hard edges, the kind of content
// lossy coding keeps close to the original.
inline fw::TPixelImage GradientImage(int w, int h) {
  fw::TPixelImage img;
  img.Width = w;
  img.Height = h;
  img.Format = fw::pf24bit;
  img.Bits.assign(static_cast<size_t>(img.Stride() * h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = img.Row(y) + 3 * x;
      p[0] = static_cast<uint8_t>(x * 255 / std::max(1, w - 1));
      p[1] = static_cast<uint8_t>(y * 255 / std::max(1, h - 1));
      p[2] = static_cast<uint8_t>((x / 16 + y / 16) % 2 ? 200 : 60);
    }
  return img;
}

// The absolute differences of every channel of every pixel of two pictures
// of one size.
inline std::vector<int> ChannelDifferences(const fw::TPixelImage& a, const fw::TPixelImage& b) {
  std::vector<int> d;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) {
      const fw::TColor ca = PixelColor(a, x, y), cb = PixelColor(b, x, y);
      for (int s = 0; s < 24; s += 8)
        d.push_back(std::abs(int((ca >> s) & 255) - int((cb >> s) & 255)));
    }
  return d;
}

// The largest difference of one channel between two pictures of one size.
inline int MaxChannelDifference(const fw::TPixelImage& a, const fw::TPixelImage& b) {
  const std::vector<int> d = ChannelDifferences(a, b);
  return d.empty() ? 0 : *std::max_element(d.begin(), d.end());
}

// The mean absolute difference over all channels.
inline double MeanChannelDifference(const fw::TPixelImage& a, const fw::TPixelImage& b) {
  const std::vector<int> d = ChannelDifferences(a, b);
  return d.empty() ? 0 : std::accumulate(d.begin(), d.end(), 0.0) / static_cast<double>(d.size());
}

inline std::vector<uint8_t> FileBytes(const std::string& path) {
  fw::TMemoryStream s;
  s.LoadFromFile(path);
  return BytesOf(s);
}

} // namespace codec_test
