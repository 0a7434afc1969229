#pragma once
// What the engineer is told about the rainfall coefficients a project was designed
// with: the storms named in a list, and the notice opening a project gives when
// the rainfall databases no longer hold the coefficients its pipes were solved with.

#include <optional>
#include <string>
#include <vector>

#include "store/design_rainfall.h"

namespace pelvane::forms {

// "10-year", "10- and 25-year", "2-, 10- and 100-year".
std::string storm_list(const std::vector<int>& years);

// The notice for a check that found changed storms; nullopt when nothing changed.
std::optional<std::string> design_rainfall_notice(const store::DesignRainfallCheck& check);

// Checks the open project; a rainfall database that cannot be read gives its own
// description as the notice.
std::optional<std::string> design_rainfall_notice(const store::ProjectContext& context);

}  // namespace pelvane::forms
