#include "store/pipe_table.h"

namespace pelvane::store {
namespace {

// A file made elsewhere may give PIPE_NUMBER a numeric type; casting keeps the
// text order in every file. rowid breaks ties the same way every time.
constexpr std::string_view kByNumber = "ORDER BY CAST(PIPE_NUMBER AS TEXT), rowid";
constexpr std::string_view kInTableOrder = "ORDER BY rowid";
constexpr std::string_view kNumberIs = "PIPE_NUMBER = ?";
constexpr std::string_view kNumberIsNot = "PIPE_NUMBER IS NOT ?";

}  // namespace

std::vector<PipeRecord> PipeTable::all_by_number() const {
    return table_.select(kByNumber);
}

std::vector<std::string_view> PipeTable::names_of(const std::vector<Column>& columns) const {
    std::vector<std::string_view> names;
    names.reserve(columns.size());
    for (const Column column : columns) {
        names.push_back(table_.has_column(column) ? column.name() : std::string_view());
    }
    return names;
}

void PipeTable::each_text_row(const std::vector<std::string_view>& names, std::string_view order,
                              const std::function<void(std::vector<std::string>&)>& visit) const {
    std::string list;
    for (const auto name : names) {
        if (!list.empty()) list += ", ";
        list += name.empty() ? "NULL" : quoted_identifier(name);
    }
    if (list.empty()) list = "NULL";
    Statement s = table_.database().prepare("SELECT " + list + " FROM PIPE " + std::string(order));
    std::vector<std::string> row(names.size());
    while (s.step()) {
        for (int i = 0; i < static_cast<int>(names.size()); ++i) {
            row[static_cast<std::size_t>(i)] = s.text(i);
        }
        visit(row);
    }
}

std::vector<std::vector<std::string>> PipeTable::texts(const std::vector<std::string_view>& names,
                                                       std::string_view order) const {
    std::vector<std::vector<std::string>> rows;
    each_text_row(names, order, [&rows](std::vector<std::string>& row) { rows.push_back(row); });
    return rows;
}

std::optional<PipeRecord> PipeTable::first_by_number(const std::vector<Column>& columns) const {
    std::optional<PipeRecord> first;
    each_text_row(names_of(columns), std::string(kByNumber) + " LIMIT 1",
                  [&](std::vector<std::string>& row) {
                      first.emplace();
                      for (std::size_t i = 0; i < columns.size(); ++i)
                          first->set(columns[i], row[i]);
                  });
    return first;
}

void PipeTable::each_by_number(const std::vector<Column>& columns,
                               const std::function<void(const PipeRecord&)>& visit) const {
    PipeRecord record;
    each_text_row(names_of(columns), kByNumber, [&](std::vector<std::string>& row) {
        for (std::size_t i = 0; i < columns.size(); ++i) record.set(columns[i], std::move(row[i]));
        visit(record);
    });
}

std::vector<std::vector<std::string>> PipeTable::texts_by_number(
    const std::vector<Column>& columns) const {
    return texts(names_of(columns), kByNumber);
}

std::vector<std::vector<std::string>> PipeTable::own_texts_by_number() const {
    return texts({columns().begin(), columns().end()}, kByNumber);
}

std::vector<std::vector<std::string>> PipeTable::texts_in_table_order(
    const std::vector<Column>& columns) const {
    return texts(names_of(columns), kInTableOrder);
}

void PipeTable::each_in_table_order(
    const std::vector<Column>& columns,
    const std::function<void(const std::vector<std::string>&)>& visit) const {
    each_text_row(names_of(columns), kInTableOrder,
                  [&visit](std::vector<std::string>& row) { visit(row); });
}

void PipeTable::each_texts_by_number(
    const std::vector<Column>& columns,
    const std::function<void(const std::vector<std::string>&)>& visit) const {
    each_text_row(names_of(columns), kByNumber,
                  [&visit](std::vector<std::string>& row) { visit(row); });
}

std::vector<PipeRecord> PipeTable::all_in_table_order() const {
    return table_.select(kInTableOrder);
}

std::optional<PipeRecord> PipeTable::find(std::string_view pipe_number) const {
    auto rows = table_.select("WHERE " + std::string(kNumberIs) + " ORDER BY rowid",
                              {std::string(pipe_number)}, 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

bool PipeTable::exists(std::string_view pipe_number) const {
    return table_.select("WHERE " + std::string(kNumberIs), {std::string(pipe_number)}, 1).size() >
           0;
}

std::vector<std::string> PipeTable::duplicate_numbers() const {
    std::vector<std::string> numbers;
    auto query = table_.database().prepare(
        "SELECT CAST(PIPE_NUMBER AS TEXT) FROM PIPE GROUP BY PIPE_NUMBER HAVING count(*) > 1 "
        "ORDER BY 1");
    while (query.step()) numbers.push_back(query.text(0));
    return numbers;
}

std::vector<std::string> PipeTable::end_nodes() const {
    std::vector<std::string> nodes;
    auto query = table_.database().prepare(
        "SELECT DISTINCT CAST(NODEOUT_NO AS TEXT) AS NODE FROM PIPE WHERE NODEOUT_NO IS NOT NULL "
        "ORDER BY NODE");
    while (query.step()) nodes.push_back(query.text(0));
    return nodes;
}

std::vector<PipeRecord> PipeTable::ending_at(std::string_view node) const {
    return table_.select("WHERE NODEOUT_NO = ? ORDER BY rowid", {std::string(node)});
}

void PipeTable::insert(const PipeRecord& record) const {
    if (record.get("PIPE_NUMBER").empty()) {
        throw DatabaseError("A pipe needs a pipe number.");
    }
    table_.insert(record);
}

bool PipeTable::update(std::string_view pipe_number, const PipeRecord& record) const {
    if (record.holds("PIPE_NUMBER") && record.get("PIPE_NUMBER").empty()) {
        throw DatabaseError("A pipe needs a pipe number.");
    }
    return table_.update(record, kNumberIs, {std::string(pipe_number)}) > 0;
}

bool PipeTable::remove(std::string_view pipe_number) const {
    return table_.remove(kNumberIs, {std::string(pipe_number)}) > 0;
}

std::optional<std::string> PipeTable::first_number_where_any(const std::vector<Column>& columns,
                                                             std::string_view value,
                                                             std::string_view except) const {
    std::string where;
    std::vector<Value> params;
    for (const Column column : columns) {
        if (!table_.has_column(column)) continue;
        where += (where.empty() ? "" : " OR ") + quoted_identifier(column.name()) + " = ?";
        params.emplace_back(std::string(value));
    }
    if (where.empty()) return std::nullopt;
    if (!except.empty()) {
        where = "(" + where + ") AND " + std::string(kNumberIsNot);
        params.emplace_back(std::string(except));
    }
    auto rows = table_.select("WHERE " + where + " ORDER BY rowid", params, 1);
    if (rows.empty()) return std::nullopt;
    return rows.front().get("PIPE_NUMBER");
}

void add_lookup_indexes(const Database& db) {
    std::vector<std::string> missing;
    for (const Column column :
         {Column("NODEIN_NO"), previous_pipe_column(1), previous_pipe_column(2),
          previous_pipe_column(3), previous_pipe_column(4)}) {
        const std::string index = "PIPE_" + std::string(column.name());
        if (!db.has_column("PIPE", column.name()) ||
            db.query_text("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?",
                          {index})) {
            continue;
        }
        missing.push_back("CREATE INDEX IF NOT EXISTS " + quoted_identifier(index) + " ON PIPE (" +
                          quoted_identifier(column.name()) + ")");
    }
    if (missing.empty()) return;
    Transaction transaction(db);
    for (const std::string& sql : missing) db.execute(sql);
    transaction.commit();
}

namespace {

Statement column_update(const PipeTable& table, const std::vector<Column>& columns,
                        std::vector<std::size_t>& bound) {
    std::string assignments;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!table.has_column(columns[i])) continue;
        assignments +=
            (assignments.empty() ? "" : ", ") + quoted_identifier(columns[i].name()) + " = ?";
        bound.push_back(i);
    }
    if (assignments.empty()) throw DatabaseError("No column of PIPE to write.");
    return table.database().prepare("UPDATE PIPE SET " + assignments + " WHERE " +
                                    std::string(kNumberIs));
}

}  // namespace

PipeColumnWriter::PipeColumnWriter(const PipeTable& table, const std::vector<Column>& columns)
    : db_(table.database()), statement_(column_update(table, columns, bound_)) {}

bool PipeColumnWriter::write(std::string_view pipe_number, const std::vector<std::string>& texts) {
    statement_.reset();
    int parameter = 1;
    for (const std::size_t i : bound_) statement_.bind(parameter++, std::string_view(texts.at(i)));
    statement_.bind(parameter, pipe_number);
    statement_.run();
    return db_.changes() > 0;
}

}  // namespace pelvane::store
