#include "forms/idf_problems.h"

#include "core/hydrology/noaa_export.h"
#include "core/text/number_text.h"

namespace pelvane::forms {
namespace {

using K = hydrology::IdfProblem::Kind;

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string line_ref(int line) {
    return "line " + std::to_string(line);
}

}  // namespace

std::string csv_problem_text(const hydrology::IdfProblem& p) {
    switch (p.kind) {
        case K::Utf16Text:
            return "the file is UTF-16 text; save it as CSV (comma delimited) or CSV UTF-8";
        case K::NotUtf8Line:
            return "the file is marked as UTF-8 but this line is not";
        case K::TextAfterQuote:
            return "a cell goes on after its closing quote" +
                   (p.quote_line ? " (the quote opened on " + line_ref(p.quote_line) +
                                       " may be one too many)"
                                 : std::string());
        case K::UnclosedQuote:
            return "the quote that opens a cell on this line is never closed";
        default:
            return idf_problem_text(p);
    }
}

std::string idf_problem_text(const hydrology::IdfProblem& p) {
    switch (p.kind) {
        case K::Utf16Text:
        case K::NotUtf8Line:
        case K::TextAfterQuote:
        case K::UnclosedQuote:
            return "Line " + std::to_string(p.line) + ": " + csv_problem_text(p) + ".";
        case K::TooFewDurations:
            return "At least three durations are needed to fit a curve.";
        case K::NotPositivePoint:
            return "Every duration and intensity must be a positive number to fit a curve.";
        case K::NoCurveFits:
            return "No curve B / (Tc + D)^E fits these intensities.";
        case K::NoLegacyCurveFits:
            return "No curve A / (B + Tc) fits these intensities.";
        case K::EmptyTable:
            return "The coefficient table is empty.";
        case K::RepeatedColumn:
            return "The column " + p.text + " appears twice in the header.";
        case K::UnknownHeader:
            return "The first line must name the columns: NOAA_STATION or COUNTY_NAME, then "
                   "YEAR2B, YEAR2D, YEAR2E ... YEAR100E (or YEAR2A, YEAR2B ... YEAR100B for "
                   "the legacy table).";
        case K::MissingColumns:
            return "The coefficient table lacks the columns " + p.text + ".";
        case K::UnknownColumn:
            return "The coefficient table has an unknown column " + quoted(p.text) + ".";
        case K::CellCount:
            return line_ref(p.line) + " has " + std::to_string(p.found) + " cells for " +
                   std::to_string(p.expected) + " columns.";
        case K::NoName:
            return line_ref(p.line) + " has no name.";
        case K::RepeatedName:
            return line_ref(p.line) + " repeats " + quoted(p.text) + ".";
        case K::NotANumber:
            return line_ref(p.line) + ": " + p.column + " " + quoted(p.text) + " is not a number.";
        case K::NoRows:
            return "The coefficient table has no rows.";
        case K::NoUnits:
            return "The export does not say its units on " + line_ref(p.line) + ".";
        case K::UnknownUnits:
            return "The export's units " + quoted(p.text) + " are not inches or millimeters.";
        case K::NotAnExport:
            return "This is not a NOAA precipitation frequency export: its heading lines (" +
                   quoted(std::string(hydrology::kNoaaTitle)) +
                   ", \"Data type\", \"Time series type\") are missing.";
        case K::OtherSeries:
            return "The export holds the " + quoted(p.text) +
                   " series; export the partial duration series instead.";
        case K::UnknownDataType:
            return "The export's data type " + quoted(p.text) +
                   " is neither precipitation depth nor intensity.";
        case K::DataTypeAgainstUnits:
            return "The export's data type " + quoted(p.text) +
                   " does not match the units of its title.";
        case K::NoEstimates:
            return "The export has no " + quoted(std::string(hydrology::kNoaaEstimates)) +
                   " table.";
        case K::NoIntervals:
            return "The recurrence intervals are missing on " + line_ref(p.line) + ".";
        case K::NotAnInterval:
            return quoted(p.text) + " on " + line_ref(p.line) +
                   " is not a recurrence interval in years.";
        case K::NotADuration:
            return quoted(p.text) + " on " + line_ref(p.line) +
                   " is not a duration such as 5-min, 2-hr or 10-day.";
        case K::ValueCount:
            return line_ref(p.line) + " has " + std::to_string(p.found) + " values for " +
                   std::to_string(p.expected) + " recurrence intervals.";
        case K::NotPositiveValue:
            return quoted(p.text) + " on " + line_ref(p.line) + " is not a positive number.";
        case K::MissingDuration:
            return "The export lacks the " + text::shortest_text(p.number) +
                   "-min duration; durations 5 to 120 minutes are needed.";
        case K::MissingInterval:
            return "The export lacks the " + std::to_string(static_cast<int>(p.number)) +
                   "-year recurrence interval; 2, 5, 10, 25, 50 and 100 years are needed.";
    }
    return {};
}

}  // namespace pelvane::forms
