#include "pipe_energy_test_project.h"

#include "pipe_form_fixture.h"
#include "report/report_writer.h"
#include "store/project_database.h"

namespace pelvane::testing {

namespace fs = std::filesystem;

RowValues circular_pipe(const std::string& number, const std::string& node_out,
                        const std::string& discharge) {
    RowValues pipe{
        {"PIPE_NUMBER", number}, {"NODEIN_NO", "in " + number}, {"NODEOUT_NO", node_out}};
    for (auto& column : row("PIPE_SHAPE=Circular; PIPE_MAT=Concrete; PIPE_DIA=24; NUMOFPIPES=1;"
                            "PIPE_SLOPE=0.01; PIPE_MANN=0.013; PIPE_STORM_FREQ=10; PIPE_CF=1.0;"
                            "DISCHARGEVAL=CRM; ACCUMULATED_TC=10; ACCUMULATED_CA=2.0;"
                            "PIPE_FLOWDEPTH=1.2; PIPE_AREAFLOW=1.96; PIPE_WP=3.54;"
                            "HYD_RADIUS=0.553; PIPE_VELOCITY=10.2; FROUDE_NO=1.9")) {
        pipe.push_back(std::move(column));
    }
    pipe.emplace_back("LATERAL_DISCHARGE", std::nullopt);
    pipe.emplace_back("PIPE_DISCHARGE", discharge);
    return pipe;
}

RowValues with(RowValues row, const std::string& column, std::optional<std::string> value) {
    for (auto& [name, text] : row) {
        if (name == column) {
            text = std::move(value);
            return row;
        }
    }
    row.emplace_back(column, std::move(value));
    return row;
}

OutletProject::OutletProject(const std::string& units, bool with_usda)
    : program_(folder_ / "program"), file_(folder_ / "O'Brien outfalls.pvd"), units_(units) {
    fs::create_directories(program_);
    write_station_rainfall(program_ / "VARMNOAA.rdb", {kStation},
                           [](int years) { return 100.0 * (years == 2 ? 1 : 2); });
    if (with_usda) {
        fs::copy_file(program_folder() / store::kCoefficientFileName,
                      program_ / store::kCoefficientFileName);
    }
    fs::copy_file(program_folder() / report::kOutletProtectionTemplate,
                  program_ / report::kOutletProtectionTemplate);
    make_current_project(file_);
    RowValues project =
        row("MAJOR_RELEASE=2.1; PROJECT_ID=P-7; PROJECT_NAME=Route 460 O'Brien;"
            "LOCATION=Pulaski; DESIGNER=D. Engineer");
    project.emplace_back("NOAA_STATION", kStation);
    project.emplace_back("UNITS", units_);
    insert_row(file_, "PROJECT", project);
}

store::ProjectContext& OutletProject::open() {
    store::ProjectContext& context = sessions_.emplace_back();
    context.program_folder = program_;
    store::open_project(context, file_);
    design.enter_outlet_protection(context);
    return context;
}

}  // namespace pelvane::testing
