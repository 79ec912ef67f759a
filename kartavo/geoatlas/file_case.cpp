#include "kartavo/geoatlas/detail/file_case.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace kartavo {
namespace fs = std::filesystem;
namespace {

bool SameWithoutCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && LowerFileName(a) == LowerFileName(b);
}

// The entry of folder named like part without regard to letter case.
std::optional<fs::path> MatchInFolder(const fs::path& folder, const fs::path& part) {
  std::error_code ec;
  std::optional<fs::path> best;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return std::nullopt;
  for (const fs::directory_entry& e : it) {
    const fs::path name = e.path().filename();
    if (SameWithoutCase(name.string(), part.string()) && (!best || name < *best)) best = name;
  }
  return best;
}

} // namespace

std::string LowerFileName(const std::string& Name) {
  std::string out = Name;
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

std::string ExistingFileSpelling(const std::string& Name) {
  std::error_code ec;
  if (Name.empty()) return {};
  if (fs::is_regular_file(Name, ec)) return Name;
  const fs::path given(Name);
  fs::path found = given.root_path();
  for (const fs::path& part : given.relative_path()) {
    if (fs::exists(found / part, ec)) {
      found /= part;
      continue;
    }
    const std::optional<fs::path> match = MatchInFolder(found, part);
    if (!match) return {};
    found /= *match;
  }
  return fs::is_regular_file(found, ec) ? found.string() : std::string();
}

} // namespace kartavo
