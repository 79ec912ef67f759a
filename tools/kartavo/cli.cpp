#include "cli.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
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

void ForEachInputLine(const std::vector<std::string>& words,
                      const std::function<void(const std::string&, int)>& fn) {
  if (!words.empty()) {
    std::string line;
    for (const auto& w : words)
      line += (line.empty() ? "" : " ") + w;
    fn(line, 1);
    return;
  }
  std::string line;
  int no = 0;
  while (std::getline(std::cin, line)) {
    ++no;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    fn(line, no);
  }
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : line) {
    if (c == ' ' || c == '\t' || c == ',' || c == ';') {
      if (!cur.empty()) out.push_back(std::move(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(std::move(cur));
  return out;
}

bool ParseDouble(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool ParseInt(const std::string& text, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + text.size() || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
    return false;
  value = static_cast<int>(v);
  return true;
}

} // namespace kcli

int main(int argc, char** argv) {
  CLI::App app{"kartavo: geodesy, geographic databases and calibrated raster maps", "kartavo"};
  app.set_version_flag("--version", std::string("kartavo ") + KARTAVO_VERSION);
  app.require_subcommand(1);
  kcli::AddDemoCommand(app);
  for (auto& [order, setup] : kcli::Commands())
    setup(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int rc = app.exit(e);
    return rc == 0 ? 0 : kcli::exitUsage;
  } catch (const std::exception& e) {
    std::cerr << "kartavo: " << e.what() << '\n';
    return kcli::exitBadInput;
  }
  return kcli::ExitCodeSlot();
}
