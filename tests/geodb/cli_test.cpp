// The `kartavo db` subcommands run as a user runs them.
#include "geodb_fixture.h"

#include <array>
#include <cstdio>
#include <map>
#include <sys/wait.h>

using namespace geodb_test;

namespace {

struct CliResult {
  int status;
  std::string out;
};

CliResult Kartavo(const std::string& args) {
  const std::string cmd = std::string(KARTAVO_CLI) + " " + args + " 2>&1";
  FILE* p = ::popen(cmd.c_str(), "r");
  std::string out;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
    out.append(buf.data(), n);
  const int rc = ::pclose(p);
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
}

class DbCommand : public GeoDBTest {};

TEST_F(DbCommand, AddListGetDeleteAndMaintain) {
  EXPECT_EQ(Kartavo("db add-town " + base + " Graz 47.07 15.44").out, "1\n");
  EXPECT_EQ(Kartavo("db add-town " + base + ".orvgds Wien 48.21 16.37").out, "2\n");
  const std::string src = (dir / "note.txt").string();
  WriteRaw(src, Bytes{'h', 'i', '\n'});
  EXPECT_EQ(Kartavo("db put-blob " + base + " " + src).out, "3\n");

  const CliResult info = Kartavo("db info " + base);
  EXPECT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("Entries:     3"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Town: 2"), std::string::npos);

  const CliResult box = Kartavo("db list " + base + " --bbox 48 16 49 17");
  EXPECT_EQ(box.out, "2\t2\tTown\tWien\t48.21 48.21 16.37 16.37\n");
  const CliResult towns = Kartavo("db list " + base + " --kind town");
  EXPECT_EQ(std::count(towns.out.begin(), towns.out.end(), '\n'), 2);

  const std::string out = (dir / "back.txt").string();
  EXPECT_EQ(Kartavo("db get-blob " + base + " 3 " + out).status, 0);
  EXPECT_EQ(ReadRaw(out), (Bytes{'h', 'i', '\n'}));
  EXPECT_NE(Kartavo("db get " + base + " 3").out.find("file path: " + src), std::string::npos);

  EXPECT_EQ(Kartavo("db delete " + base + " 1").status, 0);
  EXPECT_EQ(Kartavo("db list " + base).out.substr(0, 6), "1\t3\tBL");
  EXPECT_EQ(Kartavo("db reindex " + base).status, 0);
  EXPECT_EQ(Kartavo("db gc " + base).status, 0);
  EXPECT_NE(Kartavo("db dump " + base).out.find("Index LatLow"), std::string::npos);
}

TEST_F(DbCommand, BadInputNamesTheInput) {
  const CliResult missing = Kartavo("db info " + base);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("does not exist"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(File(".orvgds"))); // reading never creates
  Kartavo("db add-town " + base + " A 1 2");
  const CliResult range = Kartavo("db get " + base + " 7");
  EXPECT_EQ(range.status, 1);
  EXPECT_NE(range.out.find("\"7\""), std::string::npos);
  EXPECT_EQ(Kartavo("db add-town " + base + " B 95 0").status, 1);
  EXPECT_EQ(Kartavo("db list " + base + " --kind Mountain").status, 1);
  EXPECT_EQ(Kartavo("db get-blob " + base + " 1 " + (dir / "x").string()).status, 1);
  EXPECT_EQ(Kartavo("db").status, 2);
  EXPECT_EQ(Kartavo("db list " + base + " --bbox 1 2").status, 2);
}

// The sequence: a summary cut to 1000 bytes, then gc. The data
// must survive, and every command must say what is wrong.
TEST_F(DbCommand, DamagedDatabaseIsReportedAndNeverCollected) {
  const std::string src = (dir / "note.txt").string();
  WriteRaw(src, Bytes(200, 'n'));
  for (int i = 0; i < 22; ++i)
    Kartavo("db " +
            std::string(i % 2 ? "add-town " + base + " T 1 2" : "put-blob " + base + " " + src));
  Bytes summary = Raw(".orvgds");
  summary.resize(1000);
  WriteRaw(File(".orvgds"), summary);
  const auto dataSize = std::filesystem::file_size(File(".orvgdd"));

  const CliResult info = Kartavo("db info " + base);
  EXPECT_EQ(info.status, 1);
  EXPECT_NE(info.out.find("Entries:     8"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("is damaged"), std::string::npos) << info.out;
  const CliResult gc = Kartavo("db gc " + base);
  EXPECT_EQ(gc.status, 1);
  EXPECT_NE(gc.out.find("GarbageCollection: the database is damaged"), std::string::npos) << gc.out;
  EXPECT_EQ(Kartavo("db add-town " + base + " X 1 1").status, 1);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), dataSize);
  EXPECT_EQ(Raw(".orvgds"), summary);

  const CliResult check = Kartavo("db check " + base);
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.out.find("damaged: summary file"), std::string::npos) << check.out;
  const std::string saved = (dir / "saved").string();
  const CliResult recover = Kartavo("db recover " + base + " " + saved);
  EXPECT_EQ(recover.status, 0) << recover.out;
  EXPECT_NE(recover.out.find("recovered 8 entries"), std::string::npos) << recover.out;
  EXPECT_EQ(Kartavo("db check " + saved).out.find("status: sound") != std::string::npos, true);
  EXPECT_EQ(Kartavo("db get-blob " + saved + " 7 " + (dir / "back").string()).status, 0);
  EXPECT_EQ(ReadRaw((dir / "back").string()), Bytes(200, 'n'));
  EXPECT_EQ(Kartavo("db recover " + base + " " + saved).status, 1); // never over a database
}

// Reading commands open read-only: no file appears, none changes, even
// where an opening for writing would mend something.
TEST_F(DbCommand, ReadingCommandsNeverCreateOrChangeFiles) {
  for (const char* cmd : {"info", "list", "dump", "get", "get-blob", "check"}) {
    const std::string extra = std::string(cmd) == "get"        ? " 1"
                              : std::string(cmd) == "get-blob" ? " 1 " + (dir / "o").string()
                                                               : "";
    const CliResult r = Kartavo("db " + std::string(cmd) + " " + base + extra);
    EXPECT_EQ(r.status, 1) << cmd << ": " << r.out;
    EXPECT_NE(r.out.find("does not exist"), std::string::npos) << cmd << ": " << r.out;
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << cmd;
  }
  Kartavo("db add-town " + base + " A 1 2");
  Kartavo("db add-town " + base + " B 3 4");
  std::filesystem::remove(File(".orvgi2"));
  WriteRaw(File(".orvgi1"), Bytes(8, 0));
  std::map<std::string, Bytes> before;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    before[e.path().filename().string()] = ReadRaw(e.path().string());
  for (const char* cmd : {"info", "list", "dump", "get", "check"}) {
    const std::string extra = std::string(cmd) == "get" ? " 2" : "";
    EXPECT_EQ(Kartavo("db " + std::string(cmd) + " " + base + extra).status, 0) << cmd;
  }
  std::map<std::string, Bytes> after;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    after[e.path().filename().string()] = ReadRaw(e.path().string());
  EXPECT_EQ(after, before);
}

} // namespace
