#pragma once
// The whole content of a database file as text, for comparing files: each table's
// CREATE statement and rows (rowid order, values with their types), the project's
// history itself left out.

#include <string>

#include "store/sqlite/database.h"

namespace pelvane::testing {

std::string table_dump(const store::Database& db);

}  // namespace pelvane::testing
