#pragma once
// The physical range of every number a pipe record holds, in one table for the
// pipe window and the import of pipe lists. A number outside its range is refused
// (forms/input_refusals says so, naming the field and the range): a length of 1e308
// would otherwise solve and carry wrong discharges downstream.

#include <optional>
#include <string>
#include <string_view>

namespace pelvane::pipe {

// A range in one unit system.
struct Bounds {
    double low;
    double high;
    std::string_view unit;  // shown after the numbers ("" for a pure number)
};

struct InputRange {
    std::string_view column;  // the PIPE column
    Bounds english;
    Bounds metric;
    bool low_excluded = false;  // the low end itself is refused (a length of 0)
    bool whole = false;         // whole numbers only (barrels)
    // The text holds a comma-separated list of such numbers (the drainage area
    // window's sub-areas and runoff coefficients); empty items are allowed.
    bool listed = false;
};

// The range of a PIPE column (named in capitals), or nullptr for a column that is not
// a number the person or the import gives. Results of a solve have none: the solve
// writes them again.
const InputRange* input_range(std::string_view column);

// Why a text is refused: the first item (the whole text, or an item of a listed
// column) that is not a number, or a number outside the range of the project's
// units, or not whole where it must be.
struct InputRefusal {
    enum class Kind { NotNumber, OutOfRange, NotWhole };
    Kind kind;
    std::string item;  // as written
    const InputRange* range;
    Bounds bounds;  // of the project's units
};

// Any units other than ENGLISH are metric. Nothing for an accepted text, for an
// empty one and for a column without a range.
std::optional<InputRefusal> input_refusal(std::string_view column, std::string_view text,
                                          std::string_view units);

}  // namespace pelvane::pipe
