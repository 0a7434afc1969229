#pragma once
// The PIPE table: one row per pipe run of the network. PIPE_NUMBER is the key of
// every lookup. Rows keep their rowid for life (edits and renumbering update in
// place), so table order is the order in which the pipes were added.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/project_table.h"

namespace pelvane::store {

using PipeRecord = TextRecord;

class PipeTable {
  public:
    explicit PipeTable(const Database& db) : table_(db, "PIPE") {}

    // The columns this file's PIPE table has (a legacy file lacks the fourth
    // previous pipe and DISCHARGEVAL).
    const std::vector<std::string>& columns() const { return table_.columns(); }
    bool has_column(Column column) const { return table_.has_column(column); }

    // All pipes ordered by PIPE_NUMBER as text ("10" before "9"): the grid's order.
    std::vector<PipeRecord> all_by_number() const;
    // The texts of `columns` of every pipe, one row per pipe in all_by_number()
    // order and one text per column in the order given; a column this table lacks
    // reads "". Lists of many pipes read only what they show this way.
    std::vector<std::vector<std::string>> texts_by_number(const std::vector<Column>& columns) const;
    // Each pipe in all_by_number() order, one at a time, holding `columns` only (a
    // column this table lacks reads ""): reports of many pipes never hold them all.
    void each_by_number(const std::vector<Column>& columns,
                        const std::function<void(const PipeRecord&)>& visit) const;
    // The first of them, or nullopt when there are no pipes.
    std::optional<PipeRecord> first_by_number(const std::vector<Column>& columns) const;
    // The texts of every column this table has (columns()), as texts_by_number().
    std::vector<std::vector<std::string>> own_texts_by_number() const;
    // All pipes in the order they were added.
    std::vector<PipeRecord> all_in_table_order() const;
    // The texts of `columns` of every pipe in the order they were added, one text per
    // column in the order given; a column this table lacks reads "". Work over
    // thousands of pipes reads only what it needs this way.
    std::vector<std::vector<std::string>> texts_in_table_order(
        const std::vector<Column>& columns) const;
    // The same rows one at a time, for a network too large to hold as texts.
    void each_in_table_order(
        const std::vector<Column>& columns,
        const std::function<void(const std::vector<std::string>&)>& visit) const;
    // The texts of `columns` of every pipe by number, one pipe at a time.
    void each_texts_by_number(
        const std::vector<Column>& columns,
        const std::function<void(const std::vector<std::string>&)>& visit) const;
    std::optional<PipeRecord> find(std::string_view pipe_number) const;
    bool exists(std::string_view pipe_number) const;
    std::int64_t count() const { return table_.count(); }
    // The numbers more than one pipe has, ascending as text. The template's PIPE
    // table keeps numbers unique, but a file written by another program may not.
    std::vector<std::string> duplicate_numbers() const;

    // The end nodes: the distinct NODEOUT_NO values other than NULL, ascending as text.
    std::vector<std::string> end_nodes() const;
    // The pipes whose NODEOUT_NO is `node`, in table order.
    std::vector<PipeRecord> ending_at(std::string_view node) const;

    // Adds a pipe; a DatabaseError when its number is empty or already used.
    void insert(const PipeRecord& record) const;
    // Writes the record's columns into the pipe numbered `pipe_number` in place (a
    // different PIPE_NUMBER in the record renumbers it). False when there is no
    // such pipe.
    [[nodiscard]] bool update(std::string_view pipe_number, const PipeRecord& record) const;
    [[nodiscard]] bool remove(std::string_view pipe_number) const;

    // PIPE_NUMBER of the first pipe in table order whose value in any of `columns`
    // equals `value` (columns this table lacks are left out), as the previous-pipe
    // and node lookups need. The pipe numbered `except` is passed over ("" passes
    // over none).
    std::optional<std::string> first_number_where_any(const std::vector<Column>& columns,
                                                      std::string_view value,
                                                      std::string_view except = {}) const;

    const Database& database() const { return table_.database(); }

  private:
    // The names of `columns` that this table has, "" for the others.
    std::vector<std::string_view> names_of(const std::vector<Column>& columns) const;
    // `names` are this table's own column names ("" reads NULL), never a caller's text.
    void each_text_row(const std::vector<std::string_view>& names, std::string_view order,
                       const std::function<void(std::vector<std::string>&)>& visit) const;
    std::vector<std::vector<std::string>> texts(const std::vector<std::string_view>& names,
                                                std::string_view order) const;

    TextTable table_;
};

// Adds the indexes the network rules' lookups need (the node-in structure and the
// previous pipes) to a PIPE table that lacks them, as files made before they were
// part of the template do. Columns the table lacks get none.
void add_lookup_indexes(const Database& db);

// Writes the same columns into many pipes through one prepared UPDATE, for work that
// rewrites thousands of rows in one transaction. Columns the table lacks are left
// out.
class PipeColumnWriter {
  public:
    PipeColumnWriter(const PipeTable& table, const std::vector<Column>& columns);

    // `texts` holds one text per column given to the constructor, in that order.
    // False when no pipe has that number.
    [[nodiscard]] bool write(std::string_view pipe_number, const std::vector<std::string>& texts);

  private:
    const Database& db_;
    std::vector<std::size_t> bound_;  // index into `texts` of each SET parameter
    Statement statement_;             // made after bound_, which it fills
};

}  // namespace pelvane::store
