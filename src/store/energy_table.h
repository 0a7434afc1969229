#pragma once
// The ENERGY table: the outlet protection record of an outfall. The outlet
// protection window edits one record at a time, the first of the table in table
// order, or a new one when the table is empty.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "store/project_table.h"

namespace pelvane::store {

using EnergyRecord = TextRecord;

class EnergyTable {
  public:
    explicit EnergyTable(const Database& db) : table_(db, "ENERGY") {}

    const std::vector<std::string>& columns() const { return table_.columns(); }
    std::int64_t count() const { return table_.count(); }

    // All records in table order.
    std::vector<EnergyRecord> all() const;
    // The record the window edits: the first in table order.
    std::optional<EnergyRecord> first() const;
    // The records of one end node (ENODEOUT_NO), in table order.
    std::vector<EnergyRecord> of_node(std::string_view end_node) const;

    // Writes the window's record: updates the first record in place, or adds one
    // when the table is empty. Columns the record does not hold keep their values.
    void save_first(const EnergyRecord& record) const;

  private:
    TextTable table_;
};

}  // namespace pelvane::store
