#include "kartavo/package/package.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> Counters() {
  std::vector<int> c;
  for (const auto& m : kartavo::GetPackageInfoTable())
    c.push_back(m.Counter());
  return c;
}

std::vector<int> Releases() {
  std::vector<int> r;
  for (const auto& m : kartavo::GetPackageInfoTable())
    r.push_back(m.Releases());
  return r;
}

std::vector<int> Plus(std::vector<int> v, int d) {
  for (int& x : v)
    x += d;
  return v;
}

TEST(Package, ModulesInStartUpOrder) {
  std::vector<std::string> names;
  for (const auto& m : kartavo::GetPackageInfoTable())
    names.emplace_back(m.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"geobasics", "geodb", "geomap", "geoatlas"}));
}

TEST(Package, LoadingTheLibraryStartedEveryModuleOnce) {
  EXPECT_EQ(Counters(), (std::vector<int>{-1, -1, -1, -1}));
  EXPECT_EQ(Releases(), (std::vector<int>{0, 0, 0, 0}));
}

TEST(Package, OnlyTheShutDownThatUndoesTheLastStartUpReleases) {
  const auto released = Releases();
  kartavo::LoadPackage();
  EXPECT_EQ(Counters(), (std::vector<int>{-2, -2, -2, -2}));
  kartavo::UnloadPackage();
  EXPECT_EQ(Counters(), (std::vector<int>{-1, -1, -1, -1}));
  EXPECT_EQ(Releases(), released);
  kartavo::UnloadPackage();
  EXPECT_EQ(Counters(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Releases(), Plus(released, 1));
  // A repeated shut-down counts on but does no work.
  kartavo::UnloadPackage();
  EXPECT_EQ(Counters(), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(Releases(), Plus(released, 1));
  // Back to the state of a loaded library.
  kartavo::LoadPackage();
  kartavo::LoadPackage();
  EXPECT_EQ(Counters(), (std::vector<int>{-1, -1, -1, -1}));
  kartavo::UnloadPackage();
  EXPECT_EQ(Releases(), Plus(released, 2));
  kartavo::LoadPackage();
}

TEST(Package, ModuleCounterOnItsOwn) {
  kartavo::TModuleCounter c;
  c.StartUp();
  c.StartUp();
  EXPECT_EQ(c.Count(), -2);
  EXPECT_FALSE(c.ShutDown());
  EXPECT_TRUE(c.ShutDown());
  EXPECT_EQ(c.Count(), 0);
  EXPECT_FALSE(c.ShutDown());
  EXPECT_EQ(c.Count(), 1);
}

TEST(Exceptions, ModuleErrorsAreSuiteErrorsWithTheirText) {
  fw::TComponent map(nullptr);
  map.SetName("GeoMap1");
  const auto text = kartavo::ComponentMessage(map, "insufficient memory");
  EXPECT_EQ(text, "Component \"GeoMap1\": insufficient memory");
  try {
    throw kartavo::EORVGeoMapError(text);
  } catch (const quillon::EORVError& e) {
    EXPECT_EQ(e.what(), text);
  }
  EXPECT_THROW(throw kartavo::EORVGeoDBError("x"), std::runtime_error);
  EXPECT_THROW(throw kartavo::EORVGeoBasicsError("x"), quillon::EORVError);
}

} // namespace
