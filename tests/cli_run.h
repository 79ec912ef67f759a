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

// Each argument is passed as one word, whatever it holds.
inline CliResult RunCli(std::initializer_list<std::string> args, const std::string& input = "") {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("kartavo-cli-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "in", std::ios::binary) << input;
  std::string command = "'" KARTAVO_CLI "'";
  for (const std::string& a : args) {
    std::string quoted;
    for (char c : a)
      quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += " '" + quoted + "'";
  }
  command += " <'" + (dir / "in").string() + "' >'" + (dir / "out").string() + "' 2>'" +
             (dir / "err").string() + "'";
  const int raw = std::system(command.c_str());
  CliResult r;
  r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.Out = ReadWhole(dir / "out");
  r.Err = ReadWhole(dir / "err");
  fs::remove_all(dir);
  return r;
}

} // namespace kartavo::clitest
