// The command-line program is a set of subcommands, each in its own file,
// that register themselves at start-up. Exit status: 0 success, 1 bad input
// (one line naming the input), 2 usage error (CLI11 reports it).
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace fw {
class THeadlessBackend;
}

namespace kcli {

enum ExitCode : int { exitOk = 0, exitBadInput = 1, exitUsage = 2 };

// Adds one subcommand to the root application. The setup creates the
// subcommand and installs its callback; the callback reports its exit status
// through SetExitCode (or raises, which counts as bad input).
using CommandSetup = std::function<void(CLI::App& root)>;

struct CommandRegistrar {
  CommandRegistrar(int order, CommandSetup setup);
};

// One section of `kartavo demo`: writes its report to out and may leave
// files in dir (which exists). Sections run in ascending order.
using DemoSection = std::function<void(std::ostream& out, const std::filesystem::path& dir)>;

struct DemoRegistrar {
  DemoRegistrar(int order, std::string title, DemoSection section);
};

// The display-less screen, through which demo sections post input; null,
// after saying so on out, when the program runs on another screen.
fw::THeadlessBackend* DemoInput(std::ostream& out);

void SetExitCode(int code);

// Parses a whole field as a finite double (see ParseNumber); false on anything else.
bool ParseDouble(const std::string& text, double& value);
bool ParseInt(const std::string& text, int& value);

} // namespace kcli
