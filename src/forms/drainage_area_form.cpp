#include "forms/drainage_area_form.h"

#include <algorithm>
#include <vector>

#include "core/hydrology/land_use.h"
#include "core/text/item_list.h"
#include "core/text/number_text.h"
#include "core/units.h"

namespace pelvane::forms {
namespace {

constexpr FieldName kGroup = "Group";
constexpr FieldName kType = "Type";
constexpr FieldName kCrange = "Crange";
constexpr FieldName kCval = "Cval";
constexpr FieldName kArea = "Area";
constexpr FieldName kCa = "CA";
constexpr FieldName kTotalArea = "TAREA";
constexpr FieldName kTotalCa = "TCA";
constexpr FieldName kAreaUnit = "TAunit";
constexpr FieldName kAreaFrame = "area_frame";

constexpr char kBufferSeparator = ',';

}  // namespace

DrainageAreaForm::DrainageAreaForm(store::ProjectContext& context, DesignSession& session)
    : FormModel(field_names::kDrainageArea), context_(context), session_(session) {
    const auto table = hydrology::land_use_rows(context_.legacy_database_mode);
    // Every loop runs over the project's sub-area list length, which matches the
    // version of the window in use; it can never reach past the table.
    rows_ = std::clamp(session_.sub_area_list_length, 0, static_cast<int>(table.size()));
    for (int i = 0; i < rows_; ++i) {
        const auto& row = table[static_cast<std::size_t>(i)];
        fields.set_text(row_field(kGroup, i), std::string(row.group));
        fields.set_text(row_field(kType, i), std::string(row.type));
        fields.set_text(row_field(kCrange, i), std::string(row.c_range));
        fields.set_text(row_field(kCval, i), std::string(row.initial_c));
        fields.set_text(row_field(kArea, i), "");
        fields.set_text(row_field(kCa, i), "");
    }
    fields.set_text(kTotalArea, "");
    fields.set_text(kTotalCa, "");
    fields.set_text(kAreaUnit, "Ac.");
    fields.set_text(kAreaFrame, "A (Acres)");
}

FieldName DrainageAreaForm::row_field(FieldName column, int row) {
    return column.in_row(row);
}

// A C or area that is empty or does not read as a number counts as 0.
double DrainageAreaForm::field_value(FieldName column, int row) const {
    const auto parsed = text::parse_number(fields.text(row_field(column, row)));
    return parsed.ok() ? parsed.value : 0.0;
}

void DrainageAreaForm::show_product(int row) {
    fields.set_text(row_field(kCa, row),
                    text::shortest_text(field_value(kCval, row) * field_value(kArea, row)));
}

void DrainageAreaForm::open(const AreaExchange& pipe) {
    if (is_english(context_.units)) {
        session_.number_format = "0.000";
    } else {
        session_.number_format = "0.0000";
        fields.set_text(kAreaFrame, "A (Hectares)");
        fields.set_text(kAreaUnit, "Ha");
    }

    if (!pipe.pareabufstr.empty()) {
        const auto count = static_cast<std::size_t>(rows_);
        const auto areas = text::split_items(pipe.pareabufstr, kBufferSeparator, count);
        const auto cs = text::split_items(pipe.pcbufstr, kBufferSeparator, count);
        for (std::size_t i = 0; i < count; ++i) {
            const int row = static_cast<int>(i);
            fields.set_text(row_field(kArea, row), i < areas.size() ? areas[i] : "");
            fields.set_text(row_field(kCval, row), i < cs.size() ? cs[i] : "");
        }
    }
    for (int i = 0; i < rows_; ++i) {
        if (!fields.text(row_field(kArea, i)).empty()) show_product(i);
    }
    cmdcomputearea();
}

void DrainageAreaForm::area_left(int row) {
    const FieldName area_name = row_field(kArea, row);
    const auto area = text::parse_number(text::trim(fields.text(area_name)));
    // An area of nothing (empty, zero, or a lone point) is no area: the row is
    // cleared so that it neither shows nor stores a product.
    if (!area.ok() || area.value == 0.0) {
        fields.set_text(area_name, "");
        fields.set_text(row_field(kCa, row), "");
    } else {
        fields.set_text(area_name, text::format_number(area.value, session_.number_format));
        show_product(row);
    }
    cmdcomputearea();
}

void DrainageAreaForm::c_left(int row) {
    const FieldName c_name = row_field(kCval, row);
    const auto range = hydrology::parse_c_range(fields.text(row_field(kCrange, row)));
    const auto typed = text::parse_number(fields.text(c_name));
    double c = typed.ok() ? typed.value : 0.0;
    if (range) {
        // Empty, or anything that is not a number, takes the low end like a value
        // below the range does.
        if (!typed.ok() || c < range->low) {
            c = range->low;
        } else if (c > range->high) {
            c = range->high;
        }
    }
    // The totals read C from the field, so the kept value goes there first; the
    // two-decimal display follows once the totals are done.
    fields.set_text(c_name, text::shortest_text(c));
    if (!fields.text(row_field(kArea, row)).empty()) show_product(row);
    cmdcomputearea();
    fields.set_text(c_name, text::format_number(c, "0.00"));
}

void DrainageAreaForm::cmdcomputearea() {
    double total_area = 0.0;
    double total_ca = 0.0;
    for (int i = 0; i < rows_; ++i) {
        if (text::trim(fields.text(row_field(kArea, i))).empty()) continue;
        const double a = field_value(kArea, i);
        total_area += a;
        total_ca += field_value(kCval, i) * a;
    }
    fields.set_text(kTotalArea, text::shortest_text(total_area));
    fields.set_text(kTotalCa, text::shortest_text(total_ca));
}

void DrainageAreaForm::cmdsavearea() {
    cmdcomputearea();
    std::vector<std::string> areas;
    std::vector<std::string> cs;
    for (int i = 0; i < rows_; ++i) {
        areas.push_back(fields.text(row_field(kArea, i)));
        cs.push_back(fields.text(row_field(kCval, i)));
    }
    saved_ = AreaExchange{text::join_items(areas, kBufferSeparator),
                          text::join_items(cs, kBufferSeparator), fields.text(kTotalArea),
                          fields.text(kTotalCa)};
    close_requested = true;
}

void DrainageAreaForm::cmdcancelarea() {
    saved_.reset();
    close_requested = true;
}

}  // namespace pelvane::forms
