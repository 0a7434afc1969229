#include "core/hydrology/noaa_export.h"

#include <algorithm>
#include <cmath>

#include "core/hydrology/idf_csv.h"
#include "core/text/number_text.h"

namespace pelvane::hydrology {
namespace {

using K = IdfProblem::Kind;

constexpr std::string_view kDataType = "Data type:";
constexpr std::string_view kSeries = "Time series type:";
constexpr std::string_view kStation = "Station Name:";
constexpr std::string_view kLocation = "Location name (ESRI Maps):";
constexpr int kFitYears[] = {2, 5, 10, 25, 50, 100};

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string after(std::string_view text, std::string_view prefix) {
    return text::trim(text.substr(prefix.size()));
}

// The whole line as written (the header lines hold commas in place names).
std::string joined(const CsvRow& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) line += ',';
        line += cells[i];
    }
    return text::trim(line);
}

// "5-min", "2-hr", "60-day" in minutes; 0 when the label is no duration.
double duration_minutes(std::string label) {
    label = text::trim(label);
    if (!label.empty() && label.back() == ':') label.pop_back();
    const auto dash = label.find('-');
    if (dash == std::string::npos) return 0.0;
    const auto count = text::parse_number(label.substr(0, dash));
    if (!count.ok() || count.value <= 0) return 0.0;
    const std::string unit = label.substr(dash + 1);
    if (unit == "min") return count.value;
    if (unit == "hr") return count.value * 60.0;
    if (unit == "day") return count.value * 1440.0;
    return 0.0;
}

}  // namespace

IdfResult<NoaaExport> parse_noaa_export(std::string_view text) {
    std::vector<CsvLine> lines;
    try {
        lines = read_csv(text);
    } catch (const CsvError& e) {
        return e.problem();
    }
    NoaaExport table;
    bool have_title = false;
    std::string data_type;
    std::string series;
    std::size_t estimates = lines.size();

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = joined(lines[i].cells);
        if (starts_with(line, kNoaaTitle)) {
            have_title = true;
            const auto open = line.find('(');
            const auto close = line.rfind(')');
            if (open == std::string::npos || close == std::string::npos || close < open) {
                return IdfProblem{.kind = K::NoUnits, .line = lines[i].number};
            }
            const std::string units = line.substr(open + 1, close - open - 1);
            if (units == "inches" || units == "inches/hour") {
                table.metric = false;
            } else if (units == "millimeters" || units == "millimeters/hour") {
                table.metric = true;
            } else {
                return IdfProblem{.kind = K::UnknownUnits, .text = units};
            }
            table.intensities = units.find("/hour") != std::string::npos;
        } else if (starts_with(line, kDataType)) {
            data_type = after(line, kDataType);
        } else if (starts_with(line, kSeries)) {
            series = after(line, kSeries);
        } else if (starts_with(line, kStation)) {
            table.station_name = after(line, kStation);
        } else if (starts_with(line, kLocation)) {
            table.location_name = after(line, kLocation);
        } else if (line == kNoaaEstimates) {
            estimates = i;
            break;
        }
    }

    if (!have_title || data_type.empty() || series.empty()) {
        return IdfProblem{.kind = K::NotAnExport};
    }
    if (series != "Partial duration") {
        return IdfProblem{.kind = K::OtherSeries, .text = series};
    }
    const bool depth = data_type == "Precipitation depth";
    if (!depth && data_type != "Precipitation intensity") {
        return IdfProblem{.kind = K::UnknownDataType, .text = data_type};
    }
    if (depth == table.intensities) {
        return IdfProblem{.kind = K::DataTypeAgainstUnits, .text = data_type};
    }
    if (estimates + 1 >= lines.size()) {
        return IdfProblem{.kind = K::NoEstimates};
    }

    const CsvLine& heading = lines[estimates + 1];
    if (heading.cells.size() < 2 || !starts_with(text::trim(heading.cells[0]), "by duration")) {
        return IdfProblem{.kind = K::NoIntervals, .line = heading.number};
    }
    for (std::size_t c = 1; c < heading.cells.size(); ++c) {
        const auto years = text::parse_number(heading.cells[c]);
        if (!years.ok() || years.value < 1 || years.value != std::floor(years.value)) {
            return IdfProblem{
                .kind = K::NotAnInterval, .line = heading.number, .text = heading.cells[c]};
        }
        table.recurrence_years.push_back(static_cast<int>(years.value));
    }

    for (std::size_t i = estimates + 2; i < lines.size(); ++i) {
        const CsvLine& row = lines[i];
        if (row.cells.empty() || text::trim(joined(row.cells)).empty()) break;
        const double minutes = duration_minutes(row.cells[0]);
        if (minutes <= 0) {
            return IdfProblem{.kind = K::NotADuration, .line = row.number, .text = row.cells[0]};
        }
        if (row.cells.size() != heading.cells.size()) {
            return IdfProblem{.kind = K::ValueCount,
                              .line = row.number,
                              .found = row.cells.size() - 1,
                              .expected = table.recurrence_years.size()};
        }
        std::vector<double> values;
        for (std::size_t c = 1; c < row.cells.size(); ++c) {
            const auto value = text::parse_number(row.cells[c]);
            if (!value.ok() || value.value <= 0) {
                return IdfProblem{
                    .kind = K::NotPositiveValue, .line = row.number, .text = row.cells[c]};
            }
            values.push_back(value.value);
        }
        table.durations_minutes.push_back(minutes);
        table.values.push_back(std::move(values));
    }

    for (const double minutes : kFitDurations) {
        if (std::find(table.durations_minutes.begin(), table.durations_minutes.end(), minutes) ==
            table.durations_minutes.end()) {
            return IdfProblem{.kind = K::MissingDuration, .number = minutes};
        }
    }
    for (const int years : kFitYears) {
        if (std::find(table.recurrence_years.begin(), table.recurrence_years.end(), years) ==
            table.recurrence_years.end()) {
            return IdfProblem{.kind = K::MissingInterval, .number = static_cast<double>(years)};
        }
    }
    return table;
}

std::vector<IdfPoint> intensity_points(const NoaaExport& table, int recurrence_years) {
    std::vector<IdfPoint> points;
    const auto column =
        std::find(table.recurrence_years.begin(), table.recurrence_years.end(), recurrence_years);
    if (column == table.recurrence_years.end()) return points;
    const auto c = static_cast<std::size_t>(column - table.recurrence_years.begin());
    for (const double minutes : kFitDurations) {
        const auto row =
            std::find(table.durations_minutes.begin(), table.durations_minutes.end(), minutes);
        if (row == table.durations_minutes.end()) continue;
        double value =
            table.values[static_cast<std::size_t>(row - table.durations_minutes.begin())][c];
        if (table.metric) value /= 25.4;
        points.push_back({minutes, table.intensities ? value : value * 60.0 / minutes});
    }
    return points;
}

}  // namespace pelvane::hydrology
