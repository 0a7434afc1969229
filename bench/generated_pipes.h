#pragma once
// Generated networks of pipe records, as the pipe window would save them: for the
// recompute and import benchmarks.

#include <sstream>
#include <string>
#include <vector>

#include "forms/pipe_grid_csv.h"
#include "store/pipe_table.h"

namespace pelvane::bench {

// Pipe i (from 1) receives pipes 3(i - 1) + 2 onwards, three of them (one for every
// fifth pipe); listed downstream first. Every seventh pipe has a typed discharge,
// the others computed ones; the pipes near the outfalls are larger.
inline store::PipeRecord generated_pipe(int i, int count) {
    store::PipeRecord r;
    const std::string number = "P" + std::to_string(i);
    const bool typed = i % 7 == 0;
    const std::string ca = i % 2 == 0 ? "0.35" : "0.60";
    r.set("PIPE_NUMBER", number);
    r.set("NODEIN_NO", "S" + number);
    // It ends where the pipe that lists it starts, or at an outfall of its own.
    const int below = (i - 2) / 3 + 1;
    const bool listed = i > 1 && (i - 2) % 3 < (below % 5 == 0 ? 1 : 3);
    r.set("NODEOUT_NO", listed ? "SP" + std::to_string(below) : "OUT" + number);
    r.set("NODEIN_TYPE", typed ? "Junction Box" : "Inlet");
    r.set("PIPE_LENGTH", "120.000");
    r.set("PIPE_ELEIN", "101.200");
    r.set("PIPE_ELEOUT", "100.000");
    r.set("PIPE_SLOPE", "0.01000");
    r.set("PIPE_SHAPE", "Circular");
    r.set("PIPE_MAT", "Concrete");
    r.set("PIPE_DIA", i < count / 10 + 2 ? "60" : i < count / 3 + 2 ? "36" : "18");
    r.set("NUMOFPIPES", "1");
    r.set("PIPE_MANN", "0.013");
    r.set("PIPE_STORM_FREQ", i % 4 == 0 ? "25" : "10");
    r.set("PIPE_CF", i % 4 == 0 ? "1.1" : "1.0");
    r.set("STRUCTURE_CA", typed ? "0.0" : ca);
    r.set("STRUCTURE_AREA", typed ? "0.0" : ca);
    r.set("STRUCTURE_TC", i % 3 == 0 ? "8.000" : "5.0");
    r.set("STRUCTURE_DISCHARGE", typed ? "3.000" : "0.0");
    r.set("DISCHARGEVAL", typed ? "INP" : "CRM");
    r.set("LATERAL_DISCHARGE", "0.0");
    const int first = 3 * (i - 1) + 2;
    const int receives = i % 5 == 0 ? 1 : 3;
    for (int k = 0; k < receives && first + k <= count; ++k) {
        r.set(store::previous_pipe_column(k + 1), "P" + std::to_string(first + k));
    }
    return r;
}

// The generated network of `count` pipes as a pipe list that `pelvane import` reads.
inline std::string generated_list(int count) {
    const store::PipeRecord first = generated_pipe(1, count);
    std::vector<store::Column> columns;
    std::vector<std::string> header;
    for (const auto& [column, text] : first.texts()) {
        columns.push_back(column);
        header.emplace_back(column.name());
    }
    std::ostringstream csv;
    csv << forms::csv_line(header);
    for (int i = 1; i <= count; ++i) {
        const store::PipeRecord pipe = generated_pipe(i, count);
        std::vector<std::string> cells;
        for (const store::Column column : columns) cells.push_back(pipe.get(column));
        csv << forms::csv_line(cells);
    }
    return csv.str();
}

}  // namespace pelvane::bench
