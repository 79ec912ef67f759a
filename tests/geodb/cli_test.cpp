// The `kartavo db` subcommands run as a user runs them.
#include "geodb_fixture.h"

#include <array>
#include <cstdio>
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

} // namespace
