#include "cli.h"
#include "line_stream.h"

#include "kartavo/framework/headless_backend.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>

namespace kcli {
namespace {

struct DemoEntry {
  int order;
  std::string title;
  DemoSection section;
};

std::multimap<int, CommandSetup>& Commands() {
  static std::multimap<int, CommandSetup> commands;
  return commands;
}

std::vector<DemoEntry>& Demos() {
  static std::vector<DemoEntry> demos;
  return demos;
}

int& ExitCodeSlot() {
  static int code = exitOk;
  return code;
}

void AddDemoCommand(CLI::App& root) {
  auto* sub = root.add_subcommand("demo", "Run the main job on embedded sample data");
  auto dir = std::make_shared<std::string>("kartavo-demo");
  sub->add_option("DIR", *dir, "Folder for the files the demo writes")->capture_default_str();
  sub->callback([dir] {
    std::filesystem::create_directories(*dir);
    auto demos = Demos();
    std::stable_sort(demos.begin(), demos.end(),
                     [](const DemoEntry& a, const DemoEntry& b) { return a.order < b.order; });
    for (const auto& d : demos) {
      std::cout << "== " << d.title << " ==\n";
      d.section(std::cout, *dir);
      std::cout << '\n';
    }
    std::cout << "Files written to " << std::filesystem::absolute(*dir).string() << '\n';
  });
}

} // namespace

CommandRegistrar::CommandRegistrar(int order, CommandSetup setup) {
  Commands().emplace(order, std::move(setup));
}

DemoRegistrar::DemoRegistrar(int order, std::string title, DemoSection section) {
  Demos().push_back({order, std::move(title), std::move(section)});
}

void SetExitCode(int code) { ExitCodeSlot() = code; }

bool ParseDouble(const std::string& text, double& value) { return ParseNumber(text, value); }

bool ParseInt(const std::string& text, int& value) { return ParseInteger(text, value); }

namespace {

// CLI11 says only that a subcommand is required when the first word is none
// of them; name the word instead.
bool IsUnknownCommand(const CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return false;
  for (const CLI::App* sub : app.get_subcommands({}))
    if (sub->check_name(argv[1])) return false;
  return true;
}

// What is still buffered for standard output goes out now; a write that
// failed at any time (a full disk, a closed pipe) is bad output, not success.
bool StandardOutputWritten() {
  std::cout.flush();
  return std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good();
}

} // namespace

fw::THeadlessBackend* DemoInput(std::ostream& out) {
  fw::THeadlessBackend* input = fw::HeadlessBackend();
  if (!input) out << "needs the display-less screen\n";
  return input;
}

} // namespace kcli

int main(int argc, char** argv) {
  CLI::App app{"kartavo: geodesy, geographic databases and calibrated raster maps", "kartavo"};
  app.set_version_flag("--version", std::string("kartavo ") + KARTAVO_VERSION);
  app.require_subcommand(1);
  kcli::AddDemoCommand(app);
  for (auto& [order, setup] : kcli::Commands())
    setup(app);
  if (kcli::IsUnknownCommand(app, argc, argv)) {
    std::cerr << "kartavo: unknown subcommand \"" << argv[1] << "\"\nRun with --help for more "
              << "information.\n";
    return kcli::exitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int rc = app.exit(e);
    return rc == 0 ? 0 : kcli::exitUsage;
  } catch (const std::exception& e) {
    kcli::StandardOutputWritten();
    std::cerr << "kartavo: " << e.what() << '\n';
    return kcli::exitBadInput;
  }
  if (!kcli::StandardOutputWritten()) {
    std::cerr << "kartavo: cannot write standard output: " << std::strerror(errno) << '\n';
    return kcli::exitBadInput;
  }
  return kcli::ExitCodeSlot();
}
