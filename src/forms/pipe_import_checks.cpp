#include "forms/pipe_import_checks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <span>

#include "core/pipe/catalogue.h"
#include "core/pipe/input_ranges.h"
#include "core/pipe/slope.h"
#include "core/pipe/storm_frequency.h"
#include "core/text/number_text.h"
#include "forms/input_refusals.h"
#include "forms/pipe_form.h"
#include "forms/section_rules.h"
#include "forms/size_pickers.h"

namespace pelvane::forms {
namespace {

namespace texts = pipe_form_texts;

bool same_name(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string joined(std::span<const std::string_view> items) {
    std::string out;
    for (const auto item : items) out += (out.empty() ? "" : ", ") + std::string(item);
    return out;
}

// A column whose value comes from a list of the window.
struct ListColumn {
    store::Column column;
    std::string_view name;
    std::vector<std::string_view> items;
    // Older records' names that are shown as an item ("Rectangulr" for "Box").
    std::vector<std::string_view> stored = {};
};

std::vector<ListColumn> list_columns(bool legacy) {
    std::vector<std::string_view> shapes;
    for (const pipe::Shape& shape : pipe::shapes()) shapes.push_back(shape.name);
    const auto materials = pipe::materials();
    const auto storms = pipe::storm_frequency_list(legacy);
    const std::vector<std::string_view> node_types(texts::kNodeTypes.begin(),
                                                   texts::kNodeTypes.end());
    const std::vector<std::string_view> sides(texts::kOffsetLocations.begin(),
                                              texts::kOffsetLocations.end());
    return {
        {"PIPE_SHAPE", "shape", shapes, {pipe::kStoredRectangular}},
        {"PIPE_MAT", "material", {materials.begin(), materials.end()}, {pipe::kStoredCmp}},
        {"NODEIN_TYPE", "node-in type", node_types},
        {"NODEOUT_TYPE", "node-out type", node_types},
        {"NODEIN_OFFLOC", "node-in offset side", sides},
        {"NODEOUT_OFFLOC", "node-out offset side", sides},
        {"NODEIN_SHAPING", "shaping", {texts::kShaping.begin(), texts::kShaping.end()}},
        {"PIPE_STORM_FREQ", "storm frequency", {storms.begin(), storms.end()}},
        {"DISCHARGEVAL", "discharge source", {texts::kInputSource, texts::kComputeSource}},
    };
}

// The list item the text names (blanks around it and letter case aside).
std::optional<std::string_view> list_item(const ListColumn& list, std::string_view text) {
    const std::string trimmed = text::trim(text);
    for (const auto& names : {list.items, list.stored}) {
        for (const auto item : names) {
            if (same_name(item, trimmed)) return item;
        }
    }
    return std::nullopt;
}

bool same_number(std::string_view a, double b) {
    const auto n = text::parse_number(a);
    return n.ok() && std::abs(n.value - b) < 1e-9;
}

// The size of a circular pipe is one of the standard diameters; the other shapes
// that have a size table take one of its rows (a box has none).
std::optional<ColumnProblem> size_problem(const store::PipeRecord& pipe, std::string_view units) {
    const std::string_view shape = pipe.get("PIPE_SHAPE");
    const pipe::Shape* known = pipe::find_shape(shape);
    if (!known) return std::nullopt;
    if (known->uses_diameter) {
        const std::string& dia = pipe.get("PIPE_DIA");
        if (dia.empty()) return std::nullopt;
        const auto sizes = pipe::standard_diameters(units);
        const double value = text::parse_number(dia).value;
        if (std::any_of(sizes.begin(), sizes.end(),
                        [&](std::string_view d) { return same_number(d, value); })) {
            return std::nullopt;
        }
        return ColumnProblem{"PIPE_DIA", "diameter " + text::trim(dia) +
                                             " is not a standard diameter: " + joined(sizes)};
    }
    const SizePicker* table = picker_for(shape, units);
    const std::string& span = pipe.get("SPAN");
    const std::string& rise = pipe.get("RISE");
    if (!table || span.empty() || rise.empty()) return std::nullopt;
    const double s = text::parse_number(span).value;
    const double r = text::parse_number(rise).value;
    const auto is = [&](std::string_view row_span, std::string_view row_rise) {
        return same_number(row_span, s) && same_number(row_rise, r);
    };
    // The size the window gives when the shape is chosen is no table row for every
    // shape, but the window saves it.
    const SectionChange start = shape_chosen(shape, units);
    if (is(*start.span.text, *start.rise.text) ||
        std::any_of(table->rows.begin(), table->rows.end(),
                    [&](const SizeRow& row) { return is(row.span, row.rise); })) {
        return std::nullopt;
    }
    return ColumnProblem{"SPAN", "span " + text::trim(span) + " and rise " + text::trim(rise) +
                                     " are not a size of the " + std::string(shape) +
                                     " table (the size help of the pipe window lists them)"};
}

// Half a unit of the last decimal a slope text shows, and never less than the
// rounding of the window's own slope text.
double rounding_of(std::string_view slope) {
    const auto point = slope.find('.');
    int decimals = static_cast<int>(pipe::kSlopePattern.size()) - 2;
    if (point != std::string_view::npos && slope.find_first_of("eE") == std::string_view::npos) {
        decimals = std::min(decimals, static_cast<int>(slope.size() - point - 1));
    }
    return 0.5 * std::pow(10.0, -decimals) + 1e-12;
}

// The slope as the pipe window shows it whenever the length or an invert is left.
// A slope given in the file that agrees with it within a rounding takes its text.
std::optional<ColumnProblem> slope_problem(store::PipeRecord& pipe) {
    const std::string& length = pipe.get("PIPE_LENGTH");
    const std::string& in = pipe.get("PIPE_ELEIN");
    const std::string& out = pipe.get("PIPE_ELEOUT");
    const pipe::PipeSlope slope = pipe::pipe_slope(length, in, out);
    using Status = pipe::PipeSlope::Status;
    if (slope.status == Status::NotFalling) {
        return ColumnProblem{"PIPE_ELEOUT", std::string(texts::kElevations) + " (El. IN " +
                                                text::trim(in) + ", El. OUT " + text::trim(out) +
                                                ")"};
    }
    if (slope.status != Status::Computed) return std::nullopt;
    const std::string given = text::trim(pipe.get("PIPE_SLOPE"));
    if (!given.empty()) {
        const double exact = (text::parse_number(in).value - text::parse_number(out).value) /
                             text::parse_number(length).value;
        if (std::abs(text::parse_number(given).value - exact) > rounding_of(given)) {
            return ColumnProblem{"PIPE_SLOPE", "pipe slope " + given +
                                                   " disagrees with the slope " + slope.text +
                                                   " of the inverts and the length"};
        }
    }
    pipe.set("PIPE_SLOPE", slope.text);
    return std::nullopt;
}

}  // namespace

std::vector<ColumnProblem> check_pipe_values(store::PipeRecord& pipe, std::string_view units,
                                             bool legacy) {
    std::vector<ColumnProblem> problems;
    for (const auto& [column, value] : pipe.texts()) {
        if (auto refused = input_refusal_text(column.name(), value, units)) {
            problems.push_back({std::string(column.name()), std::move(*refused)});
        }
    }
    for (const ListColumn& list : list_columns(legacy)) {
        const std::string& value = pipe.get(list.column);
        if (value.empty()) continue;
        if (const auto item = list_item(list, value)) {
            pipe.set(list.column, std::string(*item));
        } else {
            problems.push_back({std::string(list.column.name()),
                                std::string(list.name) + " \"" + value +
                                    "\" is not in the list: " + joined(list.items)});
        }
    }
    if (!problems.empty()) return problems;
    if (auto problem = size_problem(pipe, units)) problems.push_back(std::move(*problem));
    if (auto problem = slope_problem(pipe)) problems.push_back(std::move(*problem));
    const std::string_view source = default_discharge_source(pipe.get("NODEIN_TYPE"));
    if (pipe.get("DISCHARGEVAL").empty()) pipe.set("DISCHARGEVAL", std::string(source));
    // A legacy file keeps the source as its yes/no pair.
    if (legacy && pipe.get("STRUCTURE_INPUT").empty()) {
        const bool input = pipe.get("DISCHARGEVAL") == texts::kInputSource;
        pipe.set("STRUCTURE_INPUT", input ? "1" : "0");
        pipe.set("STRUCTURE_COMPUTE", input ? "0" : "1");
    }
    return problems;
}

}  // namespace pelvane::forms
