#pragma once
// A project file with a few saved pipes, the pipe window over it with a scripted
// Ui, and fake windows for the size pickers, the drainage area and the time of
// concentration.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/hydrology/intensity.h"
#include "forms/drainage_area_form.h"
#include "forms/pipe_form.h"
#include "forms/size_picker_form.h"
#include "forms/time_of_concentration_form.h"
#include "store/rainfall_database.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::testing {

struct FakePipeWindows : forms::PipeFormWindows {
    // What each window does while it is "shown"; nothing closes it unchanged.
    std::function<void(forms::SizePickerForm&)> picker;
    std::function<void(forms::DrainageAreaForm&)> area;
    std::function<void(forms::TimeOfConcentrationForm&)> tc;
    std::vector<std::string> opened;
    int grid_refreshes = 0;

    void show_size_picker(forms::SizePickerForm& form) override {
        opened.emplace_back(form.picker().window);
        if (picker) picker(form);
    }
    void show_deflection_picture() override { opened.emplace_back("frmskew"); }
    void show_drainage_area(forms::DrainageAreaForm& form) override {
        opened.emplace_back("frmarea");
        if (area) area(form);
    }
    void show_time_of_concentration(forms::TimeOfConcentrationForm& form) override {
        opened.emplace_back("frmVATc");
        if (tc) tc(form);
    }
    void refresh_grid() override { ++grid_refreshes; }
    // What the person does in Rainfall Data.
    std::function<void()> rainfall;
    void show_rainfall_data() override {
        opened.emplace_back("rainfall");
        if (rainfall) rainfall();
    }
};

// The inlet file shipped with the sample project.
inline std::string sample_inlets() {
    return (program_folder() / "samples" / "SampleInlets.gwk").string();
}

// A station rainfall database at `file` listing `stations`; the first has the curve
// i = b(years) / (Tc + 10) in/hr for every storm, the others no coefficients.
inline void write_station_rainfall(const std::filesystem::path& file,
                                   const std::vector<std::string>& stations,
                                   const std::function<double(int)>& b) {
    const auto db = store::Database::open(file, store::Database::Mode::Create);
    store::create_rainfall_tables(db, store::RainfallFile::Station);
    for (const auto& name : stations)
        store::add_rainfall_name(db, store::RainfallFile::Station, name);
    hydrology::IdfTableRow row;
    row.name = stations.front();
    for (const int years : hydrology::kStormFrequencies) row.curves[years] = {b(years), 10, 1};
    store::write_coefficients(db, store::RainfallFile::Station, {row});
}

enum class ProjectKind { Current, Legacy };

class PipeFormTest : public ::testing::Test {
  protected:
    // A project in `units`; legacy files need "zql" in their path.
    void make_project(const std::string& units = "ENGLISH", ProjectKind kind = ProjectKind::Current,
                      const std::string& inlet_database = "") {
        const bool legacy = kind == ProjectKind::Legacy;
        file = folder / (legacy ? "streets.zql.pvd" : "streets.pvd");
        RowValues project = row("PROJECT_ID=P-7; PROJECT_NAME=Laurel Ridge");
        project.insert(project.end(), {{"UNITS", units}, {"INLET_DATABASE", inlet_database}});
        if (!legacy)
            project.insert(project.end(), {{"MAJOR_RELEASE", "2.1"}, {"NOAA_STATION", kStation}});
        legacy ? make_legacy_project(file, project) : make_current_project(file, project);
    }

    void add_pipe(const RowValues& values) { insert_row(file, "PIPE", values); }

    // The project's station gets i = (15 * years) / (Tc + 10) in/hr, which the
    // project's rainfall database then holds.
    void make_rainfall() {
        std::filesystem::create_directories(folder / "user");
        write_station_rainfall(folder / "user" / "VARMNOAA.rdb", {kStation},
                               [](int years) { return 15.0 * years; });
    }

    // Opens the window as the grid does.
    forms::PipeForm& open(const std::string& mode, const std::string& number = "") {
        context.emplace(open_project_for_test(file));
        context->user_data_folder = folder / "user";
        form.emplace(*context, session, ui, windows);
        form->open(mode, number);
        return *form;
    }

    // The person types `text` into a field and leaves it.
    void type(forms::FieldName name, const std::string& text) {
        form->field_entered(name);
        form->fields.set_text(name, text);
        form->field_left(name);
    }
    // The person picks `text` from a list.
    void pick(forms::FieldName name, const std::string& text) {
        form->field_entered(name);
        form->fields.set_text(name, text);
        form->choose(name);
    }
    const std::string& text(forms::FieldName name) const { return form->fields.text(name); }

    static constexpr const char* kStation = "Laurel Ridge 1 N";

    TempFolder folder;
    std::filesystem::path file;
    ScriptedUi ui;
    FakePipeWindows windows;
    std::optional<store::ProjectContext> context;
    forms::DesignSession session;
    std::optional<forms::PipeForm> form;
};

}  // namespace pelvane::testing
