// The grid's cells edited in place and through the size picker: each edit is a
// one-pipe paste, so it meets the same checks and clears the same results.

#include <algorithm>
#include <exception>

#include "core/pipe/catalogue.h"
#include "forms/pipe_form.h"
#include "forms/pipe_grid_csv.h"
#include "forms/pipe_grid_form.h"
#include "forms/pipe_grid_import.h"
#include "forms/section_rules.h"
#include "forms/size_pickers.h"

namespace pelvane::forms {
namespace {

using Cells = std::vector<std::pair<store::Column, std::string>>;

// Where a column stands in the grid (the same in legacy database mode).
constexpr std::size_t grid_index(store::Column column) {
    for (std::size_t i = 0; i < kGridColumns.size(); ++i) {
        if (kGridColumns[i].column == column) return i;
    }
    throw "not a column of the grid";
}
constexpr std::size_t kShape = grid_index("PIPE_SHAPE");
constexpr std::size_t kSpan = grid_index("SPAN");

// The PIPE columns of the section fields a change gives a text, as the pipe window
// would save them.
void add_section_cells(const SectionChange& change, Cells& cells) {
    change.each([&](FieldName field, const FieldChange& c) {
        if (!c.text) return;
        const auto& bindings = pipe_bindings();
        const auto bound = std::ranges::find(bindings, field, &PipeBinding::field);
        if (bound == bindings.end()) return;
        const auto same = std::ranges::find(cells, bound->column, &Cells::value_type::first);
        if (same == cells.end()) {
            cells.emplace_back(bound->column, *c.text);
        } else {
            same->second = *c.text;
        }
    });
}

}  // namespace

PipeGridForm::CellEdit PipeGridForm::cell_edit(int row, std::size_t index) const {
    if (index == 0 || index >= columns().size() || row < 1 || row > record_count() ||
        !fields.at("mnuPastePipes").enabled) {
        return CellEdit::None;
    }
    const store::Column column = columns()[index].column;
    // The discharge is the solve's: a recompute would replace a typed one.
    if (column == store::Column("PIPE_DISCHARGE")) return CellEdit::None;
    if (columns()[index].unit != &UnitNames::size) return CellEdit::InPlace;
    const std::string_view shape = shown_cell(static_cast<std::size_t>(row - 1), kShape);
    const bool diameter = pipe::sized_by_diameter(shape);
    if (column == store::Column("PIPE_DIA")) return diameter ? CellEdit::InPlace : CellEdit::None;
    if (diameter) return CellEdit::None;
    return picker_for(shape, context_.units) ? CellEdit::Picker : CellEdit::InPlace;
}

std::vector<std::string> PipeGridForm::cell_choices(int row, std::size_t index) const {
    if (cell_edit(row, index) != CellEdit::InPlace) return {};
    const store::Column column = columns()[index].column;
    std::vector<std::string> choices;
    if (column == store::Column("PIPE_SHAPE")) {
        choices.reserve(pipe::shapes().size());
        for (const pipe::Shape& shape : pipe::shapes()) choices.emplace_back(shape.name);
    } else if (column == store::Column("PIPE_MAT")) {
        const auto materials = pipe::materials();
        choices.assign(materials.begin(), materials.end());
    } else if (column == store::Column("PIPE_DIA")) {
        const auto diameters = pipe::standard_diameters(context_.units);
        choices.assign(diameters.begin(), diameters.end());
    }
    return choices;
}

bool PipeGridForm::edit_cell(int row, std::size_t index, const std::string& text) {
    if (cell_edit(row, index) != CellEdit::InPlace) return false;
    const GridRow shown = shown_row(static_cast<std::size_t>(row - 1));
    if (shown[index] == text) return false;
    const store::Column column = columns()[index].column;
    Cells cells{{column, text}};
    // The section fields follow a shape or material as they do in the pipe window.
    if (column == store::Column("PIPE_SHAPE")) {
        add_section_cells(shape_chosen(text, context_.units), cells);
    } else if (column == store::Column("PIPE_MAT")) {
        add_section_cells(material_chosen(text, shown[kShape]), cells);
    }
    return write_cells(row, column.name(), cells);
}

bool PipeGridForm::pick_size(int row) {
    if (row < 1 || row > record_count()) return false;
    const std::string shape(shown_cell(static_cast<std::size_t>(row - 1), kShape));
    const SizePicker* picker = picker_for(shape, context_.units);
    if (!picker || cell_edit(row, kSpan) != CellEdit::Picker) return false;
    SizePickerForm form(*picker, ui_);
    windows_.show_size_picker(form);
    if (!form.picked()) return false;
    Cells cells;
    add_section_cells(*form.picked(), cells);
    return write_cells(row, "SPAN", cells);
}

bool PipeGridForm::write_cells(int row, std::string_view edited, const Cells& cells) {
    const std::string number(shown_cell(static_cast<std::size_t>(row - 1), 0));
    std::vector<std::string> names{"PIPE_NUMBER"};
    GridRow values{number};
    names.reserve(cells.size() + 1);
    values.reserve(cells.size() + 1);
    for (const auto& [column, text] : cells) {
        names.emplace_back(column.name());
        values.push_back(text);
    }
    try {
        forms::import_pipes(context_, copied_rows(names, {values}), ImportMode::Write,
                            SavedPipes::Update, step_names::kEditInGrid);
    } catch (const ImportError& e) {
        const ImportProblem& problem = e.problems().front();
        ui_.message("Pipe " + number + ", " +
                        (problem.column.empty() ? std::string(edited) : problem.column) + ": " +
                        problem.message,
                    Icon::Exclamation, kAppTitle);
        return false;
    } catch (const std::exception& e) {
        ui_.message(e.what(), Icon::Exclamation, kAppTitle);
        return false;
    }
    read_rows();
    if (!select_pipe(number)) selected_ = shown_.empty() ? 0 : std::min(row, record_count());
    return true;
}

}  // namespace pelvane::forms
