#include "forms/checks_form.h"

#include <algorithm>
#include <exception>
#include <map>
#include <set>

#include "core/hgl/grade_line.h"
#include "core/text/number_text.h"
#include "forms/hgl_form.h"
#include "forms/project_history.h"

namespace pelvane::forms {
namespace {

std::string failed_review(const std::exception& e) {
    return std::string("The design checks could not be run: ") + e.what();
}

}  // namespace

ChecksForm::ChecksForm(const store::ProjectContext& context, Ui& ui)
    : context_(context), ui_(ui), settings_{checks::Criteria::defaults(context.units), {}} {}

void ChecksForm::load() {
    load_problem_.clear();
    try {
        settings_ = store::read_check_settings(context_.project_connection, context_.units);
    } catch (const std::exception& e) {
        settings_ = {checks::Criteria::defaults(context_.units), {}};
        load_problem_ = e.what();
    }
    outfall_ = settings_.grade_line ? settings_.grade_line->outfall : "";
    tailwater_ = settings_.grade_line ? settings_.grade_line->tailwater : kDefaultTailwater;
    show_criteria();
}

void ChecksForm::open() {
    load();
    const store::Database& db = context_.project_connection;
    try {
        if (!db.read_only() && !store::has_check_settings(db)) {
            store::write_check_settings(db, settings_);
        }
    } catch (const std::exception&) {
        // Another program holds the file: the defaults are written on a later opening.
    }
    run();
}

void ChecksForm::run() {
    try {
        show_review(review_design(context_, settings_));
    } catch (const std::exception& e) {
        violations_.clear();
        marks_.clear();
        status_ = failed_review(e);
    }
}

void ChecksForm::forget_review() {
    violations_ = {};
    marks_.clear();
}

void ChecksForm::show_criteria() {
    criteria_rows_.clear();
    const bool english = settings_.criteria.english();
    for (const checks::Criterion& c : settings_.criteria.all()) {
        CriterionRow row;
        row.title = criterion_title(c, english);
        row.enabled = c.enabled;
        row.has_limit = c.quantity != checks::Quantity::None;
        if (row.has_limit) {
            row.limit = text::shortest_text(c.limit);
            row.unit = std::string(quantity_unit(c.quantity, context_.units));
        }
        row.source = source_text(c);
        criteria_rows_.push_back(std::move(row));
    }
}

ViolationRow ChecksForm::violation_row(std::size_t index) const {
    const checks::Violation& v = violations_.at(index);
    ViolationTexts texts = violation_texts(v, settings_.criteria, context_.units);
    ViolationRow row;
    row.rule = criterion_title(settings_.criteria[v.criterion], settings_.criteria.english());
    row.pipe = std::move(texts.pipe);
    row.structure = std::move(texts.structure);
    row.value = std::move(texts.value);
    row.limit = std::move(texts.limit);
    row.source = std::move(texts.source);
    row.error = v.severity == checks::Severity::Error;
    return row;
}

void ChecksForm::show_review(DesignReview review) {
    violations_ = std::move(review.violations);
    const auto errors = std::ranges::count_if(violations_, [](const checks::Violation& v) {
        return v.severity == checks::Severity::Error;
    });
    mark_pipes();
    const std::size_t count = violations_.size();
    if (count == 0) {
        status_ = kNoViolations;
    } else {
        status_ = std::to_string(count) + (count == 1 ? " violation" : " violations") + " (" +
                  std::to_string(errors) + (errors == 1 ? " error)." : " errors).");
    }
    if (!review.grade_line_skipped.empty()) status_ += " " + review.grade_line_skipped;
    // Reviewed against the defaults, and why.
    if (!load_problem_.empty()) status_ += " " + load_problem_;
}

void ChecksForm::set_enabled(std::size_t row, bool enabled) {
    if (row < criteria_rows_.size()) {
        settings_.criteria.all()[row].enabled = enabled;
        criteria_rows_[row].enabled = enabled;
    }
}

bool ChecksForm::set_limit(std::size_t row, std::string_view text) {
    if (row >= criteria_rows_.size() || !criteria_rows_[row].has_limit) return false;
    CriterionRow& shown = criteria_rows_[row];
    const text::ParsedNumber typed = text::parse_number(text);
    if (!typed.ok() || typed.value < 0.0) {
        ui_.message("The limit of \"" + shown.title + "\" (criterion " + std::to_string(row + 1) +
                        ") must be a number of 0 or more; it stays " + shown.limit + " " +
                        shown.unit + ".",
                    Icon::Exclamation);
        return false;
    }
    settings_.criteria.all()[row].limit = typed.value;
    shown.limit = text::shortest_text(typed.value);
    return true;
}

std::vector<std::string> ChecksForm::outfall_choices() const {
    std::vector<std::string> choices{""};
    try {
        for (std::string& node : hgl::outfall_nodes(hgl_pipes(context_))) {
            choices.push_back(std::move(node));
        }
    } catch (const std::exception&) {
        // The list stays empty; run() says why the file cannot be read.
    }
    return choices;
}

Outcome ChecksForm::save() {
    const auto refuse = [this](std::string text) {
        ui_.message(text, Icon::Exclamation);
        return Outcome::refused(std::move(text));
    };
    if (!outfall_.empty()) {
        const std::vector<std::string> choices = outfall_choices();
        if (std::find(choices.begin(), choices.end(), outfall_) == choices.end()) {
            return refuse(std::string(checks_texts::kOutfallLabel) + ": no pipe ends at \"" +
                          outfall_ + "\". Choose a structure from the list.");
        }
        if (!text::parse_number(tailwater_).ok()) {
            return refuse(std::string(checks_texts::kTailwaterLabel) + " must be a number; \"" +
                          tailwater_ + "\" is not.");
        }
        settings_.grade_line = checks::GradeLineStart{outfall_, tailwater_};
    } else {
        settings_.grade_line.reset();
    }
    try {
        const CommandStep step(context_.project_connection, step_names::kDesignCriteria);
        store::write_check_settings(context_.project_connection, settings_);
    } catch (const std::exception& e) {
        return refuse(std::string("The design criteria were not saved: ") + e.what());
    }
    run();
    ui_.message(checks_texts::kSaved, Icon::Information);
    return Outcome::done(checks_texts::kSaved);
}

void ChecksForm::mark_pipes() {
    std::map<std::string, std::set<std::string_view>, std::less<>> rules;
    for (const checks::Violation& v : violations_) {
        if (v.pipe) rules[*v.pipe].insert(checks::rule_id(v.rule));
    }
    marks_.clear();
    for (const auto& [pipe, ids] : rules) {
        std::string& marks = marks_[pipe];
        for (const std::string_view rule : ids) {
            marks += (marks.empty() ? checks_texts::kMarkHead : ", ") + std::string(rule);
        }
    }
}

std::string ChecksForm::pipe_marks(std::string_view pipe_number) const {
    const auto found = marks_.find(pipe_number);
    return found == marks_.end() ? std::string() : found->second;
}

}  // namespace pelvane::forms
