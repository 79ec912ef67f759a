// How `kartavo db` reads a database name: one of the database's own
// extensions may be given or left off; any other dot belongs to the name.
#include "geodb_fixture.h"

#include "../cli_run.h"

#include <filesystem>

using namespace geodb_test;
using kartavo::clitest::RunCli;

namespace {

class DbNames : public GeoDBTest {};

TEST_F(DbNames, ADotThatIsNoDatabaseExtensionStaysInTheName) {
  const std::string roads = base + ".2024";
  ASSERT_EQ(RunCli({"db", "add-town", roads, "Bern", "46.95", "7.45"}).Out, "1\n");
  EXPECT_TRUE(std::filesystem::exists(roads + ".orvgds"));
  EXPECT_FALSE(std::filesystem::exists(base + ".orvgds"));
  for (const std::string& name : {roads, roads + ".orvgds", roads + ".orvgdd", roads + ".orvgi3"}) {
    const auto r = RunCli({"db", "list", name});
    EXPECT_EQ(r.Status, 0) << name << r.Err;
    EXPECT_NE(r.Out.find("Bern"), std::string::npos) << name;
  }
  // The plain name is another database, which does not exist.
  EXPECT_EQ(RunCli({"db", "list", base}).Status, 1);
}

TEST_F(DbNames, AnEmptyNameIsRefused) {
  for (const char* name : {"", "  "}) {
    const auto r = RunCli({"db", "info", name});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("the database name is empty"), std::string::npos) << r.Err;
  }
  EXPECT_EQ(RunCli({"db", "add-town", "", "Bern", "46.95", "7.45"}).Status, 2);
}

} // namespace
