#include "db_open.h"
#include "cli.h"

#include "kartavo/geodb/detail/gdb_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace kcli {

// A name with or without one of the database's own extensions (.orvgds,
// .orvgdd, .orvgi0 ... .orvgi4, any case); any other dot belongs to the
// name ("roads.2024"), so the summary extension goes on before the
// database drops the last extension of the name it is given.
std::string CheckDatabaseName(std::string& name) {
  if (name.find_first_not_of(" \t") == std::string::npos) return "the database name is empty";
  const size_t dot = name.find_last_of("./");
  std::string ext = dot == std::string::npos || name[dot] == '/' ? "" : name.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const bool own = ext == kartavo::kSummarySuffix || ext == kartavo::kDataSuffix ||
                   (ext.size() == kartavo::kIndexSuffix.size() + 1 &&
                    ext.compare(0, kartavo::kIndexSuffix.size(), kartavo::kIndexSuffix) == 0 &&
                    ext.back() >= '0' && ext.back() <= '4');
  if (!own) name += kartavo::kSummarySuffix;
  return {};
}

// Changing a damaged database is refused by the database itself.
std::unique_ptr<kartavo::TGeoDB> OpenDB(const std::string& name, Access access) {
  const kartavo::TGdbFileNames files =
      kartavo::TGdbFileNames::FromBase(kartavo::TGdbFileNames::BaseOf(name));
  if (access != Access::Create && !std::filesystem::exists(files.Summary) &&
      !std::filesystem::exists(files.Data))
    throw std::runtime_error("database \"" + name + "\" does not exist");
  auto db = std::make_unique<kartavo::TGeoDB>(nullptr);
  db->SetName("kartavo");
  db->SetReadOnly(access == Access::Read);
  db->SetDBName(name);
  if (access == Access::Read && db->Damaged()) {
    std::cerr << "kartavo: warning: database \"" << name << "\" is damaged ("
              << db->Damage().front()
              << "); what is shown may be incomplete; see `kartavo db check`\n";
    kcli::SetExitCode(kcli::exitBadInput);
  }
  return db;
}

} // namespace kcli
