#pragma once
// Project files with pipe networks for the recompute tests: a fresh project from
// the build's template with Pulaski rainfall, pipes added as plain records, and a
// generated branching network.

#include <filesystem>
#include <string>
#include <vector>

#include "store/pipe_table.h"
#include "store/project_database.h"
#include "store/project_details.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::testing {

// A pipe run of 100 ft falling 1 ft, 24 in concrete, 10-year storm. Its discharge
// is computed from `structure_ca` (acres) and a 5-minute Tc.
inline store::PipeRecord computed_pipe(const std::string& number, const std::string& structure_ca,
                                       const std::vector<std::string>& previous = {}) {
    store::PipeRecord r;
    r.set("PIPE_NUMBER", number);
    r.set("NODEIN_NO", "S" + number);
    for (const auto& [column, text] :
         row("NODEIN_TYPE=Inlet; PIPE_LENGTH=100.000; PIPE_ELEIN=100.000; PIPE_ELEOUT=99.000;"
             "PIPE_SLOPE=0.01000; PIPE_SHAPE=Circular; PIPE_MAT=Concrete; PIPE_DIA=24;"
             "NUMOFPIPES=1; PIPE_MANN=0.013; PIPE_STORM_FREQ=10; PIPE_CF=1.0; PIPE_I=0.0;"
             "STRUCTURE_TC=5.0; STRUCTURE_DISCHARGE=0.0; DISCHARGEVAL=CRM; ACCUMULATED_TC=5.0;"
             "LATERAL_DISCHARGE=0.0; PIPE_DISCHARGE=0.0")) {
        r.set(store::Column::named(column), *text);
    }
    for (const store::Column column :
         {store::Column("STRUCTURE_AREA"), store::Column("STRUCTURE_CA"),
          store::Column("ACCUMULATED_CA")}) {
        r.set(column, structure_ca);
    }
    for (int k = 1; k <= 4; ++k) {
        r.set(store::previous_pipe_column(k),
              k <= static_cast<int>(previous.size()) ? previous[k - 1] : "");
        r.set(store::previous_ca_column(k), "0.0");
        r.set(store::previous_tc_column(k), "0.0");
        r.set(store::previous_flow_time_column(k), "0.0");
    }
    return r;
}

// The same run with a discharge typed for its upper structure (cfs).
inline store::PipeRecord typed_pipe(const std::string& number, const std::string& discharge,
                                    const std::vector<std::string>& previous = {}) {
    store::PipeRecord r = computed_pipe(number, "0.0", previous);
    r.set("NODEIN_TYPE", "Junction Box");
    r.set("DISCHARGEVAL", "INP");
    r.set("STRUCTURE_DISCHARGE", discharge);
    r.set("PIPE_DISCHARGE", discharge);
    return r;
}

// A fresh project file at `file` with its details saved as the details window saves
// them.
inline void make_station_project(const std::filesystem::path& file,
                                 const std::string& units = "ENGLISH",
                                 const std::string& station = "Pulaski") {
    store::create_project_file(program_folder(), file);
    store::ProjectContext context = open_project_for_test(file);
    store::ProjectDetails details;
    details.project_id = "NET-1";
    details.project_name = "Network";
    details.county = "Pulaski";
    details.noaa_station = station;
    details.units = units;
    store::save_project_details(context, details, store::DetailsWindow::NoaaStation);
}

// A project file in a temporary folder, open for design work.
class NetworkProject {
  public:
    explicit NetworkProject(const std::string& units = "ENGLISH",
                            const std::string& station = "Pulaski")
        : file_(folder_ / "network.pvd") {
        make_station_project(file_, units, station);
        context_ = open_project_for_test(file_);
    }

    store::ProjectContext& context() { return context_; }
    const std::filesystem::path& file() const { return file_; }
    store::PipeTable pipes() const { return store::PipeTable(context_.project_connection); }

    void add(const store::PipeRecord& record) const { pipes().insert(record); }
    void add(const std::vector<store::PipeRecord>& records) const {
        store::Transaction transaction(context_.project_connection);
        for (const auto& r : records) pipes().insert(r);
        transaction.commit();
    }
    store::PipeRecord pipe(const std::string& number) const { return *pipes().find(number); }
    std::string text(const std::string& number, store::Column column) const {
        return pipe(number).get(column);
    }
    // Sets one column of a saved pipe, as an edit in the pipe window would.
    void set(const std::string& number, store::Column column, const std::string& text) const {
        store::PipeRecord change;
        change.set(column, text);
        EXPECT_TRUE(pipes().update(number, change)) << number;
    }
    std::vector<store::PipeRecord> rows() const { return pipes().all_in_table_order(); }

  private:
    TempFolder folder_;
    std::filesystem::path file_;
    store::ProjectContext context_;
};

// A branching network of `count` pipes, listed downstream first so that table order
// is the wrong order to design in. Pipe "N1" is the outfall; pipe i receives up to
// `fan_in` pipes numbered after it. Every seventh pipe has a typed discharge, the
// others computed ones with varied areas, times, storms, lateral discharges and
// shapes; sizes grow downstream so that most pipes flow partly full.
inline std::vector<store::PipeRecord> branching_network(int count, int fan_in = 3) {
    std::vector<store::PipeRecord> pipes;
    pipes.reserve(count);
    for (int i = 1; i <= count; ++i) {
        std::vector<std::string> previous;
        const int first = fan_in * (i - 1) + 2;
        // Fan-in varies: 0 to `fan_in` previous pipes.
        const int receives = i % 5 == 0 ? 1 : fan_in;
        for (int k = 0; k < receives && first + k <= count; ++k) {
            previous.push_back("N" + std::to_string(first + k));
        }
        const std::string number = "N" + std::to_string(i);
        const std::string ca = std::to_string(0.2 + 0.05 * (i % 9)).substr(0, 4);
        store::PipeRecord r = i % 7 == 0
                                  ? typed_pipe(number, std::to_string(1 + i % 4) + ".500", previous)
                                  : computed_pipe(number, ca, previous);
        r.set("STRUCTURE_TC", i % 3 == 0 ? "7.500" : "5.0");
        r.set("PIPE_STORM_FREQ", i % 4 == 0 ? "25" : "10");
        r.set("PIPE_CF", i % 4 == 0 ? "1.1" : "1.0");
        if (i % 6 == 0) r.set("LATERAL_DISCHARGE", "0.250");
        // Deeper in the network (small i) the pipes are larger.
        const int size = i < count / 10 + 2 ? 48 : i < count / 3 + 2 ? 36 : 24;
        r.set("PIPE_DIA", std::to_string(size));
        r.set("PIPE_LENGTH", std::to_string(80 + 10 * (i % 6)) + ".000");
        if (i % 11 == 0) {
            r.set("PIPE_SHAPE", "Box");
            r.set("PIPE_DIA", "");
            r.set("SPAN", "48");
            r.set("RISE", "36");
        }
        pipes.push_back(std::move(r));
    }
    return pipes;
}

}  // namespace pelvane::testing
