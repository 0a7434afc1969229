#pragma once
// Design review of a network: every place where the stored pipes, their solved
// results and the grade line break the project's criteria.
//
// Structures are linked by their names: the pipes ending at a structure (NODEOUT_NO)
// flow into the first pipe in table order that starts there (NODEIN_NO), as the
// grade line follows them. The size of a barrel is its diameter, or the larger of
// its span and rise, as the largest dimension is what must not shrink downstream.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/checks/criteria.h"
#include "core/hgl/hgl_pipe.h"
#include "core/text/packed_texts.h"

namespace pelvane::checks {

// The texts of one PIPE record the review reads, as stored (NULL as ""): what the
// grade line reads, the lower structure's station and rim, and the solve's results.
struct CheckPipe {
    hgl::HglPipe hgl;
    std::string nodeout_station;
    std::string nodeout_topele;
    std::string capacity;   // full-flow discharge of one barrel, cfs or cms
    std::string flow_type;  // "PRESSURE FLOW" or "PARTIAL FLOW"
    std::string froude_no;
};

// A pipe's texts as the review holds them, packed into one block: a network of
// 100,000 pipes takes about 25 MB this way against 90 MB as records of strings.
class PackedCheckPipe {
  public:
    explicit PackedCheckPipe(const CheckPipe& pipe);

    // Every text into `pipe`, reusing its strings' room.
    void unpack_into(CheckPipe& pipe) const;
    void unpack_into(hgl::HglPipe& pipe) const;

    std::string_view pipe_number() const;
    std::string_view nodein_no() const;
    std::string_view nodeout_no() const;

  private:
    text::PackedTexts texts_;
};

// Where the grade line starts: a structure where pipes end and its tailwater
// elevation text (ft or m).
struct GradeLineStart {
    std::string outfall;
    std::string tailwater;
};

struct CheckInput {
    std::vector<PackedCheckPipe> pipes;  // in table order
    std::string units;                   // the project's UNITS
    // Without it the grade-line rules (hgl_rim, exact_hgl_rim) are not run.
    std::optional<GradeLineStart> grade_line;
};

enum class Severity { Warning, Error };

// Which of a structure's values disagree (structure_mismatch only).
enum class Mismatch { None, Rim, Station };

struct Violation {
    RuleId rule{};
    CriterionKey criterion{};
    std::optional<std::string> pipe;       // PIPE_NUMBER
    std::optional<std::string> structure;  // the node
    double value = 0.0;
    double limit = 0.0;
    Quantity quantity = Quantity::None;  // what value and limit measure
    Severity severity = Severity::Warning;
    Mismatch mismatch = Mismatch::None;
};

// Every violation of the enabled criteria, rule by rule in RuleId order, and within
// a rule pipe by pipe in table order (grade-line rules in the grade line's row
// order). A text that is not a number leaves the rules that need it out for that
// pipe. What `value` and `limit` hold:
//  min_velocity        full-flow velocity (capacity / full area) and the minimum
//  max_velocity        velocity at the design discharge and the maximum
//  min_size            size and the minimum (in or mm)
//  size_decrease       size of the pipe downstream and of the pipe flowing into it
//  crown_drop          drop of the crown across the structure (upstream crown minus
//                      downstream crown, the least over the pipes ending there) and
//                      the least drop allowed
//  min_cover           rim minus crown, at each end, and the minimum
//  hgl_rim             grade line and rim minus freeboard (an error above the rim)
//  pressure_flow       discharge of one barrel and its full-flow capacity
//  supercritical_inflow  Froude number of the pipe entering the structure and 1
//  structure_mismatch  difference from the first pipe naming the structure, and the
//                      tolerance
//  max_spacing         length and the spacing of the pipe's size band
//  exact_hgl_rim       grade line with Manning's full-section friction and the rim,
//                      where the form's grade line says "O.K."
std::vector<Violation> run_checks(const CheckInput& input, const Criteria& criteria);

// The size of a barrel (in or mm): its diameter, or the larger of span and rise.
std::optional<double> barrel_size(const hgl::HglPipe& pipe);

}  // namespace pelvane::checks
