#include "kartavo/geomap/view/map_view.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {

TgmZoomStackEntry View(int i) { return {i, 2 * i, 0.5 * i}; }

TEST(ZoomStack, ANewViewHoldsItselfAsTheOnlyPush) {
  const TMapView view;
  EXPECT_EQ(view.ZoomStack().At(0), (TgmZoomStackEntry{0, 0, 1.0}));
  EXPECT_EQ(view.ZoomStack().At(-1), TgmZoomStackEntry{});
  EXPECT_EQ(view.ZoomStack().NextSlot(), 2);
}

TEST(ZoomStack, ClearingRestartsTheRingAtSlotOne) {
  TZoomStack stack;
  for (int i = 1; i <= 20; ++i)
    stack.Push(View(i));
  stack.Clear();
  EXPECT_EQ(stack.NextSlot(), 1);
  for (int k = TZoomStack::OldestIndex; k <= 0; ++k)
    EXPECT_EQ(stack.At(k), TgmZoomStackEntry{});
  stack.Push(View(1));
  EXPECT_EQ(stack.Slot(1), View(1));
  EXPECT_EQ(stack.At(0), View(1));
}

TEST(ZoomStack, SixteenPushesAfterClearingForgetTheClearedView) {
  TMapView view;
  view.SetMagnification(3);
  view.ClearHistory();
  TZoomStack& stack = view.ZoomStack();
  for (int i = 1; i <= 16; ++i)
    stack.Push(View(i));
  EXPECT_EQ(stack.At(-15), View(1));
  EXPECT_EQ(stack.At(0), View(16));
  EXPECT_EQ(stack.At(1), TgmZoomStackEntry{});
  EXPECT_EQ(stack.At(-16), TgmZoomStackEntry{});
  EXPECT_EQ(stack.NextSlot(), 2);
  EXPECT_THROW((void)stack.Slot(0), std::out_of_range);
  EXPECT_THROW((void)stack.Slot(17), std::out_of_range);
}

} // namespace
} // namespace kartavo
