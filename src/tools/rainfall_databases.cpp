// rainfall: builds VArainfall.rdb, VARMSTORM.rdb and VARMNOAA.rdb from the county
// and station lists, and fills in the coefficients of every NOAA precipitation
// frequency export given, fitted exactly as the import in the program fits them.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/hydrology/idf_csv.h"
#include "core/hydrology/noaa_fit.h"
#include "core/text/number_text.h"
#include "forms/idf_problems.h"
#include "store/rainfall_database.h"
#include "tools/generator.h"

namespace {

using namespace pelvane;
using store::RainfallFile;

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Rows of a one-header CSV, as cells.
std::vector<hydrology::CsvRow> rows_of(const std::string& path, std::size_t columns) {
    std::vector<hydrology::CsvRow> rows;
    const auto lines = hydrology::read_csv(slurp(path));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].cells.empty()) continue;
        if (lines[i].cells.size() != columns) {
            throw std::runtime_error(path + " line " + std::to_string(lines[i].number) +
                                     ": expected " + std::to_string(columns) + " cells");
        }
        rows.push_back(lines[i].cells);
    }
    return rows;
}

int build_rainfall(const std::vector<std::string>& args) {
    if (args.size() < 3 || (args.size() - 3) % 2 != 0) {
        std::cerr << "usage: rainfall OUT_DIR COUNTIES.csv STATIONS.csv [NAME EXPORT.csv ...]\n";
        return 2;
    }
    const std::filesystem::path out = args[0];
    const auto counties = rows_of(args[1], 2);  // COUNTY_NO, COUNTY_NAME
    const auto stations = rows_of(args[2], 1);  // NOAA_STATION

    struct Build {
        RainfallFile file;
        std::filesystem::path partial;
        store::Database db;
    };
    std::vector<Build> builds;
    for (const auto file : {RainfallFile::Legacy, RainfallFile::County, RainfallFile::Station}) {
        const auto partial = out / (store::file_name(file) + ".partial");
        std::filesystem::remove(partial);
        auto db = store::Database::open(partial, store::Database::Mode::Create);
        store::create_rainfall_tables(db, file);
        store::Transaction names(db);
        if (file == RainfallFile::Station) {
            for (const auto& s : stations) store::add_rainfall_name(db, file, s[0]);
            for (const auto& c : counties) store::add_noaa_county(db, c[1]);
        } else {
            for (const auto& c : counties) {
                const auto number = text::parse_number(c[0]);
                if (!number.ok()) throw std::runtime_error("county number \"" + c[0] + "\"");
                store::add_rainfall_name(db, file, c[1], static_cast<int>(number.value));
            }
        }
        names.commit();
        builds.push_back({file, partial, std::move(db)});
    }

    for (std::size_t i = 3; i < args.size(); i += 2) {
        const std::string& name = args[i];
        const auto table = hydrology::parse_noaa_export(slurp(args[i + 1]));
        if (!table)
            throw std::runtime_error(args[i + 1] + ": " + forms::idf_problem_text(table.problem()));
        const auto fit = hydrology::fit_noaa_export(table.value());
        if (!fit)
            throw std::runtime_error(args[i + 1] + ": " + forms::idf_problem_text(fit.problem()));
        int written = 0;
        for (auto& b : builds) {
            if (!store::find_stored_name(b.db, b.file, name)) continue;
            store::write_coefficients(
                b.db, b.file,
                {hydrology::coefficient_row(fit.value(), name, store::table_kind(b.file))});
            ++written;
        }
        if (written == 0) throw std::runtime_error(name + " is neither a county nor a station");
    }

    for (auto& b : builds) {
        b.db.close();
        std::filesystem::rename(b.partial, out / store::file_name(b.file));
    }
    return 0;
}

PELVANE_GENERATOR({"rainfall", "OUT_DIR COUNTIES.csv STATIONS.csv [NAME EXPORT.csv ...]",
                   build_rainfall});

}  // namespace
