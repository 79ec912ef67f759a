// Which registered map the atlas switches to: finer maps by at least the
// resolution step, coarser maps strictly, ties to the first, and nothing
// for a position that no candidate contains.
#include "kartavo/geoatlas/map_definition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace kartavo;

TMapDefinition Square(double resolution, double lat0, double long0, double size) {
  TMapDefinition m;
  m.Resolution = resolution;
  m.Corners[gcoTopLeft] = {lat0 + size, long0};
  m.Corners[gcoBottomLeft] = {lat0, long0};
  m.Corners[gcoBottomRight] = {lat0, long0 + size};
  m.Corners[gcoTopRight] = {lat0 + size, long0 + size};
  return m;
}

// Four maps of resolutions 100, 50, 20 and 95 over the same square.
std::vector<TMapDefinition> FourMaps() {
  return {Square(100, 0, 0, 10), Square(50, 0, 0, 10), Square(20, 0, 0, 10), Square(95, 0, 0, 10)};
}

TEST(MapChoice, ZoomInTakesTheCoarsestMapFinerByTheStep) {
  const auto maps = FourMaps();
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 100, 10), 2); // 95 is within 10 %, 50 qualifies
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 100, 60), 3); // 50 is only 50 % finer
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 100, 4), 4);  // 95 is 5 % finer
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 50, 10), 3);
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 20, 10), 0);
  // Exactly the step is not enough: 90 from 100 at 10 % is not finer by more.
  EXPECT_EQ(FinerMapIndex(std::vector{Square(90, 0, 0, 10)}, 5, 5, 100, 10), 0);
  EXPECT_EQ(FinerMapIndex(std::vector{Square(89.9, 0, 0, 10)}, 5, 5, 100, 10), 1);
}

TEST(MapChoice, ZoomOutTakesTheFinestCoarserMap) {
  const auto maps = FourMaps();
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 20), 2);
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 50), 4);
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 95), 1);
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 100), 0);
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 50.0 - 1e-9), 2); // strictly coarser only
}

TEST(MapChoice, EqualResolutionsGoToTheFirst) {
  const std::vector maps = {Square(30, 0, 0, 10), Square(60, 0, 0, 10), Square(60, 0, 0, 10),
                            Square(30, 0, 0, 10)};
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 100, 10), 2);
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 10), 1);
}

TEST(MapChoice, OnlyMapsContainingThePositionCount) {
  // The finer maps lie elsewhere: nothing to zoom to, in either direction.
  const std::vector maps = {Square(100, 0, 0, 10), Square(50, 20, 20, 5), Square(200, 30, 0, 5)};
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 100, 10), 0);
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 100), 0);
  EXPECT_EQ(FinerMapIndex(maps, 22, 22, 100, 10), 2);
  // Edges are outside.
  EXPECT_EQ(FinerMapIndex(maps, 20, 22, 100, 10), 0);
}

TEST(MapChoice, NoCurrentResolutionFindsNoFinerMap) {
  const auto maps = FourMaps();
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, 0, 10), 0);
  EXPECT_EQ(FinerMapIndex(maps, 5, 5, std::nan(""), 10), 0);
  EXPECT_EQ(CoarserMapIndex(maps, 5, 5, 0), 3); // every map is coarser than nothing
  EXPECT_EQ(FinerMapIndex({}, 5, 5, 100, 10), 0);
}

} // namespace
