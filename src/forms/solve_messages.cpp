#include "forms/solve_messages.h"

namespace pelvane::forms {

std::string_view solve_refusal_text(pipe::SolveRefusal refusal) {
    switch (refusal) {
        case pipe::SolveRefusal::NoDischarge:
            return kNoDischargeText;
        case pipe::SolveRefusal::NoSlope:
            return kNoSlopeText;
        case pipe::SolveRefusal::None:
            break;
    }
    return {};
}

std::string section_failure_text(const pipe::SectionResult& result) {
    std::string reasons;
    for (const pipe::SectionFailure& failure : result.failures) {
        reasons += (reasons.empty() ? "" : "; ") + failure.reason;
    }
    return std::string(kInvalidDataInputError) + " (" + reasons + ")";
}

}  // namespace pelvane::forms
