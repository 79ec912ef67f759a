// Naming and opening a geographic database from the command line, shared by
// `kartavo db` and the commands that draw from a database.
#pragma once

#include "kartavo/geodb/geo_db.h"

#include <memory>
#include <string>

namespace kcli {

// Completes a database name given with or without one of its own
// extensions; returns what is wrong with it, or "" (a CLI11 validator).
std::string CheckDatabaseName(std::string& name);

enum class Access { Read, Change, Create };

// Opens a database: reading never creates or changes a file (it opens
// read-only), changing needs an existing database, only the adding commands
// may create one. A database that does not exist raises std::runtime_error
// naming it; reading a damaged one says so on standard error and sets exit
// status 1.
std::unique_ptr<kartavo::TGeoDB> OpenDB(const std::string& name, Access access);

} // namespace kcli
