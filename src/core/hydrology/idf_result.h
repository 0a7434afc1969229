#pragma once
// Result of reading or fitting rainfall data: a value, or what stands in the way
// (forms/idf_problems words it for the engineer).

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace pelvane::hydrology {

// What is wrong with a comma-separated text, a coefficient table, a NOAA export or
// the points of a fit, and where. Members a kind does not use stay empty.
struct IdfProblem {
    enum class Kind {
        // The comma-separated text.
        Utf16Text,       // line
        NotUtf8Line,     // line
        TextAfterQuote,  // line; quote_line when the quote opened on an earlier line
        UnclosedQuote,   // line
        // The points of a fit.
        TooFewDurations,
        NotPositivePoint,
        NoCurveFits,
        NoLegacyCurveFits,
        // A coefficient table.
        EmptyTable,
        RepeatedColumn,  // text: the column
        UnknownHeader,
        MissingColumns,  // text: the columns, comma-separated
        UnknownColumn,   // text: the column
        CellCount,       // line; found cells, expected columns
        NoName,          // line
        RepeatedName,    // line; text: the name
        NotANumber,      // line; column; text: the cell
        NoRows,
        // A NOAA export.
        NoUnits,       // line
        UnknownUnits,  // text: the units
        NotAnExport,
        OtherSeries,           // text: the series
        UnknownDataType,       // text: the data type
        DataTypeAgainstUnits,  // text: the data type
        NoEstimates,
        NoIntervals,       // line
        NotAnInterval,     // line; text: the cell
        NotADuration,      // line; text: the cell
        ValueCount,        // line; found values, expected intervals
        NotPositiveValue,  // line; text: the cell
        MissingDuration,   // number: minutes
        MissingInterval,   // number: years
    };
    Kind kind{};
    int line = 0;
    int quote_line = 0;
    std::string text{};
    std::string column{};
    std::size_t found = 0;
    std::size_t expected = 0;
    double number = 0.0;
};

template <class T>
class IdfResult {
  public:
    IdfResult(T value) : value_(std::move(value)) {}                 // NOLINT: implicit on purpose
    IdfResult(IdfProblem problem) : problem_(std::move(problem)) {}  // NOLINT: implicit on purpose

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T* operator->() const { return &*value_; }
    // Set when there is no value.
    const IdfProblem& problem() const { return *problem_; }

  private:
    std::optional<T> value_;
    std::optional<IdfProblem> problem_;
};

}  // namespace pelvane::hydrology
