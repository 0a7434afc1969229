#include "core/pipe/discharge_solve.h"

#include "core/text/number_text.h"

namespace pelvane::pipe {

SolveRefusal solve_refusal(std::string_view pipe_discharge, std::string_view pipe_slope) {
    // A text that is no number reads 0 here.
    if (text::number_or(pipe_discharge, 0.0) <= 0.0) return SolveRefusal::NoDischarge;
    if (!pipe_slope.empty() && text::number_or(pipe_slope, 0.0) <= 0.0) {
        return SolveRefusal::NoSlope;
    }
    return SolveRefusal::None;
}

}  // namespace pelvane::pipe
