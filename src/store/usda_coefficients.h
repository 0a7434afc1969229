#pragma once
// The coefficient database USDACOEFF.rdb: the USDA design curves per standard
// diameter (table USDACOEFF).

#include <optional>
#include <string_view>

#include "core/outlet/usda_coefficients.h"
#include "store/sqlite/database.h"

namespace pelvane::store {

// The ten coefficients (A1 … E1, A2 … E2) of the row whose DIA is `diameter` (the
// diameter in inches as its shortest text: "12", "15", … "96"). nullopt when the
// connection is not open, the table or the row is missing, or a coefficient is not a
// number: the USDA method then ends quietly.
std::optional<outlet::UsdaCoefficients> read_usda_coefficients(const Database& coefficients,
                                                               std::string_view diameter);

}  // namespace pelvane::store
