// Cursors: the numbers of the standard shapes, and the image of a cursor a
// program enters in the screen's cursor table under a number of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

using TCursor = int16_t;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// What one pixel of a monochrome cursor does to the screen below it.
enum TCursorPixel : uint8_t { cpTransparent, cpBlack, cpWhite, cpInvert };

// A monochrome cursor: Width x Height pixels, rows top-down, and the hot spot,
// the pixel that points.
struct TCursorImage {
  int Width = 0;
  int Height = 0;
  int HotSpotX = 0;
  int HotSpotY = 0;
  std::vector<TCursorPixel> Pixels;

  TCursorPixel Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
  bool Empty() const { return Width <= 0 || Height <= 0; }
  friend bool operator==(const TCursorImage&, const TCursorImage&) = default;
};

} // namespace fw
