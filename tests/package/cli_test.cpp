// The command-line program's frame: version, help and exit codes.
#include "../cli_run.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kartavo::clitest::RunCliLine;

TEST(Cli, VersionAndHelp) {
  auto v = RunCliLine("--version");
  EXPECT_EQ(v.Status, 0);
  EXPECT_NE(v.Out.find("kartavo "), std::string::npos) << v.Out;
  auto h = RunCliLine("--help");
  EXPECT_EQ(h.Status, 0);
  EXPECT_NE(h.Out.find("demo"), std::string::npos) << h.Out;
  auto dh = RunCliLine("demo --help");
  EXPECT_EQ(dh.Status, 0);
  EXPECT_NE(dh.Out.find("DIR"), std::string::npos) << dh.Out;
}

TEST(Cli, UsageErrorsExitWithTwo) {
  const auto unknown = RunCliLine("no-such-subcommand");
  EXPECT_EQ(unknown.Status, 2);
  EXPECT_NE(unknown.Out.find("unknown subcommand \"no-such-subcommand\""), std::string::npos)
      << unknown.Out;
  EXPECT_EQ(RunCliLine("").Status, 2);
  EXPECT_EQ(RunCliLine("--no-such-option").Status, 2);
}

// Output that cannot be written is a failure, not a success that printed nothing.
TEST(Cli, WriteErrorsExitWithOne) {
  for (const char* args : {"utm 1 1", "ellipsoids", "helmert 269 183 1 1"}) {
    const auto r = RunCliLine(std::string(args) + " >/dev/full");
    EXPECT_EQ(r.Status, 1) << args;
  }
}

} // namespace
