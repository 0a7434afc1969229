#include "forms/design_rainfall_notice.h"

#include <algorithm>

namespace pelvane::forms {
namespace {

// Where a set of coefficients came from, as a phrase: "the program folder's
// VARMNOAA.rdb" or "a per-user import of Pulaski.csv on 2026-12-05".
std::string source_phrase(const store::DesignRainfall& r) {
    if (r.source != store::kUserImportSource) return "the program folder's " + r.rainfall_file;
    std::string phrase = "the per-user copy of " + r.rainfall_file;
    if (!r.origin.file.empty()) phrase += " (" + r.origin.file + " imported " + r.origin.date + ")";
    return phrase;
}

}  // namespace

std::string storm_list(const std::vector<int>& years) {
    std::string out;
    for (std::size_t i = 0; i < years.size(); ++i) {
        if (i > 0) out += i + 1 == years.size() ? " and " : ", ";
        out += std::to_string(years[i]) + (i + 1 == years.size() ? "-year" : "-");
    }
    return out;
}

std::optional<std::string> design_rainfall_notice(const store::DesignRainfallCheck& check) {
    if (check.changed.empty()) return std::nullopt;
    const int first = check.changed.front();
    const auto was = std::find_if(check.recorded.begin(), check.recorded.end(),
                                  [&](const auto& r) { return r.storm_frequency == first; });
    const auto now = std::find_if(check.current.begin(), check.current.end(),
                                  [&](const auto& r) { return r.storm_frequency == first; });
    std::string text = "The " + storm_list(check.changed) +
                       " rainfall coefficients have changed since the pipes were solved: they "
                       "were those of \"" +
                       was->name + "\" from " + source_phrase(*was) + ", ";
    if (now == check.current.end()) {
        text += "and there are none for the project's station or county now.";
    } else {
        text += "now they are those of \"" + now->name + "\" from " + source_phrase(*now) + ".";
    }
    return text + " Solve the pipes again to design with the current coefficients.";
}

std::optional<std::string> design_rainfall_notice(const store::ProjectContext& context) {
    try {
        return design_rainfall_notice(store::check_design_rainfall(context));
    } catch (const store::DatabaseError& e) {
        return std::string(e.what());
    }
}

}  // namespace pelvane::forms
