#include "forms/hgl_form.h"

#include "forms/input_conventions.h"
#include "forms/ld229_report.h"
#include "forms/report_sequence.h"
#include "report/ld347_layout.h"

namespace pelvane::forms {
namespace {

constexpr const char* kNodeField = "hglanodeout";
constexpr const char* kTailwaterField = "TWE";

}  // namespace

hgl::HglPipe hgl_pipe(const store::PipeRecord& record) {
    hgl::HglPipe p;
    p.pipe_number = record.get("PIPE_NUMBER");
    p.nodein_no = record.get("NODEIN_NO");
    p.nodeout_no = record.get("NODEOUT_NO");
    p.pipe_dia = record.get("PIPE_DIA");
    p.pipe_shape = record.get("PIPE_SHAPE");
    p.pipe_mann = record.get("PIPE_MANN");
    p.span = record.get("SPAN");
    p.rise = record.get("RISE");
    p.pipe_length = record.get("PIPE_LENGTH");
    p.pipe_eleout = record.get("PIPE_ELEOUT");
    p.pipe_elein = record.get("PIPE_ELEIN");
    p.pipe_flowdepth = record.get("PIPE_FLOWDEPTH");
    p.pipe_discharge = record.get("PIPE_DISCHARGE");
    p.numofpipes = record.get("NUMOFPIPES");
    p.pipe_storm_freq = record.get("PIPE_STORM_FREQ");
    p.nodein_type = record.get("NODEIN_TYPE");
    p.nodein_shaping = record.get("NODEIN_SHAPING");
    p.structure_ca = record.get("STRUCTURE_CA");
    p.pipe_i = record.get("PIPE_I");
    p.pipe_velocity = record.get("PIPE_VELOCITY");
    p.pipe_skew = record.get("PIPE_SKEW");
    p.nodein_station = record.get("NODEIN_STATION");
    p.nodein_topele = record.get("NODEIN_TOPELE");
    return p;
}

std::vector<hgl::HglPipe> hgl_pipes(const store::ProjectContext& context) {
    const auto records = store::PipeTable(context.project_connection).all_in_table_order();
    std::vector<hgl::HglPipe> pipes;
    pipes.reserve(records.size());
    for (const store::PipeRecord& record : records) pipes.push_back(hgl_pipe(record));
    return pipes;
}

hgl::HglResult compute_hgl(const store::ProjectContext& context, std::string_view node,
                           std::string_view tailwater) {
    return hgl::compute_grade_line(hgl_pipes(context), node, tailwater, context.units);
}

HglForm::HglForm(store::ProjectContext& context, Ui& ui, const report::OfficeConverter* office)
    : context_(context), ui_(ui) {
    if (office != nullptr) office_ = *office;
    fields[kNodeField];
    fields[kTailwaterField];
}

HglForm::HglForm(store::ProjectContext& context, Ui& ui)
    : context_(context), ui_(ui), office_(report::OfficeConverter::find()) {
    fields[kNodeField];
    fields[kTailwaterField];
}

void HglForm::open() {
    fields[kNodeField].items = hgl::outfall_nodes(hgl_pipes(context_));
    fields.set_text(kTailwaterField, kDefaultTailwater);
}

void HglForm::field_left(std::string_view name) {
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
    set_report_constants(context_);
    const hgl::HglResult result = compute_hgl(context_, node, fields.text(kTailwaterField));
    run_report(
        ui_, context_, kLd347Report,
        [&](report::Workbook& book) {
            report::write_cells(book, report::ld347_layout(context_, result));
        },
        office_ ? &*office_ : nullptr);
}

void HglForm::cmdHGLclose() {
    close_requested = true;
}

}  // namespace pelvane::forms
