#include "store/energy_table.h"

namespace pelvane::store {

std::vector<EnergyRecord> EnergyTable::all() const {
    return table_.select("ORDER BY rowid");
}

std::optional<EnergyRecord> EnergyTable::first() const {
    auto rows = table_.select("ORDER BY rowid", {}, 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

std::vector<EnergyRecord> EnergyTable::of_node(std::string_view end_node) const {
    return table_.select("WHERE ENODEOUT_NO = ? ORDER BY rowid", {std::string(end_node)});
}

void EnergyTable::save_first(const EnergyRecord& record) const {
    Transaction transaction(table_.database());
    if (table_.update(record, "rowid = (SELECT min(rowid) FROM ENERGY)", {}) == 0 &&
        table_.count() == 0) {
        table_.insert(record);
    }
    transaction.commit();
}

}  // namespace pelvane::store
