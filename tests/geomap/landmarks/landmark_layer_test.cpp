// The landmark layer on a plain canvas: which landmarks it offers and draws,
// the strict border, the host's event, class visibility, the highlight and
// the random thinning of crowded views.
#include "layer_test_support.h"
#include "symbol_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/landmarks/landmark_layer.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {
using namespace kartavo;
using namespace lmtest;

constexpr int kW = 400, kH = 300;

TLandmarkView View() { return {{0, 0}, 1.0, kW, kH}; }

TLandmarkLayerData Data(const std::vector<TLandMark>& lms) {
  TLandmarkLayerData d;
  d.LandMarks = lms;
  return d;
}

TEST(LandmarkLayer, DrawsStrictlyInsideButOffersEveryConvertibleLandmark) {
  TTestMap map;
  std::vector<TLandMark> lms = {LandMarkAtPixel(100, 100), LandMarkAtPixel(0, 50),
                                LandMarkAtPixel(50, 0),    LandMarkAtPixel(kW, 50),
                                LandMarkAtPixel(900, 400), LandMarkAtPixel(1, 1)};
  auto bmp = Sheet(kW, kH);
  std::vector<quillon::TPoint> offered;
  TLandmarkLayerHooks hooks;
  hooks.OnDrawLandmark = [&](fw::TObject*, bool& handled, fw::TCanvas* c, quillon::TPoint at,
                             const TLandMark&) {
    EXPECT_FALSE(handled);
    EXPECT_EQ(c, bmp->Canvas());
    offered.push_back(at);
  };
  EXPECT_EQ(DrawLandmarkLayer(*bmp->Canvas(), Data(lms), map.Ref(), View(), hooks), 2);
  const std::vector<quillon::TPoint> expected = {{100, 100}, {0, 50},    {50, 0},
                                                 {kW, 50},   {900, 400}, {1, 1}};
  EXPECT_EQ(offered, expected);
  EXPECT_EQ(bmp->Canvas()->Pixels(100, 100), 0xFF0000u); // the default blue cross
  EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), 0xFF0000u);
  EXPECT_EQ(bmp->Canvas()->Pixels(0, 50), kSheet);
}

TEST(LandmarkLayer, HandledLandmarksAreLeftToTheHost) {
  TTestMap map;
  std::vector<TLandMark> lms = {LandMarkAtPixel(100, 100)};
  lms[0].Caption.Text = "Somewhere";
  auto bmp = Sheet(kW, kH);
  TLandmarkLayerHooks hooks;
  hooks.OnDrawLandmark = [](fw::TObject*, bool& handled, fw::TCanvas*, quillon::TPoint,
                            const TLandMark&) { handled = true; };
  EXPECT_EQ(DrawLandmarkLayer(*bmp->Canvas(), Data(lms), map.Ref(), View(), hooks), 0);
  EXPECT_TRUE(Changed(*bmp).empty());
}

TEST(LandmarkLayer, UserDefinedSymbolStillGetsItsCaption) {
  TTestMap map;
  std::vector<TLandMark> lms = {LandMarkAtPixel(200, 100)};
  lms[0].SymbolProps.Kind = lmUserDef;
  lms[0].Caption.Text = "Caption";
  auto bmp = Sheet(kW, kH);
  DrawLandmarkLayer(*bmp->Canvas(), Data(lms), map.Ref(), View(), {});
  PixelColours px = Changed(*bmp);
  ASSERT_FALSE(px.empty());
  for (auto [p, c] : px)
    EXPECT_GE(p.second, 108) << "only the caption, 8 pixels below";
}

TEST(LandmarkLayer, HighlightComesLastInItsOwnColoursAndHidesWithItsClass) {
  TTestMap map;
  std::vector<TLandMark> lms = {LandMarkAtPixel(100, 100), LandMarkAtPixel(104, 100)};
  lms[1].ClassFlag = 7;
  lms[0].Caption.Text = "First";
  std::array<bool, 256> visible;
  visible.fill(true);
  TLandmarkLayerData d = Data(lms);
  d.ClassVisible = &visible;
  d.HighLight = 1;
  d.HighLightFG = 0x00FFFF;
  d.HighLightBG = 0xFF00FF;
  std::vector<std::string> order;
  TLandmarkLayerHooks hooks;
  hooks.OnDrawLandmark = [&](fw::TObject*, bool&, fw::TCanvas*, quillon::TPoint at,
                             const TLandMark&) { order.push_back("lm" + std::to_string(at.X)); };
  hooks.OnDataRendered = [&](fw::TObject*, fw::TCanvas*) { order.push_back("rendered"); };
  auto bmp = Sheet(kW, kH);
  EXPECT_EQ(DrawLandmarkLayer(*bmp->Canvas(), d, map.Ref(), View(), hooks), 3);
  EXPECT_EQ(order, (std::vector<std::string>{"lm100", "lm104", "rendered", "lm100"}));
  // The highlighted cross lies over the second landmark's halo.
  EXPECT_EQ(bmp->Canvas()->Pixels(100, 100), 0x00FFFFu);
  EXPECT_EQ(bmp->Canvas()->Pixels(101, 100), 0xFF00FFu);

  visible[0] = false;
  order.clear();
  auto hidden = Sheet(kW, kH);
  EXPECT_EQ(DrawLandmarkLayer(*hidden->Canvas(), d, map.Ref(), View(), hooks), 1);
  EXPECT_EQ(order, (std::vector<std::string>{"lm104", "rendered"}));
}

TEST(LandmarkLayer, RandomSourceIsAskedForEveryVisibleLandmark) {
  TTestMap map;
  std::vector<TLandMark> lms(50, LandMarkAtPixel(10, 10));
  lms[3].ClassFlag = 9;
  std::array<bool, 256> visible;
  visible.fill(true);
  visible[9] = false;
  TLandmarkLayerData d = Data(lms);
  d.ClassVisible = &visible;
  std::vector<double> asked;
  TLandmarkLayerHooks hooks;
  hooks.Random = [&](double p) {
    asked.push_back(p);
    return asked.size() % 2 == 0;
  };
  auto bmp = Sheet(kW, kH);
  EXPECT_EQ(DrawLandmarkLayer(*bmp->Canvas(), d, map.Ref(), View(), hooks), 24);
  EXPECT_EQ(asked, std::vector<double>(49, 1.0));
}

// Landmarks at random pixels of the view (inView) and outside it.
std::vector<TLandMark> Scatter(int inView, int outside, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> x(2, kW - 2), y(2, kH - 2), far(kW + 20, 990);
  std::vector<TLandMark> lms;
  for (int i = 0; i < inView + outside; ++i) {
    TLandMark lm = LandMarkAtPixel(i < inView ? x(rng) : far(rng), y(rng));
    lm.SymbolProps.Size = 0;
    lm.SymbolProps.Transparent = true;
    lms.push_back(lm);
  }
  std::shuffle(lms.begin(), lms.end(), rng);
  return lms;
}

TEST(LandmarkLayer, CrowdedViewsAreThinnedToTheThreshold) {
  TTestMap map;
  const std::vector<TLandMark> lms = Scatter(30000, 0, 1);
  TLandmarkLayerData d = Data(lms);
  EXPECT_DOUBLE_EQ(LandmarkDisplayProbability(d, map.Ref(), View()), 20000.0 / 30000.0);
  auto bmp = Sheet(kW, kH);
  // Each drawing is binomial (30000, 2/3): standard deviation about 82.
  int64_t sum = 0;
  for (int i = 0; i < 20; ++i) {
    const int drawn = DrawLandmarkLayer(*bmp->Canvas(), d, map.Ref(), View(), {});
    EXPECT_NEAR(drawn, 20000, 500);
    sum += drawn;
  }
  EXPECT_NEAR(sum / 20.0, 20000, 120);
}

TEST(LandmarkLayer, FewLandmarksInViewAreAllDrawn) {
  TTestMap map;
  const std::vector<TLandMark> lms = Scatter(100, 29900, 2);
  TLandmarkLayerData d = Data(lms);
  EXPECT_EQ(LandmarkDisplayProbability(d, map.Ref(), View()), 1.0);
  auto bmp = Sheet(kW, kH);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(DrawLandmarkLayer(*bmp->Canvas(), d, map.Ref(), View(), {}), 100);
}

TEST(LandmarkLayer, HiddenClassesDoNotCountTowardsTheCrowd) {
  TTestMap map;
  std::vector<TLandMark> lms = Scatter(30000, 0, 3);
  for (size_t i = 0; i < lms.size(); i += 2)
    lms[i].ClassFlag = 1;
  std::array<bool, 256> visible;
  visible.fill(true);
  visible[1] = false;
  TLandmarkLayerData d = Data(lms);
  d.ClassVisible = &visible;
  EXPECT_EQ(LandmarkDisplayProbability(d, map.Ref(), View()), 1.0);
}

} // namespace

// Without a host hook the layer works the control pixels out first and
// fetches ahead; with one it takes each landmark in turn. Both must draw the
// same pixels and count the same symbols: random crowds of every kind,
// colour and caption, across the borders, with hidden classes, thinning,
// a highlight and a view that is panned and zoomed.
TEST(LandmarkLayer, DrawingAheadEqualsDrawingOneByOne) {
  TTestMap map;
  std::mt19937 rng(99);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int scene = 0; scene < 40; ++scene) {
    std::vector<TLandMark> lms;
    const int n = pick(0, 400);
    for (int i = 0; i < n; ++i) {
      TLandMark lm = LandMarkAtPixel(pick(-30, kW + 30), pick(-30, kH + 30));
      if (pick(0, 3) == 0) {
        lm.SymbolProps.Kind = static_cast<TLandMarkElement>(pick(0, 11));
        lm.SymbolProps.Size = pick(0, 12);
        lm.SymbolProps.Direction = pick(0, 7) * 45;
        lm.SymbolProps.Length = pick(0, 20);
        lm.SymbolProps.Transparent = pick(0, 1);
        lm.SymbolProps.FGColor = rng() & 0xFFFFFF;
      }
      lm.ClassFlag = static_cast<uint8_t>(pick(0, 3));
      if (pick(0, 5) == 0) lm.Caption.Text = "L" + std::to_string(i);
      lms.push_back(lm);
    }
    std::array<bool, 256> visible{};
    visible.fill(true);
    visible[3] = scene % 2 == 0;
    TLandmarkLayerData data = Data(lms);
    data.ClassVisible = &visible;
    data.RandomThreshold = scene % 3 == 0 ? n / 2 : 20000;
    data.HighLight = n > 0 ? pick(1, n) : 0;
    const TLandmarkView view{{pick(-50, 50), pick(-50, 50)}, scene % 4 ? 1.0 : 1.5, kW, kH};
    const fw::TPixelFormat format = scene % 2 ? fw::pf15bit : fw::pf24bit;
    const uint32_t seed = rng();
    auto drawWith = [&](bool hook, fw::TBitmap& bmp) {
      std::mt19937 draws(seed);
      TLandmarkLayerHooks hooks;
      hooks.Random = [&](double p) {
        return std::uniform_real_distribution<double>(0, 1)(draws) < p;
      };
      if (hook)
        hooks.OnDrawLandmark = [](fw::TObject*, bool&, fw::TCanvas*, quillon::TPoint,
                                  const TLandMark&) {};
      return DrawLandmarkLayer(*bmp.Canvas(), data, map.Ref(), view, hooks);
    };
    auto ahead = Sheet(kW, kH), oneByOne = Sheet(kW, kH);
    ahead->SetPixelFormat(format);
    oneByOne->SetPixelFormat(format);
    EXPECT_EQ(drawWith(false, *ahead), drawWith(true, *oneByOne)) << "scene " << scene;
    ASSERT_EQ(ahead->PixelImage(), oneByOne->PixelImage()) << "scene " << scene;
  }
}
