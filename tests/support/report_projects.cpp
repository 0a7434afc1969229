#include "support/report_projects.h"

namespace pelvane::testing {

RowValues pipe_row(const std::string& number, const std::string& in, const std::string& out,
                   const RowValues& more) {
    RowValues values =
        row("NODEIN_TYPE=Man Hole; NODEIN_STATION=10+50; NODEIN_TOPELE=108.00; NODEIN_SHAPING=NO;"
            "NODEOUT_STATION=10+00; PIPE_SHAPE=Circular; PIPE_MAT=Concrete; PIPE_DIA=18;"
            "NUMOFPIPES=1; PIPE_MANN=0.013; PIPE_SKEW=0; PIPE_LENGTH=100.00; PIPE_ELEIN=101.00;"
            "PIPE_ELEOUT=100.00; PIPE_SLOPE=0.01000; PIPE_STORM_FREQ=10; PIPE_I=0.0;"
            "STRUCTURE_AREA=0.0; STRUCTURE_CA=0.0; ACCUMULATED_CA=0.0; ACCUMULATED_TC=5.0;"
            "LATERAL_DISCHARGE=0.0; PIPE_DISCHARGE=10.00; PIPE_FLOWDEPTH=0.800;"
            "PIPE_VELOCITY=5.660; FLOW_TIME=17.668; FLOW_TYPE=PARTIAL FLOW");
    values.insert(values.begin(),
                  {{"PIPE_NUMBER", number}, {"NODEIN_NO", in}, {"NODEOUT_NO", out}});
    for (const auto& [column, value] : more) values = with(std::move(values), column, value);
    return values;
}

void make_network_project(const std::filesystem::path& file, const ProjectValues& project,
                          const std::vector<RowValues>& pipes) {
    make_current_project(file, {{"PROJECT_ID", "P1"},
                                {"PROJECT_NAME", project.name},
                                {"DESIGNER", project.designer},
                                {"COUNTY", project.county},
                                {"NOAA_STATION", project.noaa_station},
                                {"STATE", "VA"},
                                {"LOCATION", project.location},
                                {"UNITS", project.units},
                                {"MAJOR_RELEASE", "2.1"}});
    for (const RowValues& pipe : pipes) insert_row(file, "PIPE", pipe);
}

}  // namespace pelvane::testing
