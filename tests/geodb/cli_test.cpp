// The `kartavo db` subcommands run as a user runs them.
#include "../cli_run.h"
#include "geodb_fixture.h"

#include <map>

using namespace geodb_test;

namespace {

using kartavo::clitest::CliResult;
using kartavo::clitest::RunCliLine;

class DbCommand : public GeoDBTest {};

TEST_F(DbCommand, AddListGetDeleteAndMaintain) {
  EXPECT_EQ(RunCliLine("db add-town " + base + " Graz 47.07 15.44").Out, "1\n");
  EXPECT_EQ(RunCliLine("db add-town " + base + ".orvgds Wien 48.21 16.37").Out, "2\n");
  const std::string src = (dir / "note.txt").string();
  WriteRaw(src, Bytes{'h', 'i', '\n'});
  EXPECT_EQ(RunCliLine("db put-blob " + base + " " + src).Out, "3\n");

  const CliResult info = RunCliLine("db info " + base);
  EXPECT_EQ(info.Status, 0);
  EXPECT_NE(info.Out.find("Entries:     3"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("Town: 2"), std::string::npos);

  const CliResult box = RunCliLine("db list " + base + " --bbox 48 16 49 17");
  EXPECT_EQ(box.Out, "2\t2\tTown\tWien\t48.21 48.21 16.37 16.37\n");
  const CliResult towns = RunCliLine("db list " + base + " --kind town");
  EXPECT_EQ(std::count(towns.Out.begin(), towns.Out.end(), '\n'), 2);

  const std::string out = (dir / "back.txt").string();
  EXPECT_EQ(RunCliLine("db get-blob " + base + " 3 " + out).Status, 0);
  EXPECT_EQ(ReadRaw(out), (Bytes{'h', 'i', '\n'}));
  EXPECT_NE(RunCliLine("db get " + base + " 3").Out.find("file path: " + src), std::string::npos);

  EXPECT_EQ(RunCliLine("db delete " + base + " 1").Status, 0);
  EXPECT_EQ(RunCliLine("db list " + base).Out.substr(0, 6), "1\t3\tBL");
  EXPECT_EQ(RunCliLine("db reindex " + base).Status, 0);
  EXPECT_EQ(RunCliLine("db gc " + base).Status, 0);
  EXPECT_NE(RunCliLine("db dump " + base).Out.find("Index LatLow"), std::string::npos);
}

TEST_F(DbCommand, BadInputNamesTheInput) {
  const CliResult missing = RunCliLine("db info " + base);
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Out.find("does not exist"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(File(".orvgds"))); // reading never creates
  RunCliLine("db add-town " + base + " A 1 2");
  const CliResult range = RunCliLine("db get " + base + " 7");
  EXPECT_EQ(range.Status, 1);
  EXPECT_NE(range.Out.find("\"7\""), std::string::npos);
  EXPECT_EQ(RunCliLine("db add-town " + base + " B 95 0").Status, 1);
  EXPECT_EQ(RunCliLine("db list " + base + " --kind Mountain").Status, 1);
  EXPECT_EQ(RunCliLine("db get-blob " + base + " 1 " + (dir / "x").string()).Status, 1);
  EXPECT_EQ(RunCliLine("db").Status, 2);
  EXPECT_EQ(RunCliLine("db list " + base + " --bbox 1 2").Status, 2);
}

// The sequence: a summary cut to 1000 bytes, then gc. The data
// must survive, and every command must say what is wrong.
TEST_F(DbCommand, DamagedDatabaseIsReportedAndNeverCollected) {
  const std::string src = (dir / "note.txt").string();
  WriteRaw(src, Bytes(200, 'n'));
  for (int i = 0; i < 22; ++i)
    RunCliLine("db " +
               std::string(i % 2 ? "add-town " + base + " T 1 2" : "put-blob " + base + " " + src));
  Bytes summary = Raw(".orvgds");
  summary.resize(1000);
  WriteRaw(File(".orvgds"), summary);
  const auto dataSize = std::filesystem::file_size(File(".orvgdd"));

  const CliResult info = RunCliLine("db info " + base);
  EXPECT_EQ(info.Status, 1);
  EXPECT_NE(info.Out.find("Entries:     8"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("is damaged"), std::string::npos) << info.Out;
  const CliResult gc = RunCliLine("db gc " + base);
  EXPECT_EQ(gc.Status, 1);
  EXPECT_NE(gc.Out.find("GarbageCollection: the database is damaged"), std::string::npos) << gc.Out;
  EXPECT_EQ(RunCliLine("db add-town " + base + " X 1 1").Status, 1);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), dataSize);
  EXPECT_EQ(Raw(".orvgds"), summary);

  const CliResult check = RunCliLine("db check " + base);
  EXPECT_EQ(check.Status, 1);
  EXPECT_NE(check.Out.find("damaged: summary file"), std::string::npos) << check.Out;
  const std::string saved = (dir / "saved").string();
  const CliResult recover = RunCliLine("db recover " + base + " " + saved);
  EXPECT_EQ(recover.Status, 0) << recover.Out;
  EXPECT_NE(recover.Out.find("recovered 8 entries"), std::string::npos) << recover.Out;
  EXPECT_EQ(RunCliLine("db check " + saved).Out.find("status: sound") != std::string::npos, true);
  EXPECT_EQ(RunCliLine("db get-blob " + saved + " 7 " + (dir / "back").string()).Status, 0);
  EXPECT_EQ(ReadRaw((dir / "back").string()), Bytes(200, 'n'));
  EXPECT_EQ(RunCliLine("db recover " + base + " " + saved).Status, 1); // never over a database
}

// Reading commands open read-only: no file appears, none changes, even
// where an opening for writing would mend something.
TEST_F(DbCommand, ReadingCommandsNeverCreateOrChangeFiles) {
  for (const char* cmd : {"info", "list", "dump", "get", "get-blob", "check"}) {
    const std::string extra = std::string(cmd) == "get"        ? " 1"
                              : std::string(cmd) == "get-blob" ? " 1 " + (dir / "o").string()
                                                               : "";
    const CliResult r = RunCliLine("db " + std::string(cmd) + " " + base + extra);
    EXPECT_EQ(r.Status, 1) << cmd << ": " << r.Out;
    EXPECT_NE(r.Out.find("does not exist"), std::string::npos) << cmd << ": " << r.Out;
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << cmd;
  }
  RunCliLine("db add-town " + base + " A 1 2");
  RunCliLine("db add-town " + base + " B 3 4");
  std::filesystem::remove(File(".orvgi2"));
  WriteRaw(File(".orvgi1"), Bytes(8, 0));
  std::map<std::string, Bytes> before;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    before[e.path().filename().string()] = ReadRaw(e.path().string());
  for (const char* cmd : {"info", "list", "dump", "get", "check"}) {
    const std::string extra = std::string(cmd) == "get" ? " 2" : "";
    EXPECT_EQ(RunCliLine("db " + std::string(cmd) + " " + base + extra).Status, 0) << cmd;
  }
  std::map<std::string, Bytes> after;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    after[e.path().filename().string()] = ReadRaw(e.path().string());
  EXPECT_EQ(after, before);
}

} // namespace
