#include "fuzz/mutations.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "store/sqlite/database.h"
#include "support/file_bytes.h"

namespace pelvane::fuzz {
namespace {

namespace fs = std::filesystem;
using store::Database;
using store::Value;

std::size_t below(Random& random, std::size_t n) {
    return n == 0 ? 0 : static_cast<std::size_t>(random() % n);
}

template <class T>
const T& pick(Random& random, const std::vector<T>& items) {
    return items[below(random, items.size())];
}

void write_bytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Values another program may leave in a text column: numbers out of any range,
// blobs, text that is not UTF-8, blanks, very long texts.
Value odd_value(Random& random) {
    static const std::vector<Value> values{nullptr,
                                           1e308,
                                           -1e308,
                                           std::int64_t{9223372036854775807},
                                           std::string("abc"),
                                           std::string(),
                                           std::string("\xE9t\xE9 \x96 \xFF\xFE"),
                                           std::string(100000, '9'),
                                           std::string(" 12 "),
                                           -5.0,
                                           std::string("1e999"),
                                           0.0};
    return pick(random, values);
}

std::string quoted_name(const std::string& name) {
    return "\"" + name + "\"";
}

std::int64_t random_rowid(const Database& db, const std::string& table, Random& random) {
    std::vector<std::int64_t> rows;
    auto query = db.prepare("SELECT rowid FROM " + quoted_name(table));
    while (query.step()) rows.push_back(std::get<std::int64_t>(query.value(0)));
    return rows.empty() ? 0 : pick(random, rows);
}

// A table rebuilt as a plain copy of itself: the columns stay, the constraints
// (PIPE_NUMBER's UNIQUE) do not, as a table another program made.
void rebuild_without_constraints(const Database& db, const std::string& table,
                                 const std::vector<std::string>& keep) {
    std::string columns;
    for (const auto& c : keep) columns += (columns.empty() ? "" : ", ") + quoted_name(c);
    db.execute("CREATE TABLE fuzz_copy AS SELECT " + columns + " FROM " + quoted_name(table));
    db.execute("DROP TABLE " + quoted_name(table));
    db.execute("ALTER TABLE fuzz_copy RENAME TO " + quoted_name(table));
}

std::string sql_mutation(const fs::path& file, Random& random) {
    const Database db = Database::open(file);
    const std::vector<std::string> tables{"PIPE", "PIPE", "PROJECT", "ENERGY"};
    const std::string table = pick(random, tables);
    const auto columns = db.columns_of(table);
    switch (below(random, 6)) {
        case 0:
            db.execute("DROP TABLE " + quoted_name(table));
            return "dropped table " + table;
        case 1: {
            std::vector<std::string> keep = columns;
            const std::string dropped = keep[below(random, keep.size())];
            std::erase(keep, dropped);
            rebuild_without_constraints(db, table, keep);
            return "dropped column " + table + "." + dropped;
        }
        case 2: {
            std::string what;
            for (std::size_t n = 1 + below(random, 3); n > 0; --n) {
                const std::string column = pick(random, columns);
                const auto row = random_rowid(db, table, random);
                db.execute("UPDATE " + quoted_name(table) + " SET " + quoted_name(column) +
                               " = ?1 WHERE rowid = ?2",
                           {odd_value(random), row});
                what += (what.empty() ? "" : ", ") + table + "." + column;
            }
            return "odd values in " + what;
        }
        case 3: {
            rebuild_without_constraints(db, "PIPE", db.columns_of("PIPE"));
            const auto row = random_rowid(db, "PIPE", random);
            db.execute("INSERT INTO PIPE SELECT * FROM PIPE WHERE rowid = ?1", {row});
            return "pipe of rowid " + std::to_string(row) + " duplicated without a unique key";
        }
        case 4: {
            const auto row = random_rowid(db, "PIPE", random);
            const std::vector<std::string> loops{
                "UPDATE PIPE SET PRENODE1 = PIPE_NUMBER WHERE rowid = ?1",
                "UPDATE PIPE SET NODEIN_NO = NODEOUT_NO WHERE rowid = ?1",
                "UPDATE PIPE SET PRENODE2 = (SELECT max(PIPE_NUMBER) FROM PIPE) WHERE rowid = ?1"};
            db.execute(pick(random, loops), {row});
            return "looping references in pipe of rowid " + std::to_string(row);
        }
        default:
            db.execute("DELETE FROM " + quoted_name(table));
            return "emptied table " + table;
    }
}

}  // namespace

std::string mutate_project(const fs::path& file, Random& random) {
    std::string bytes = pelvane::testing::bytes_of(file);
    switch (below(random, 4)) {
        case 0: {
            const std::size_t flips = 1 + below(random, 16);
            for (std::size_t i = 0; i < flips; ++i) {
                // The flip is drawn before the place: a recorded seed makes its file
                // again only in this order.
                const auto flip = static_cast<unsigned char>(1 + below(random, 255));
                char& byte = bytes[below(random, bytes.size())];
                byte = static_cast<char>(static_cast<unsigned char>(byte) ^ flip);
            }
            write_bytes(file, bytes);
            return std::to_string(flips) + " bytes changed";
        }
        case 1: {
            const std::size_t size = below(random, bytes.size());
            write_bytes(file, bytes.substr(0, size));
            return "cut to " + std::to_string(size) + " bytes";
        }
        default:
            try {
                return sql_mutation(file, random);
            } catch (const store::DatabaseError& e) {
                return std::string("SQL mutation stopped: ") + e.what();
            }
    }
}

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i ? separator : "") + parts[i];
    return text;
}

// One mutation of the list's lines (header first); `what` says which.
void mutate_lines(std::vector<std::string>& lines, Random& random, std::string& what) {
    const std::size_t line = lines.size() > 1 ? 1 + below(random, lines.size() - 1) : 0;
    auto cells = split(lines[line], ',');
    const std::size_t cell = below(random, cells.size());
    switch (below(random, 12)) {
        case 0:
            lines.push_back(lines[line]);
            what = "line " + std::to_string(line + 1) + " twice";
            return;
        case 1:
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(line));
            what = "line " + std::to_string(line + 1) + " left out";
            return;
        case 2: {
            const std::size_t column = below(random, split(lines[0], ',').size());
            for (auto& l : lines) {
                auto c = split(l, ',');
                if (column < c.size()) c.erase(c.begin() + static_cast<std::ptrdiff_t>(column));
                l = joined(c, ",");
            }
            what = "column " + std::to_string(column + 1) + " left out";
            return;
        }
        case 3: {
            auto header = split(lines[0], ',');
            std::swap(header[below(random, header.size())], header[below(random, header.size())]);
            lines[0] = joined(header, ",");
            what = "two headings swapped";
            return;
        }
        case 4:
            cells[cell].insert(below(random, cells[cell].size() + 1), "\"");
            what = "an unclosed quote";
            break;
        case 5:
            cells[cell] += "\xE9\x96\xB0";
            what = "Windows-1252 bytes";
            break;
        case 6: {
            const std::vector<std::string> numbers{
                "1e308", "-1e308", "nan", "inf", "-0", "", "1e-320", "99999999999999999999",
                " 7 ",   "0x10"};
            cells[cell] = pick(random, numbers);
            what = "cell " + std::to_string(cell + 1) + " = '" + cells[cell] + "'";
            break;
        }
        case 7:
            cells[cell] = "\"two\r\nlines\"";
            what = "a quoted line break";
            break;
        case 8:
            cells[cell] = std::string(200000, 'x');
            what = "a very long cell";
            break;
        case 9:
            cells.resize(below(random, cells.size() * 2 + 1), "5");
            what = std::to_string(cells.size()) + " cells on line " + std::to_string(line + 1);
            break;
        case 10:
            if (cells.size() > 28) cells[28] = cells[0];  // PRENODE1: the pipe itself
            what = "a pipe listed as its own previous pipe";
            break;
        default:
            if (cells.size() > 8) cells[8] = cells[1];  // node out = node in
            what = "node in equals node out";
            break;
    }
    lines[line] = joined(cells, ",");
}

}  // namespace

std::string mutate_pipe_list(const std::string& list, Random& random, std::string& what) {
    switch (below(random, 10)) {
        case 0: {
            std::string bytes = list;
            for (std::size_t n = 1 + below(random, 8); n > 0; --n) {
                bytes[below(random, bytes.size())] = static_cast<char>(below(random, 256));
            }
            what = "bytes changed";
            return bytes;
        }
        case 1: {
            const std::size_t size = below(random, list.size());
            what = "cut to " + std::to_string(size) + " bytes";
            return list.substr(0, size);
        }
        case 2: {
            std::string crlf;
            for (const char c : list) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            what = "CR LF line ends";
            return "\xEF\xBB\xBF" + crlf;
        }
        default: {
            auto lines = split(list, '\n');
            std::string step;
            for (std::size_t n = 1 + below(random, 3); n > 0; --n) {
                mutate_lines(lines, random, step);
                what += (what.empty() ? "" : "; ") + step;
            }
            return joined(lines, "\n") + "\n";
        }
    }
}

}  // namespace pelvane::fuzz
