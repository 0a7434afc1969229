#pragma once
// The order and the filter of the grid's rows. Cells compare as an engineer reads
// them: numbers by value ("2" before "10", "-1.5" before "0.25"), other texts by
// their runs of digits as numbers ("O'Brien 2" before "O'Brien 10"), letters
// without regard to case.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/packed_texts.h"
#include "forms/pipe_grid_rows.h"

namespace pelvane::forms {

// Negative, zero or positive as `a` comes before, with or after `b`. An empty cell
// comes first, a number before a text that is not one; texts that differ only in
// letter case or leading zeros are ordered by their characters, so no two
// different cells compare equal.
int compare_cells(std::string_view a, std::string_view b);

// How the grid shows its rows: sorted on one column (or in the order read) and
// kept to the rows holding the filter text in any column (any letter case).
struct GridView {
    std::optional<std::size_t> sort_column;
    bool descending = false;
    std::string filter;

    // A click on the header of `column`: sorts on it, or reverses the order when
    // it is already the sorted column.
    void sort_by(std::size_t column);
};

// The positions in `rows` of the rows `view` shows, in its order; rows that compare
// equal keep their order.
std::vector<std::size_t> shown_rows(const std::vector<text::PackedTexts>& rows,
                                    const GridView& view);

}  // namespace pelvane::forms
