#pragma once
// What the rules of a review share: the input, the criteria, the structures' links
// and the list being filled. Not for use outside src/core/checks.

#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/checks/checks.h"

namespace pelvane::checks::detail {

// A stored text as a number; nothing for "" or a text that is not a number.
std::optional<double> number(std::string_view text);

// The rise of a barrel (in or mm): its diameter, or RISE.
std::optional<double> rise(const hgl::HglPipe& pipe);

// The pipes starting and ending at each structure, by node name, as positions in
// the review's list of pipes.
class Links {
  public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit Links(const std::vector<PackedCheckPipe>& pipes);
    // The first pipe in table order starting at `node`; kNone when none does.
    std::size_t starting(std::string_view node) const;
    // The pipes ending at `node`, in table order.
    const std::vector<std::size_t>& ending(std::string_view node) const;

  private:
    std::unordered_map<std::string_view, std::size_t> starting_;
    std::unordered_map<std::string_view, std::vector<std::size_t>> ending_;
};

struct Review {
    Review(const CheckInput& in, const Criteria& c, std::vector<Violation>& out);

    bool on(CriterionKey key) const { return criteria[key].enabled; }
    double limit(CriterionKey key) const { return criteria[key].limit; }
    void add(CriterionKey key, std::string_view pipe_number, std::string_view structure,
             double value, double limit, Severity severity = Severity::Warning,
             Mismatch mismatch = Mismatch::None);

    const CheckInput& input;
    const Criteria& criteria;
    std::vector<Violation>& found;
    double unit_divisor;  // in -> ft (12) or mm -> m (1000)
    Links links;
};

// hgl_rim and exact_hgl_rim, when the input says where the grade line starts.
void grade_line_rules(Review& review);

}  // namespace pelvane::checks::detail
