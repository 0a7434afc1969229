#pragma once
// The standard size tables behind the size pickers of the pipe window: one picker per
// non-circular, non-box shape and unit system. A row is shown in four columns and
// kept in the picker's list as one text of four tab-separated fields (span, rise,
// area, hydraulic radius); picking a row splits that text again.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "forms/section_rules.h"

namespace pelvane::forms {

// One standard size, as the texts shown: span and rise (in or mm), and for
// information only the full-section area (sq ft or sq m) and hydraulic radius (ft or m).
struct SizeRow {
    std::string_view span;
    std::string_view rise;
    std::string_view area;
    std::string_view hydraulic_radius;

    std::array<std::string_view, 4> columns() const { return {span, rise, area, hydraulic_radius}; }
    // The list text: the four fields joined by tabs.
    std::string list_text() const;
};

struct SizePicker {
    std::string_view window;  // `frmEPipeSize`, ...
    std::string_view title;
    FieldName list;            // the list control
    FieldName select_command;  // the Select button
    FieldName cancel_command;  // the Cancel button
    std::array<std::string_view, 4> captions;
    std::string_view shape;  // the shape it sizes
    bool metric = false;
    std::span<const SizeRow> rows;
};

// All ten pickers.
std::span<const SizePicker> size_pickers();
// The picker the size help opens for a shape in a project's units (any units other
// than ENGLISH take the metric one); nullptr for Circular, Box and any other shape.
const SizePicker* picker_for(std::string_view shape, std::string_view units);
const SizePicker* find_picker(std::string_view window);

// What picking a list text does to the pipe window: span and rise from the first two
// tab-separated fields (a missing field gives ""), both then locked; an arch picker
// also sets and locks the arch's material and sets its n.
SectionChange picked_size(const SizePicker& picker, std::string_view list_text);

}  // namespace pelvane::forms
