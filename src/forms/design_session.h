#pragma once
// The values a design session of the open project works with besides the project
// itself: the pattern the design windows write computed quantities with, the unit
// constants, the length of the sub-area list, and what the outlet protection window
// found for the dissipator designs. The application (or a command) owns one value
// and hands it to every window and computation that reads it. The values change
// when the session enters pipe design or outlet protection, when the grade line or
// the LD-229 report runs, and in the windows that set their own pattern.

#include <string>

#include "core/units.h"
#include "store/project_context.h"

namespace pelvane::forms {

struct DesignSession {
    // Pattern of the quantities the design windows write: the grid sets "0.000";
    // the pipe, drainage area and time of concentration windows set their own for
    // the project's units, and a solve leaves the pattern of its results.
    std::string number_format = "0.000";
    UnitConstants unit_constants;
    // Rows of the drainage area window's sub-area list.
    int sub_area_list_length = 15;
    // Set by the outlet protection window for the dissipator designs: the
    // full-section area of all barrels of the outfall's design pipe (sq ft or sq m)
    // and its diameter or rise rounded down to a standard size (in).
    double outlet_barrel_area = 0.0;
    int coefficient_diameter = 12;

    // Entering pipe design, as the pipe network grid does each time it opens: the
    // pattern "0.000", the unit constants of the project's units and 24 sub-areas in
    // a legacy project database, else 15.
    void enter_pipe_design(const store::ProjectContext& project);

    // Entering outlet protection as the grid offers it: the grid's settings. A
    // legacy project database has no outlet protection: false, and nothing changes.
    bool enter_outlet_protection(const store::ProjectContext& project);

    // The grade line and the LD-229 report set the gravity (32.2 ft/sec², or 9.8
    // m/sec² in metric) and unit divisor (12 or 1000) of the grade line when they
    // run; later readers see these values until the grid opens again.
    void enter_grade_line_report(const store::ProjectContext& project);
};

// Outlet protection is offered only outside legacy project databases.
bool outlet_protection_offered(const store::ProjectContext& project);

}  // namespace pelvane::forms
