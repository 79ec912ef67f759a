#include "ctl_test_support.h"

#include "kartavo/framework/panel.h"

using namespace ctl_test;

TEST_F(ControlTest, ClientAlignedControlFillsWhatTheEdgesLeave) {
  auto form = Probe("form", nullptr, 0, 0, 300, 200);
  fw::TPanel top(nullptr);
  top.SetHeight(33);
  top.SetAlign(fw::alTop);
  top.SetParent(form.get());
  auto map = Probe("map", form.get(), 5, 5, 10, 10);
  int resized = 0;
  map->OnResize = [&](fw::TObject*) { ++resized; };
  map->SetAlign(fw::alClient);
  EXPECT_EQ(map->BoundsRect(), fw::Rect(0, 33, 300, 200));
  EXPECT_EQ(top.BoundsRect(), fw::Rect(0, 0, 300, 33));
  EXPECT_EQ(map->Surface()->Width(), 300);
  EXPECT_EQ(map->Surface()->Height(), 167);
  EXPECT_EQ(resized, 1);

  form->SetBounds(0, 0, 400, 250); // the parent grows: both follow
  EXPECT_EQ(map->BoundsRect(), fw::Rect(0, 33, 400, 250));
  EXPECT_EQ(top.Width(), 400);
  EXPECT_EQ(map->Surface()->Width(), 400);
  EXPECT_EQ(resized, 2);

  top.Hide(); // a hidden edge control gives its room back
  EXPECT_EQ(map->BoundsRect(), fw::Rect(0, 0, 400, 250));
  top.Show();
  map->SetBounds(7, 7, 50, 50); // an aligned control keeps its place
  EXPECT_EQ(map->BoundsRect(), fw::Rect(0, 33, 400, 250));
}

TEST_F(ControlTest, EdgeAlignmentsStackInOrder) {
  auto form = Probe("form", nullptr, 0, 0, 300, 200);
  auto bottom = Probe("bottom", form.get(), 0, 0, 10, 20);
  auto left = Probe("left", form.get(), 0, 0, 30, 10);
  auto right = Probe("right", form.get(), 0, 0, 40, 10);
  auto client = Probe("client", form.get(), 0, 0, 1, 1);
  bottom->SetAlign(fw::alBottom);
  left->SetAlign(fw::alLeft);
  right->SetAlign(fw::alRight);
  client->SetAlign(fw::alClient);
  EXPECT_EQ(bottom->BoundsRect(), fw::Rect(0, 180, 300, 200));
  EXPECT_EQ(left->BoundsRect(), fw::Rect(0, 0, 30, 180));
  EXPECT_EQ(right->BoundsRect(), fw::Rect(260, 0, 300, 180));
  EXPECT_EQ(client->BoundsRect(), fw::Rect(30, 0, 260, 180));
  form->SetBounds(0, 0, 50, 10); // too small: nothing goes negative
  EXPECT_GE(client->Width(), 0);
  EXPECT_GE(client->Height(), 0);
}

TEST_F(ControlTest, BoundsAndCoordinates) {
  auto form = Probe("form", nullptr, 100, 50, 300, 200);
  auto child = Probe("child", form.get(), 10, 20, 50, 40);
  EXPECT_EQ(child->ClientToScreen(fw::Point(1, 2)), fw::Point(111, 72));
  EXPECT_EQ(child->ScreenToClient(fw::Point(111, 72)), fw::Point(1, 2));
  child->SetBounds(0, 0, -5, -1);
  EXPECT_EQ(child->Width(), 0);
  EXPECT_EQ(child->Height(), 0);
  EXPECT_THROW(form->SetParent(child.get()), std::invalid_argument);
  EXPECT_THROW(child->SetBounds(0, 0, 1 << 20, 1 << 20), fw::EInvalidGraphic);
  EXPECT_EQ(child->Width(), 0); // a refused size changes nothing
}

TEST_F(ControlTest, DestroyingAParentDestroysItsChildren) {
  auto form = std::make_unique<TProbe>(Log, "form");
  auto* child = new TProbe(Log, "child");
  child->SetParent(form.get());
  auto* grandchild = new TProbe(Log, "grandchild");
  grandchild->SetParent(child);
  EXPECT_EQ(form->ControlCount(), 1);
  form.reset(); // the sanitizer build sees any leak or double free
  SUCCEED();
}

TEST_F(ControlTest, OwnedChildrenGoWithTheirOwner) {
  auto owner = std::make_unique<fw::TPanel>(nullptr);
  auto* inner = new fw::TPanel(owner.get());
  inner->SetParent(owner.get());
  auto* other = new fw::TPanel(owner.get()); // owned, on the desktop
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete inner; // leaves both lists
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->ControlCount(), 0);
  EXPECT_EQ(other->Owner(), owner.get());
}
