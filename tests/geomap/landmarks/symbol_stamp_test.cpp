// Symbols copied from stamps against the same symbols drawn line by line:
// random shapes, colours and places (across the borders too, where the
// stamp is cut to the surface), on noise, in every whole-byte format.
#include "symbol_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/landmarks/detail/symbol_stamp.h"
#include "kartavo/geomap/landmarks/symbol_drawing.h"

#include <gtest/gtest.h>

#include <random>

namespace {
using namespace kartavo;

std::unique_ptr<fw::TBitmap> Noise(fw::TPixelFormat format, uint32_t seed) {
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(format);
  bmp->SetSize(120, 90);
  std::mt19937 rng(seed);
  const int64_t rowBytes = bmp->PixelImage().Stride();
  for (int y = 0; y < bmp->Height(); ++y)
    for (int64_t i = 0; i < rowBytes; ++i)
      bmp->ScanLine(y)[i] = static_cast<uint8_t>(rng());
  return bmp;
}

struct TCanvasState {
  fw::TColor Pen, Brush;
  fw::TBrushStyle Style;
  fw::TPoint PenPos;
  bool operator==(const TCanvasState&) const = default;
};
TCanvasState StateOf(fw::TCanvas& c) {
  return {c.Pen()->Color(), c.Brush()->Color(), c.Brush()->Style(), c.PenPos()};
}

TEST(SymbolStamp, StampsDrawExactlyWhatTheLinesDraw) {
  std::mt19937 rng(2024);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int n = 0; n < 2500; ++n) {
    TSymbolProperties s;
    s.Kind = static_cast<TLandMarkElement>(pick(0, 11));
    s.Size = pick(-4, 24);
    s.Direction = pick(0, 3) == 0 ? pick(0, 8) * 45 : pick(-40, 40) * 10 + pick(0, 1) * 7;
    s.Length = pick(-4, 8) * 5;
    s.Transparent = pick(0, 1);
    s.FGColor = static_cast<fw::TColor>(rng()) & 0xFFFFFF;
    s.BGColor = pick(0, 4) == 0 ? s.FGColor : static_cast<fw::TColor>(rng()) & 0xFFFFFF;
    const int x = pick(-10, 130), y = pick(-10, 100);
    // The packed formats (1 and 4 bits) take the lines.
    constexpr fw::TPixelFormat kFormats[] = {fw::pf1bit,  fw::pf4bit,  fw::pf8bit, fw::pf15bit,
                                             fw::pf16bit, fw::pf24bit, fw::pf32bit};
    const fw::TPixelFormat format = kFormats[pick(0, 6)];
    const uint32_t seed = rng();
    auto stamped = Noise(format, seed), direct = Noise(format, seed);
    for (fw::TCanvas* c : {stamped->Canvas(), direct->Canvas()}) {
      c->Brush()->SetStyle(pick(0, 1) ? fw::bsClear : fw::bsSolid);
      c->MoveTo(3, 4);
    }
    direct->Canvas()->Brush()->SetStyle(stamped->Canvas()->Brush()->Style());
    DrawLandMarkSymbolOnCanvas(stamped->Canvas(), x, y, s);
    detail::DrawSymbolDirect(*direct->Canvas(), x, y, s);
    ASSERT_EQ(stamped->PixelImage().Bits, direct->PixelImage().Bits)
        << "kind " << int(s.Kind) << " size " << s.Size << " dir " << s.Direction << " length "
        << s.Length << " transparent " << s.Transparent << " at " << x << "," << y << " format "
        << int(format);
    ASSERT_EQ(StateOf(*stamped->Canvas()), StateOf(*direct->Canvas())) << int(s.Kind);
  }
}

TEST(SymbolStamp, OtherPensAndFormatsDrawLineByLine) {
  TSymbolProperties s = DefaultLandMark().SymbolProps;
  for (int variant = 0; variant < 3; ++variant) {
    auto a = lmtest::Sheet(60, 60), b = lmtest::Sheet(60, 60);
    for (fw::TCanvas* c : {a->Canvas(), b->Canvas()}) {
      if (variant == 0) c->Pen()->SetMode(fw::pmXor);
      if (variant == 1) c->Pen()->SetWidth(3);
      if (variant == 2) c->Pen()->SetStyle(fw::psDot);
    }
    DrawLandMarkSymbolOnCanvas(a->Canvas(), 30, 30, s);
    detail::DrawSymbolDirect(*b->Canvas(), 30, 30, s);
    EXPECT_EQ(a->PixelImage().Bits, b->PixelImage().Bits) << variant;
  }
}

} // namespace
