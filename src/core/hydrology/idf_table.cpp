#include "core/hydrology/idf_table.h"

#include <algorithm>
#include <set>

#include "core/hydrology/idf_csv.h"
#include "core/text/number_text.h"

namespace pelvane::hydrology {
namespace {

using R = IdfResult<IdfTable>;

std::string column(int years, char letter) {
    return "YEAR" + std::to_string(years) + letter;
}

bool blank(const CsvRow& cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& c) { return text::trim(c).empty(); });
}

}  // namespace

IdfResult<IdfTable> parse_idf_table(std::string_view text) {
    std::vector<CsvLine> lines;
    try {
        lines = read_csv(text);
    } catch (const CsvError& e) {
        return R::failure(e.sentence());
    }
    auto line = lines.begin();
    while (line != lines.end() && blank(line->cells)) ++line;
    if (line == lines.end()) return R::failure("The coefficient table is empty.");

    std::map<std::string, std::size_t> at;
    for (std::size_t c = 0; c < line->cells.size(); ++c) {
        const std::string name = text::trim(line->cells[c]);
        if (!at.emplace(name, c).second) {
            return R::failure("The column " + name + " appears twice in the header.");
        }
    }
    IdfTable table;
    std::string name_column;
    if (at.count("NOAA_STATION")) {
        table.kind = IdfTableKind::Station;
        name_column = "NOAA_STATION";
    } else if (at.count("COUNTY_NAME")) {
        table.kind = at.count("YEAR2A") ? IdfTableKind::LegacyCounty : IdfTableKind::County;
        name_column = "COUNTY_NAME";
    } else {
        return R::failure(
            "The first line must name the columns: NOAA_STATION or COUNTY_NAME, then YEAR2B, "
            "YEAR2D, YEAR2E ... YEAR100E (or YEAR2A, YEAR2B ... YEAR100B for the legacy table).");
    }

    const bool legacy = table.kind == IdfTableKind::LegacyCounty;
    const std::string letters = legacy ? "AB" : "BDE";
    std::set<std::string> expected{name_column};
    if (legacy) expected.insert("COUNTY_NO");
    std::vector<std::string> missing;
    const auto add_frequency = [&](int years) {
        for (const char letter : letters) {
            expected.insert(column(years, letter));
            if (!at.count(column(years, letter))) missing.push_back(column(years, letter));
        }
    };
    if (legacy) {
        for (const int years : kLegacyStormFrequencies) add_frequency(years);
    } else {
        for (const int years : kStormFrequencies) add_frequency(years);
    }
    if (!missing.empty()) {
        std::string list;
        for (const auto& m : missing) list += (list.empty() ? "" : ", ") + m;
        return R::failure("The coefficient table lacks the columns " + list + ".");
    }
    for (const auto& [name, index] : at) {
        if (!expected.count(name)) {
            return R::failure("The coefficient table has an unknown column \"" + name + "\".");
        }
    }

    std::set<std::string> seen;
    const auto header_size = line->cells.size();
    for (++line; line != lines.end(); ++line) {
        if (blank(line->cells)) continue;
        const std::string where = "line " + std::to_string(line->number);
        if (line->cells.size() != header_size) {
            return R::failure(where + " has " + std::to_string(line->cells.size()) + " cells for " +
                              std::to_string(header_size) + " columns.");
        }
        IdfTableRow row;
        row.line = line->number;
        row.name = line->cells[at[name_column]];
        if (text::trim(row.name).empty()) return R::failure(where + " has no name.");
        if (!seen.insert(row.name).second) {
            return R::failure(where + " repeats \"" + row.name + "\".");
        }
        const auto number = [&](int years, char letter, double& out) -> std::string {
            const std::string& cell = line->cells[at[column(years, letter)]];
            const auto parsed = text::parse_number(cell);
            if (!parsed.ok()) {
                return where + ": " + column(years, letter) + " \"" + cell + "\" is not a number.";
            }
            out = parsed.value;
            return {};
        };
        std::string problem;
        if (legacy) {
            for (const int years : kLegacyStormFrequencies) {
                LegacyIdfCurve curve;
                if (problem.empty()) problem = number(years, 'A', curve.a);
                if (problem.empty()) problem = number(years, 'B', curve.b);
                row.legacy[years] = curve;
            }
        } else {
            for (const int years : kStormFrequencies) {
                IdfCurve curve;
                if (problem.empty()) problem = number(years, 'B', curve.b);
                if (problem.empty()) problem = number(years, 'D', curve.d);
                if (problem.empty()) problem = number(years, 'E', curve.e);
                row.curves[years] = curve;
            }
        }
        if (!problem.empty()) return R::failure(problem);
        table.rows.push_back(std::move(row));
    }
    if (table.rows.empty()) return R::failure("The coefficient table has no rows.");
    return table;
}

}  // namespace pelvane::hydrology
