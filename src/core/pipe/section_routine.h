#pragma once
// What the four shape routines share: constants and inputs at the start, the writing
// of result texts, the Froude number and what follows from it, and the stop at the
// first failure.

#include <string_view>

#include "core/pipe/section.h"
#include "core/pipe/section_scan.h"
#include "core/pipe/section_searches.h"
#include "core/pipe/section_state.h"

namespace pelvane::pipe::detail {

// Appends result texts to a SectionResult in the order they are written.
class SectionWriter {
  public:
    explicit SectionWriter(SectionResult& out) : out_(out) {}

    // Quantities show three decimals (the pattern "0.000"); the friction slope
    // passes 4 ("0.0000").
    void number(std::string_view column, double value, int decimals = 3);
    void text(std::string_view column, std::string_view text);
    // A failed search has shown its message; the routine goes on with its 0.
    void note(const SearchOutcome& outcome);

  private:
    SectionResult& out_;
};

enum class SizeFields { Diameter, SpanAndRise };

// Runs one shape routine on cleared working values: sets the constants of the
// project's units and the number format, reads the inputs, then runs `body`. The
// first arithmetic failure (an input that is not a number among them) ends it with
// the message; what was written before stays.
SectionResult run_routine(const char* name, const SectionInput& input, GravityKind gravity,
                          SizeFields sizes, FunctionRef<void(SectionState&, SectionWriter&)> body);

// Capacity, then depth, area, velocity, hydraulic radius and wetted perimeter of
// the working values, as the box, elliptical and arch routines write them.
void write_section(const SectionState& s, double capacity, SectionWriter& writer);

// Froude number V / √(g · y) with y the depth of flow, flow regime, specific energy
// y + V² / (2g) and flow time L / V, written in that order.
void write_flow_state(const SectionState& s, SectionWriter& writer);

// F · n² · Q² / (Af² · Rf^(4/3)) of a full section (box and arch).
double full_section_friction_slope(const SectionState& s, double full_area, double full_radius);

}  // namespace pelvane::pipe::detail
