#include "kartavo/framework/errors.h"
#include "kartavo/framework/object.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the order in which components are destroyed.
class TProbe : public fw::TComponent {
public:
  TProbe(fw::TComponent* owner, std::string name, std::vector<std::string>& log)
      : TComponent(owner), FLog(log) {
    SetName(name);
  }
  ~TProbe() override { FLog.push_back(Name()); }

private:
  std::vector<std::string>& FLog;
};

TEST(Component, OwnerFreesItsComponentsInReverseOrderOfCreation) {
  std::vector<std::string> log;
  auto* root = new TProbe(nullptr, "root", log);
  new TProbe(root, "a", log);
  auto* b = new TProbe(root, "b", log);
  new TProbe(b, "b1", log);
  EXPECT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->Components(1), b);
  EXPECT_EQ(b->Owner(), root);
  delete root;
  // Each destructor body runs before the owned components go: the owner
  // first, then b (created last) with its own b1, then a.
  EXPECT_EQ(log, (std::vector<std::string>{"root", "b", "b1", "a"}));
}

TEST(Component, FreeingAnOwnedComponentTakesItOffItsOwner) {
  std::vector<std::string> log;
  TProbe root(nullptr, "root", log);
  auto* a = new TProbe(&root, "a", log);
  new TProbe(&root, "b", log);
  delete a;
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0)->Name(), "b");
  EXPECT_THROW(root.Components(1), std::out_of_range);
}

TEST(Component, DesigningAndLoadingFlags) {
  fw::TComponent c(nullptr);
  EXPECT_EQ(c.ComponentState(), 0);
  c.SetDesigning(true);
  c.SetLoading(true);
  EXPECT_TRUE(c.ComponentState() & fw::csDesigning);
  EXPECT_TRUE(c.ComponentState() & fw::csLoading);
  c.SetLoading(false);
  EXPECT_EQ(c.ComponentState(), fw::csDesigning);
}

class TPoint3 : public fw::TPersistent {
public:
  double X = 0;
  void Assign(const fw::TPersistent* Source) override {
    if (auto* p = dynamic_cast<const TPoint3*>(Source)) {
      X = p->X;
      return;
    }
    TPersistent::Assign(Source);
  }
};

class TOther : public fw::TPersistent {};

TEST(Persistent, AssignBetweenUnrelatedClassesRaisesNamingBoth) {
  TPoint3 a, b;
  b.X = 4;
  a.Assign(&b);
  EXPECT_EQ(a.X, 4);
  TOther other;
  try {
    a.Assign(&other);
    FAIL() << "no error";
  } catch (const fw::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TOther to a TPoint3");
  }
  EXPECT_THROW(a.Assign(nullptr), fw::EConvertError);
  EXPECT_EQ(a.ClassName(), "TPoint3");
}

} // namespace
