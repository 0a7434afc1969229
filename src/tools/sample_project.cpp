// sample_project: builds the sample project file from its sources: the template
// copy, the PROJECT record (SQL), the pipes (a pipe list, added under the same
// rules as the pipe window's), a link to the sample inlet database by its full
// path, each pipe's structures designed as in the pipe window (inlet data taken
// over, drainage area and Tc windows saved), and then every discharge and section
// computed and solved from the inlets down as Recompute Network does.

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/pipe/inlet_takeover.h"
#include "core/pipe/slope.h"
#include "forms/drainage_area_form.h"
#include "forms/inlet_link.h"
#include "forms/network_recompute.h"
#include "forms/pipe_grid_import.h"
#include "forms/time_of_concentration_form.h"
#include "store/history.h"
#include "store/pipe_table.h"
#include "store/project_database.h"
#include "tools/generator.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;

std::string read_text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The pipe window's slope. A pipe without one (it does not fall, has no length or
// a text that is no number) is a mistake in the source; an empty value leaves it
// at "0.0" as in the window.
std::string slope_of(const store::PipeRecord& pipe) {
    using Status = pipe::PipeSlope::Status;
    const pipe::PipeSlope slope =
        pipe::pipe_slope(pipe.get("PIPE_LENGTH"), pipe.get("PIPE_ELEIN"), pipe.get("PIPE_ELEOUT"));
    if (slope.status != Status::Computed && slope.status != Status::Incomplete) {
        throw std::runtime_error("pipe " + pipe.get("PIPE_NUMBER") +
                                 ": length and invert elevations do not make a falling pipe");
    }
    return slope.text;
}

// The columns of one end's structure location: station, offset, side, top.
using LocationColumns = std::array<store::Column, 4>;
constexpr LocationColumns kNodeInLocation{"NODEIN_STATION", "NODEIN_OFFSET", "NODEIN_OFFLOC",
                                          "NODEIN_TOPELE"};
constexpr LocationColumns kNodeOutLocation{"NODEOUT_STATION", "NODEOUT_OFFSET", "NODEOUT_OFFLOC",
                                           "NODEOUT_TOPELE"};

void set_location(store::PipeRecord& pipe, const LocationColumns& end,
                  const pipe::StructureLocation& location) {
    pipe.set(end[0], location.station);
    pipe.set(end[1], location.offset);
    pipe.set(end[2], location.offset_location);
    pipe.set(end[3], location.top_elevation);
}

// What the engineer does for a pipe's structures in the pipe window: an inlet's
// data are taken over from the linked inlet database when its number is chosen;
// then the drainage area and Tc windows are saved with the inputs the source keeps
// in their buffers, and hand back the structure's area, C·A and Tc.
void design_structures(store::ProjectContext& context, forms::Ui& ui, store::PipeRecord& pipe) {
    forms::DesignSession session;
    const std::string number = pipe.get("PIPE_NUMBER");
    if (pipe.get("NODEIN_TYPE") == "Inlet") {
        const auto inlet = forms::linked_inlet(context, ui, pipe.get("NODEIN_NO"));
        if (!inlet) throw std::runtime_error("pipe " + number + ": no such inlet");
        const pipe::NodeInTakeover data = pipe::node_in_takeover(*inlet, pipe.get("PIPE_CF"));
        set_location(pipe, kNodeInLocation, data.location);
        pipe.set("STRUCTURE_TC", data.structure_Tc);
        pipe.set("STRUCTURE_AREA", data.structure_area);
        pipe.set("STRUCTURE_CA", data.structure_ca);
        if (data.pipe_cf) pipe.set("PIPE_CF", *data.pipe_cf);
    }
    if (pipe.get("NODEOUT_TYPE") == "Inlet") {
        const auto inlet = forms::linked_inlet(context, ui, pipe.get("NODEOUT_NO"));
        if (!inlet) throw std::runtime_error("pipe " + number + ": no such inlet");
        set_location(pipe, kNodeOutLocation, pipe::node_out_takeover(*inlet));
    }
    if (!pipe.get("PAREABUFSTR").empty()) {
        forms::DrainageAreaForm area(context, session);
        area.open({pipe.get("PAREABUFSTR"), pipe.get("PCBUFSTR"), pipe.get("STRUCTURE_AREA"),
                   pipe.get("STRUCTURE_CA")});
        area.cmdsavearea();
        pipe.set("PAREABUFSTR", area.saved()->pareabufstr);
        pipe.set("PCBUFSTR", area.saved()->pcbufstr);
        pipe.set("STRUCTURE_AREA", area.saved()->structure_area);
        pipe.set("STRUCTURE_CA", area.saved()->structure_ca);
    }
    if (!pipe.get("PTCOPTIONSTR").empty()) {
        forms::TimeOfConcentrationForm tc(context, session, ui);
        tc.open({pipe.get("PTCSTR"), pipe.get("PTCSTR2"), pipe.get("PTCOPTIONSTR"),
                 pipe.get("STRUCTURE_TC"), "1"});
        tc.cmdsavePTc();
        if (!tc.saved() || tc.saved()->Check_ComputeTc != "1") {
            throw std::runtime_error("pipe " + number + ": the Tc inputs give no Tc");
        }
        pipe.set("PTCSTR", tc.saved()->PTcStr);
        pipe.set("PTCSTR2", tc.saved()->pTcStr2);
        pipe.set("PTCOPTIONSTR", tc.saved()->PTcoptionstr);
        pipe.set("STRUCTURE_TC", tc.saved()->structure_Tc);
    }
    pipe.set("PIPE_SLOPE", slope_of(pipe));
}

int build_sample_project(const std::vector<std::string>& args) {
    if (args.size() != 5) {
        std::cerr << "usage: sample_project PROGRAM_FOLDER OUT.pvd PROJECT.sql PIPES.csv "
                     "INLETS.gwk\n";
        return 2;
    }
    const fs::path program_folder = args[0];
    const fs::path out = args[1];
    const fs::path partial = out.string() + ".partial";
    const fs::path inlets = fs::absolute(args[4]).lexically_normal();
    if (!fs::is_regular_file(inlets)) throw std::runtime_error("no inlet database " + args[4]);

    fs::remove(partial);
    store::create_project_file(program_folder, partial);
    {
        auto db = store::Database::open(partial);
        db.execute_script(read_text(args[2]));
        // Linked relative to the project file, so the sample and its inlet file can be
        // copied or installed anywhere together, and no path of this machine is kept.
        const fs::path link = inlets.lexically_relative(fs::absolute(out).parent_path());
        db.execute("UPDATE PROJECT SET INLET_DATABASE = ?", {link.string()});
    }
    store::ProjectContext context;
    context.program_folder = program_folder;
    store::open_project(context, partial);
    forms::import_pipes(context, read_text(args[3]));

    forms::UnattendedUi ui;
    if (!forms::open_inlet_link(context, ui)) throw std::runtime_error("cannot open " + args[4]);
    const store::PipeTable pipes(context.project_connection);
    {
        store::Transaction transaction(context.project_connection);
        for (store::PipeRecord pipe : pipes.all_in_table_order()) {
            design_structures(context, ui, pipe);
            if (!pipes.update(pipe.get("PIPE_NUMBER"), pipe)) {
                throw std::runtime_error("pipe " + pipe.get("PIPE_NUMBER") + " vanished");
            }
        }
        transaction.commit();
    }
    if (!ui.messages.empty()) throw std::runtime_error(ui.messages.front());
    // Every discharge, from the inlets down, and every section, as the pipe window
    // computes and solves them.
    const forms::RecomputeSummary summary = forms::recompute_network(context, ui);
    if (!summary.complete()) throw std::runtime_error(forms::recompute_summary_text(summary));
    // The sample is shipped as a finished project, without the steps that built it.
    store::clear_history(context.project_connection);
    context.inlet_connection.close();
    store::close_project(context);
    context.coefficient_connection.close();
    fs::rename(partial, out);
    return 0;
}

PELVANE_GENERATOR({"sample_project", "PROGRAM_FOLDER OUT.pvd PROJECT.sql PIPES.csv INLETS.gwk",
                   build_sample_project});

}  // namespace
