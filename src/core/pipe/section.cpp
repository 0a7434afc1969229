#include "core/pipe/section.h"

#include "core/pipe/catalogue.h"

namespace pelvane::pipe {

std::optional<std::string> SectionResult::text(std::string_view column) const {
    // A column is written once per solve; should it be written again, the last text
    // is the one the field keeps.
    for (auto it = written.rbegin(); it != written.rend(); ++it) {
        if (it->first == column) return it->second;
    }
    return std::nullopt;
}

SectionKind section_kind(std::string_view shape) {
    if (shape == kCircular) return SectionKind::Circular;
    if (shape == kElliptical) return SectionKind::Elliptical;
    if (shape == kBox || shape == kStoredRectangular) return SectionKind::Box;
    return SectionKind::Arch;
}

SectionResult solve_pipe_section(const SectionInput& input, const DepthScanner& scanner) {
    switch (section_kind(input.shape)) {
        case SectionKind::Circular:
            return circular_section(input, scanner);
        case SectionKind::Elliptical:
            return elliptical_section(input, scanner);
        case SectionKind::Box:
            return box_section(input, scanner);
        case SectionKind::Arch:
            break;
    }
    return arch_section(input, scanner);
}

}  // namespace pelvane::pipe
