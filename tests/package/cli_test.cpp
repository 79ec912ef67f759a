// The command-line program's frame: version, help and exit codes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Run {
  int Status;
  std::string Out;
};

Run RunCli(const std::string& args) {
  const std::string cmd = std::string("\"") + KARTAVO_CLI + "\" " + args + " 2>&1";
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return {-1, ""};
  std::string out;
  std::array<char, 4096> buf{};
  size_t n = 0;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
    out.append(buf.data(), n);
  const int st = ::pclose(p);
  return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, out};
}

TEST(Cli, VersionAndHelp) {
  auto v = RunCli("--version");
  EXPECT_EQ(v.Status, 0);
  EXPECT_NE(v.Out.find("kartavo "), std::string::npos) << v.Out;
  auto h = RunCli("--help");
  EXPECT_EQ(h.Status, 0);
  EXPECT_NE(h.Out.find("demo"), std::string::npos) << h.Out;
  auto dh = RunCli("demo --help");
  EXPECT_EQ(dh.Status, 0);
  EXPECT_NE(dh.Out.find("DIR"), std::string::npos) << dh.Out;
}

TEST(Cli, UsageErrorsExitWithTwo) {
  const auto unknown = RunCli("no-such-subcommand");
  EXPECT_EQ(unknown.Status, 2);
  EXPECT_NE(unknown.Out.find("unknown subcommand \"no-such-subcommand\""), std::string::npos)
      << unknown.Out;
  EXPECT_EQ(RunCli("").Status, 2);
  EXPECT_EQ(RunCli("--no-such-option").Status, 2);
}

// Output that cannot be written is a failure, not a success that printed nothing.
TEST(Cli, WriteErrorsExitWithOne) {
  for (const char* args : {"utm 1 1", "ellipsoids", "helmert 269 183 1 1"}) {
    const auto r = RunCli(std::string(args) + " >/dev/full");
    EXPECT_EQ(r.Status, 1) << args;
  }
}

} // namespace
