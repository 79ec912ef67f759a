// Runs the built kartavo program with arguments and standard input, and
// collects its exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kartavo::clitest {

struct CliResult {
  int Status = -1;
  std::string Out, Err;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The lines of a text, without their line breaks.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// Runs a shell command line with the input on its standard input. Out holds
// what it printed on standard output, Err on standard error; a line that
// ends in 2>&1 has both in Out, in the order printed.
inline CliResult RunShell(const std::string& line, const std::string& input = "") {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("kartavo-cli-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "in", std::ios::binary) << input;
  const std::string command = "(" + line + ") <'" + (dir / "in").string() + "' >'" +
                              (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
  const int raw = std::system(command.c_str());
  CliResult r;
  r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.Out = ReadWhole(dir / "out");
  r.Err = ReadWhole(dir / "err");
  fs::remove_all(dir);
  return r;
}

// Runs a shell command line: its exit status and, in Out, all it printed.
inline CliResult RunCommand(const std::string& line) { return RunShell(line + " 2>&1"); }

// Runs the kartavo program; each argument is passed as one word, whatever
// it holds.
inline CliResult RunCli(std::initializer_list<std::string> args, const std::string& input = "") {
  std::string command = "'" KARTAVO_CLI "'";
  for (const std::string& a : args) {
    std::string quoted;
    for (char c : a)
      quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += " '" + quoted + "'";
  }
  return RunShell(command, input);
}

// Runs the kartavo program with arguments written as in a shell command line
// (words split at blanks, redirections allowed); Out holds all it printed,
// standard error too.
inline CliResult RunCliLine(const std::string& args, const std::string& input = "") {
  return RunShell("'" KARTAVO_CLI "' " + args + " 2>&1", input);
}

} // namespace kartavo::clitest
