#include "forms/hgl_form.h"

#include "core/units.h"
#include "forms/input_conventions.h"
#include "forms/ld229_report.h"
#include "forms/report_sequence.h"
#include "report/ld347_layout.h"

namespace pelvane::forms {
namespace {

constexpr FieldName kNodeField = "hglanodeout";
constexpr FieldName kTailwaterField = "TWE";
constexpr FieldName kUnitField = "length_unit";

}  // namespace

std::span<const HglColumn> hgl_columns() {
    using P = hgl::HglPipe;
    static constexpr HglColumn kColumns[] = {
        {"PIPE_NUMBER", &P::pipe_number},
        {"NODEIN_NO", &P::nodein_no},
        {"NODEOUT_NO", &P::nodeout_no},
        {"PIPE_DIA", &P::pipe_dia},
        {"PIPE_SHAPE", &P::pipe_shape},
        {"PIPE_MANN", &P::pipe_mann},
        {"SPAN", &P::span},
        {"RISE", &P::rise},
        {"PIPE_LENGTH", &P::pipe_length},
        {"PIPE_ELEOUT", &P::pipe_eleout},
        {"PIPE_ELEIN", &P::pipe_elein},
        {"PIPE_FLOWDEPTH", &P::pipe_flowdepth},
        {"PIPE_DISCHARGE", &P::pipe_discharge},
        {"NUMOFPIPES", &P::numofpipes},
        {"PIPE_STORM_FREQ", &P::pipe_storm_freq},
        {"NODEIN_TYPE", &P::nodein_type},
        {"NODEIN_SHAPING", &P::nodein_shaping},
        {"STRUCTURE_CA", &P::structure_ca},
        {"PIPE_I", &P::pipe_i},
        {"PIPE_VELOCITY", &P::pipe_velocity},
        {"PIPE_SKEW", &P::pipe_skew},
        {"NODEIN_STATION", &P::nodein_station},
        {"NODEIN_TOPELE", &P::nodein_topele},
    };
    return kColumns;
}

std::vector<hgl::HglPipe> hgl_pipes(const store::ProjectContext& context) {
    std::vector<store::Column> names;
    for (const HglColumn& c : hgl_columns()) names.push_back(c.column);
    auto rows = store::PipeTable(context.project_connection).texts_in_table_order(names);
    std::vector<hgl::HglPipe> pipes(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            pipes[r].*hgl_columns()[i].member = std::move(rows[r][i]);
        }
    }
    return pipes;
}

GradeLineReport grade_line_report(const store::ProjectContext& context,
                                  std::span<const hgl::HglPipe> pipes, std::string_view node,
                                  std::string_view tailwater) {
    return GradeLineReport{hgl::compute_grade_line(pipes, node, tailwater, context.units)};
}

HglForm::HglForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
                 const report::OfficeConverter* office)
    : FormModel(field_names::kHgl), context_(context), session_(session), ui_(ui) {
    if (office != nullptr) office_ = *office;
    for (const FieldName name : {kNodeField, kTailwaterField, kUnitField}) fields[name];
}

HglForm::HglForm(store::ProjectContext& context, DesignSession& session, Ui& ui)
    : HglForm(context, session, ui, nullptr) {
    office_ = report::OfficeConverter::find();
}

void HglForm::open() {
    fields[kNodeField].items = hgl::outfall_nodes(hgl_pipes(context_));
    fields.set_text(kTailwaterField, kDefaultTailwater);
    fields.set_text(kUnitField, std::string(UnitNames::for_units(context_.units).length));
}

void HglForm::field_left(FieldName name) {
    if (name != kTailwaterField) return;
    fields.set_text(kTailwaterField,
                    format_on_leave(fields.text(kTailwaterField), kTailwaterPattern));
}

void HglForm::cmdHGL() {
    const std::string node = fields.text(kNodeField);
    if (node.empty()) return;
    if (fields.text(kTailwaterField).empty()) {
        fields.set_text(kTailwaterField, kDefaultTailwater);
    }
    session_.enter_grade_line_report(context_);
    const std::string tailwater = fields.text(kTailwaterField);
    // The grade line of a large network takes a while: it is computed with the
    // writing, off the window thread. Its rows are written as the workbook is
    // saved, after the filling, so the result is kept here.
    std::optional<GradeLineReport> made;
    run_report(
        ui_, context_, kLd347Report,
        [this, &node, &tailwater, &made](report::Workbook& book) {
            made = grade_line_report(context_, hgl_pipes(context_), node, tailwater);
            report::write_cells(book, made->sheet(context_));
        },
        office_ ? &*office_ : nullptr);
}

void HglForm::cmdHGLclose() {
    close_requested = true;
}

}  // namespace pelvane::forms
