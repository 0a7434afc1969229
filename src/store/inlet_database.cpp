#include "store/inlet_database.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <variant>

#include "core/text/number_text.h"

namespace pelvane::store {
namespace {

// A non-empty file that does not start with the database header is some other file
// picked by mistake; say so rather than what the database layer would make of it.
// (An empty file opens as an empty database and is refused for its missing table.)
void check_database_header(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return;  // the open below says why
    std::array<char, 16> header{};
    in.read(header.data(), header.size());
    const std::string_view read(header.data(), static_cast<std::size_t>(in.gcount()));
    if (!read.empty() && read != std::string_view("SQLite format 3\0", 16)) {
        throw DatabaseError("'" + path.string() + "' is not an inlet database file.");
    }
}

// A column copied into a text field: missing reads as "".
std::string text_of(const Statement& row, int column) {
    const Value v = row.value(column);
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* d = std::get_if<double>(&v)) return text::shortest_text(*d);
    if (const auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    return "";
}

// A column the pipe window computes with: a missing value or a text that is not a
// number is a failure naming the column and the inlet.
double number_of(const Statement& row, int column, std::string_view inlet) {
    const Value v = row.value(column);
    const std::string where = row.column_name(column) + " of inlet " + std::string(inlet);
    if (std::holds_alternative<std::nullptr_t>(v)) {
        throw DatabaseError("Invalid use of Null: " + where + " has no value.");
    }
    if (const auto* d = std::get_if<double>(&v)) return *d;
    if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    const auto parsed = text::parse_number(std::get<std::string>(v));
    if (!parsed.ok()) throw DatabaseError("Type mismatch: " + where + " is not a number.");
    return parsed.value;
}

}  // namespace

std::filesystem::path inlet_database_file(const std::filesystem::path& project_file,
                                          const std::string& link) {
    std::filesystem::path path(link);
    if (link.empty() || path.is_absolute()) return path;
    return (project_file.parent_path() / path).lexically_normal();
}

Database open_inlet_database(const std::filesystem::path& path) {
    check_database_header(path);
    Database db = Database::open(path, Database::Mode::ReadOnly);
    if (!db.has_table("INLET")) {
        throw DatabaseError("'" + path.string() + "' has no INLET table.");
    }
    return db;
}

std::vector<std::string> inlet_numbers(const Database& inlets) {
    // Case-blind, as a person reads a sorted list.
    Statement s =
        inlets.prepare("select INLET_NUMBER from INLET Order by INLET_NUMBER COLLATE NOCASE");
    std::vector<std::string> numbers;
    while (s.step()) numbers.push_back(text_of(s, 0));
    return numbers;
}

std::optional<pipe::InletRecord> find_inlet(const Database& inlets, std::string_view number) {
    Statement s = inlets.prepare(
        "select TOTAL_DISCHARGE, STATION, OFFSET, OFFSET_LOCATION, TOP_ELEVATION, TOTALAREA1, "
        "TOTALAREA2, TOTALCA1, TOTALCA2, TC, COMPUTE_DISCHARGE from INLET where INLET_NUMBER = ?1");
    s.bind(1, number);
    if (!s.step()) return std::nullopt;
    pipe::InletRecord inlet;
    inlet.inlet_number = std::string(number);
    inlet.total_discharge = text_of(s, 0);
    inlet.station = text_of(s, 1);
    inlet.offset = text_of(s, 2);
    inlet.offset_location = text_of(s, 3);
    inlet.top_elevation = text_of(s, 4);
    inlet.total_area1 = number_of(s, 5, number);
    inlet.total_area2 = number_of(s, 6, number);
    inlet.total_ca1 = number_of(s, 7, number);
    inlet.total_ca2 = number_of(s, 8, number);
    inlet.tc = text_of(s, 9);
    inlet.compute_discharge = number_of(s, 10, number) != 0.0;
    return inlet;
}

}  // namespace pelvane::store
