// sql: builds a SQLite file from one or more SQL scripts (schema and rows).

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "store/sqlite/database.h"
#include "tools/generator.h"

namespace {

int build_from_sql(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        std::cerr << "usage: sql OUT.db SCRIPT.sql [SCRIPT.sql ...]\n";
        return 2;
    }
    const std::filesystem::path out = args[0];
    const std::filesystem::path partial = out.string() + ".partial";
    std::filesystem::remove(partial);
    {
        auto db = pelvane::store::Database::open(partial, pelvane::store::Database::Mode::Create);
        for (std::size_t i = 1; i < args.size(); ++i) {
            std::ifstream in(args[i], std::ios::binary);
            if (!in) throw std::runtime_error("cannot read " + args[i]);
            std::stringstream sql;
            sql << in.rdbuf();
            db.execute_script(sql.str());
        }
    }
    std::filesystem::rename(partial, out);
    return 0;
}

PELVANE_GENERATOR({"sql", "OUT.db SCRIPT.sql [SCRIPT.sql ...]", build_from_sql});

}  // namespace
