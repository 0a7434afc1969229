#include "store/columns.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace pelvane::store {
namespace {

bool same_letters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

Column of_row(const std::array<Column, 4>& row, int k) {
    if (k < 1 || k > 4) {
        throw std::out_of_range("There is no previous pipe " + std::to_string(k) + ".");
    }
    return row[static_cast<std::size_t>(k - 1)];
}

}  // namespace

std::optional<Column> Column::find(std::string_view name) {
    for (const auto& columns :
         {std::span<const Column>(kProjectColumns), std::span<const Column>(kPipeColumns),
          std::span<const Column>(kEnergyColumns)}) {
        for (const Column column : columns) {
            if (same_letters(column.name(), name)) return column;
        }
    }
    return std::nullopt;
}

Column Column::named(std::string_view name) {
    if (const auto column = find(name)) return *column;
    throw std::invalid_argument("\"" + std::string(name) +
                                "\" is not a column of the PROJECT, PIPE or ENERGY table.");
}

Column previous_pipe_column(int k) {
    return of_row({"PRENODE1", "PRENODE2", "PRENODE3", "PRENODE4"}, k);
}

Column previous_ca_column(int k) {
    return of_row({"PRECA1", "PRECA2", "PRECA3", "PRECA4"}, k);
}

Column previous_tc_column(int k) {
    return of_row({"PRETC1", "PRETC2", "PRETC3", "PRETC4"}, k);
}

Column previous_flow_time_column(int k) {
    return of_row({"PREFLOWTIME1", "PREFLOWTIME2", "PREFLOWTIME3", "PREFLOWTIME4"}, k);
}

}  // namespace pelvane::store
