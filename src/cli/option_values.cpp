#include "cli/option_values.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/pipe/catalogue.h"
#include "core/text/number_text.h"
#include "core/units.h"

namespace pelvane::cli {
namespace {

bool same_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::string list_value(const std::string& option, const std::string& typed,
                       std::span<const std::string_view> items) {
    for (const std::string_view item : items) {
        if (same_ignoring_case(item, typed)) return std::string(item);
    }
    std::string listed;
    for (std::size_t i = 0; i < items.size(); ++i) {
        listed += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + std::string(items[i]);
    }
    throw CommandError(option + " \"" + typed + "\" is not one of " + listed, 2);
}

std::string units_option(const Args& args, const std::string& fallback) {
    static constexpr std::string_view kUnits[] = {kEnglish, kMetric};
    return list_value("--units", args.option_or("--units", fallback), kUnits);
}

std::string shape_option(const Args& args) {
    const auto typed = args.option("--shape");
    if (!typed) throw CommandError("--shape is required", 2);
    std::vector<std::string_view> names;
    for (const auto& shape : pipe::shapes()) names.push_back(shape.name);
    names.push_back(pipe::kStoredRectangular);
    return list_value("--shape", *typed, names);
}

GradeLineOptions grade_line_options(const Args& args) {
    const auto outfall = args.option("--outfall");
    if (!outfall || outfall->empty()) throw CommandError("--outfall NODE is required", 2);
    const auto tailwater = args.option("--tailwater");
    if (!tailwater || !text::parse_number(*tailwater).ok()) {
        throw CommandError("--tailwater ELEV is required and must be a number", 2);
    }
    return {*outfall, *tailwater};
}

}  // namespace pelvane::cli
