// Solving the pipe: the checks of the discharge and the slope, then the section
// hydraulics of its shape written into the results tab.

#include <cctype>
#include <optional>

#include "core/pipe/input_ranges.h"
#include "core/pipe/section.h"
#include "forms/input_refusals.h"
#include "forms/pipe_form.h"
#include "forms/solve_messages.h"

namespace pelvane::forms {
namespace {

// The field that shows a PIPE column.
std::optional<FieldName> field_of(std::string_view column) {
    for (const PipeBinding& b : pipe_bindings()) {
        if (b.column.name() == column) return b.field;
    }
    return std::nullopt;
}

}  // namespace

bool PipeForm::value_in_range(FieldName field) {
    for (const PipeBinding& b : pipe_bindings()) {
        if (b.field != field) continue;
        auto refused = input_refusal_text(b.column.name(), fields.text(field), context_.units);
        if (!refused) return true;
        (*refused)[0] = static_cast<char>(std::toupper(static_cast<unsigned char>((*refused)[0])));
        ui_.message(*refused, Icon::Exclamation);
        request_focus(field);
        return false;
    }
    return true;
}

// A section routine that fails has shown why; its record does not count as solved,
// so results the program knows to be broken are never saved.
void PipeForm::cmdpipesolve() {
    if (mode_ == ScreenMode::View) return;
    clear_results();
    for (const PipeBinding& b : pipe_bindings()) {
        if (!value_in_range(b.field)) return;
    }
    const auto refusal =
        pipe::solve_refusal(fields.text("pipe_discharge"), fields.text("pipe_slope"));
    if (refusal != pipe::SolveRefusal::None) {
        ui_.message(std::string(solve_refusal_text(refusal)), Icon::Exclamation,
                    std::string(kSolveRefusalTitle));
        return;
    }
    const pipe::SectionResult result = pipe::solve_pipe_section(
        {fields.text("pipe_discharge"), fields.text("numofpipes"), fields.text("pipe_slope"),
         fields.text("pipe_mann"), fields.text("pipe_length"), fields.text("pipe_dia"),
         fields.text("span"), fields.text("rise"), fields.text("pipe_shape"), context_.units});
    session_.number_format = result.number_format;
    for (const auto& [column, shown] : result.written) {
        if (const auto field = field_of(column)) fields.set_text(*field, shown);
    }
    for (std::size_t i = 0; i < result.failures.size(); ++i) {
        ui_.message(std::string(kInvalidDataInputError), Icon::Exclamation);
    }
    if (result.failed()) return;
    ui_.message(std::string(kSolvedText));
    mark_solved();
}

}  // namespace pelvane::forms
