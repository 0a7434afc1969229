#include "forms/design_session.h"

#include "core/hgl/hgl_pipe.h"

namespace pelvane::forms {

void DesignSession::enter_pipe_design(const store::ProjectContext& project) {
    number_format = "0.000";
    unit_constants = UnitConstants::for_units(project.units);
    sub_area_list_length = project.legacy_database_mode ? 24 : 15;
}

bool DesignSession::enter_outlet_protection(const store::ProjectContext& project) {
    if (!outlet_protection_offered(project)) return false;
    enter_pipe_design(project);
    return true;
}

void DesignSession::enter_grade_line_report(const store::ProjectContext& project) {
    // The grade line's own constants are the ones both runs leave behind.
    const hgl::HglConstants constants = hgl::HglConstants::for_units(project.units);
    unit_constants.gravity = constants.gravity;
    unit_constants.unit_divisor = constants.unit_divisor;
}

bool outlet_protection_offered(const store::ProjectContext& project) {
    return !project.legacy_database_mode;
}

}  // namespace pelvane::forms
