#pragma once
// Conversion of a legacy or older-release project file to the NOAA-station
// release. A converted file is never converted back; converting it again does no
// harm.

#include <string>
#include <string_view>

#include "store/project_context.h"

namespace pelvane::store {

inline constexpr std::string_view kConversionDone =
    "Project database Updated with selected NOAA Station! Please review and recompute your "
    "results";

// Adds the release columns PROJECT lacks (NOAA_STATION only, or all five in a
// legacy file), stamps every PROJECT record with the product, release "2.1" and
// `station`, sets the context's release and station, and reconnects. Each step
// runs even when the one before it failed (a column that is already there must not
// stop the stamp), so a file that cannot be changed is left as it was without an
// error.
void convert_to_noaa_release(ProjectContext& context, const std::string& station);

}  // namespace pelvane::store
