#include "core/hydrology/idf_table.h"

#include <algorithm>
#include <optional>
#include <set>

#include "core/hydrology/idf_csv.h"
#include "core/text/number_text.h"

namespace pelvane::hydrology {
namespace {

using K = IdfProblem::Kind;

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
        return e.problem();
    }
    auto line = lines.begin();
    while (line != lines.end() && blank(line->cells)) ++line;
    if (line == lines.end()) return IdfProblem{.kind = K::EmptyTable};

    std::map<std::string, std::size_t> at;
    for (std::size_t c = 0; c < line->cells.size(); ++c) {
        const std::string name = text::trim(line->cells[c]);
        if (!at.emplace(name, c).second) {
            return IdfProblem{.kind = K::RepeatedColumn, .text = name};
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
        return IdfProblem{.kind = K::UnknownHeader};
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
        return IdfProblem{.kind = K::MissingColumns, .text = list};
    }
    for (const auto& [name, index] : at) {
        if (!expected.count(name)) {
            return IdfProblem{.kind = K::UnknownColumn, .text = name};
        }
    }

    std::set<std::string> seen;
    const auto header_size = line->cells.size();
    for (++line; line != lines.end(); ++line) {
        if (blank(line->cells)) continue;
        const int where = line->number;
        if (line->cells.size() != header_size) {
            return IdfProblem{.kind = K::CellCount,
                              .line = where,
                              .found = line->cells.size(),
                              .expected = header_size};
        }
        IdfTableRow row;
        row.line = line->number;
        row.name = line->cells[at[name_column]];
        if (text::trim(row.name).empty()) return IdfProblem{.kind = K::NoName, .line = where};
        if (!seen.insert(row.name).second) {
            return IdfProblem{.kind = K::RepeatedName, .line = where, .text = row.name};
        }
        const auto number = [&](int years, char letter, double& out) -> std::optional<IdfProblem> {
            const std::string& cell = line->cells[at[column(years, letter)]];
            const auto parsed = text::parse_number(cell);
            if (!parsed.ok()) {
                return IdfProblem{.kind = K::NotANumber,
                                  .line = where,
                                  .text = cell,
                                  .column = column(years, letter)};
            }
            out = parsed.value;
            return std::nullopt;
        };
        std::optional<IdfProblem> problem;
        if (legacy) {
            for (const int years : kLegacyStormFrequencies) {
                LegacyIdfCurve curve;
                if (!problem) problem = number(years, 'A', curve.a);
                if (!problem) problem = number(years, 'B', curve.b);
                row.legacy[years] = curve;
            }
        } else {
            for (const int years : kStormFrequencies) {
                IdfCurve curve;
                if (!problem) problem = number(years, 'B', curve.b);
                if (!problem) problem = number(years, 'D', curve.d);
                if (!problem) problem = number(years, 'E', curve.e);
                row.curves[years] = curve;
            }
        }
        if (problem) return *problem;
        table.rows.push_back(std::move(row));
    }
    if (table.rows.empty()) return IdfProblem{.kind = K::NoRows};
    return table;
}

}  // namespace pelvane::hydrology
