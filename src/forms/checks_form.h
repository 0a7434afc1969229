#pragma once
// The Checks panel of the pipe network grid: the violations of the project's design
// criteria with their values, limits and sources, and the criteria themselves (on
// or off, limit) with the structure and tailwater the review's grade line starts
// from. The grid runs the review whenever it reads its rows (after every save and
// recompute) and marks the rows of the pipes it names.

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "forms/design_checks.h"
#include "forms/outcome.h"
#include "forms/ui.h"
#include "store/check_settings.h"
#include "store/project_context.h"

namespace pelvane::forms {

namespace checks_texts {
inline constexpr const char* kCaption = "Design Checks";
inline constexpr const char* kViolationsFrame = "Violations";
inline constexpr const char* kCriteriaFrame = "Design criteria";
inline constexpr const char* kOutfallLabel = "Grade line from structure";
inline constexpr const char* kTailwaterLabel = "Tailwater elevation";
inline constexpr const char* kRun = "&Run Checks";
inline constexpr const char* kSave = "&Save Criteria";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kCommand = "Design &Checks...";
inline constexpr std::string_view kViolationHeadings[] = {"Rule",  "Pipe",  "Structure",
                                                          "Value", "Limit", "Source"};
inline constexpr std::string_view kCriterionHeadings[] = {"On", "Criterion", "Limit", "Unit",
                                                          "Source"};
inline constexpr const char* kSaved = "Design criteria saved.";
inline constexpr const char* kMarkHead = "Design checks: ";
}  // namespace checks_texts

struct CriterionRow {
    std::string title;
    bool enabled = true;
    bool has_limit = false;
    std::string limit;  // as shown, in the project's units
    std::string unit;
    std::string source;  // marked "(unverified)" where it is
};

struct ViolationRow {
    std::string rule;  // the rule's title
    std::string pipe;
    std::string structure;
    std::string value;  // "cover 2.45 ft"
    std::string limit;
    std::string source;
    bool error = false;
};

class ChecksForm {
  public:
    ChecksForm(const store::ProjectContext& context, Ui& ui);

    // Reads the kept criteria (the defaults of the project's units where none are
    // kept).
    void load();
    // The panel opens: load(), then a file without kept criteria gets the defaults
    // written into it, so that the next person reviews against the same ones; then
    // run().
    void open();
    // Reads the saved pipes again and runs the review. A file that cannot be read
    // leaves no violations and says why in the status.
    void run();
    // Lets the last review's findings go (until the next run()).
    void forget_review();

    const std::vector<CriterionRow>& criteria_rows() const { return criteria_rows_; }
    // The violations found, and the texts of one (0 = first), made when asked for: a
    // large network may break rules tens of thousands of times.
    std::size_t violation_count() const { return violations_.size(); }
    ViolationRow violation_row(std::size_t index) const;
    // "2 violations (1 error)." or "No violation ...", and whether the grade-line
    // checks were skipped.
    const std::string& status() const { return status_; }

    void set_enabled(std::size_t row, bool enabled);
    // A limit typed into row `row` (0 = first). A text that is not a number of 0 or
    // more is refused with a message naming the criterion and its row, and the limit
    // stays as it was.
    bool set_limit(std::size_t row, std::string_view text);
    void set_outfall(std::string_view node) { outfall_ = node; }
    void set_tailwater(std::string_view elevation) { tailwater_ = elevation; }
    const std::string& outfall() const { return outfall_; }
    const std::string& tailwater() const { return tailwater_; }
    // The structures the grade line can start from ("" first: none).
    std::vector<std::string> outfall_choices() const;

    // Keeps the criteria and the grade line's start in the project file, then runs
    // the review again. Refused, naming the field, for a structure where no pipe
    // ends or a tailwater that is not a number.
    Outcome save();

    // The rule ids a pipe breaks, for the grid's mark and its tooltip ("" for none).
    std::string pipe_marks(std::string_view pipe_number) const;

  private:
    void show_criteria();
    void show_review(DesignReview review);
    void mark_pipes();

    const store::ProjectContext& context_;
    Ui& ui_;
    store::CheckSettings settings_;
    std::string outfall_;
    std::string tailwater_;
    std::vector<CriterionRow> criteria_rows_;
    std::vector<checks::Violation> violations_;
    std::map<std::string, std::string, std::less<>> marks_;  // by pipe number
    std::string status_;
    std::string load_problem_;  // why the kept criteria could not be read
};

}  // namespace pelvane::forms
