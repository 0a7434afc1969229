#pragma once
// What the main window's tests stand on: a project context over the build's program
// folder (or a copy of part of it), a scripted Ui, a fixed clock and fake windows
// that open the real child models and drive them by script.

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/main_window_form.h"
#include "forms/project_conversion_form.h"
#include "forms/project_details_form.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::testing {

// 9 March 2024, 23:58:59.
inline std::tm fixed_clock() {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 9;
    t.tm_hour = 23;
    t.tm_min = 58;
    t.tm_sec = 59;
    return t;
}

struct FakeWindows : forms::Windows {
    FakeWindows(store::ProjectContext& c, ScriptedUi& u) : context(c), ui(u) {}

    store::ProjectContext& context;
    ScriptedUi& ui;
    forms::MainWindowForm* main = nullptr;

    // Windows in the order they were shown: "details noaa", "details older",
    // "conversion", "grid", "rainfall", "about", "exit".
    std::vector<std::string> shown;
    // What the person does in a details window once it is open (nothing by default).
    std::function<void(forms::ProjectDetailsForm&)> in_details;
    // How the last details window opened.
    bool details_adding = false;
    bool details_editing = false;
    // The station chosen in the conversion window; nullopt closes it unconverted.
    std::optional<std::string> conversion_station;
    // How many times the grid closes only to be shown again with fresh data.
    int grid_refreshes = 0;

    void show_project_details(store::DetailsWindow window) override {
        const bool noaa = window == store::DetailsWindow::NoaaStation;
        shown.push_back(noaa ? "details noaa" : "details older");
        forms::ProjectDetailsForm form(
            context, ui, window, [this](std::string s) { main->show_database_status(s); },
            [this] { show_rainfall_data(); });
        form.open();
        details_adding = form.adding();
        details_editing = form.edit_mode();
        if (in_details) in_details(form);
    }
    void show_project_conversion() override {
        shown.push_back("conversion");
        forms::ProjectConversionForm form(context, ui);
        form.open();
        if (!conversion_station) return;
        form.fields.set_text("noaa_station", *conversion_station);
        form.btnUpdate();
        EXPECT_TRUE(form.converted() && form.close_requested);
    }
    void show_pipe_grid() override {
        shown.push_back("grid");
        if (grid_refreshes > 0) {
            --grid_refreshes;
            return;
        }
        context.grid_exit_flag = true;
    }
    void show_rainfall_data() override { shown.push_back("rainfall"); }
    void show_about() override { shown.push_back("about"); }
    void exit_program() override { shown.push_back("exit"); }
};

// Details typed into a details window and saved, for Pulaski, whose rainfall data
// are shipped.
inline std::function<void(forms::ProjectDetailsForm&)> save_details(std::string id,
                                                                    std::string name) {
    return [id = std::move(id), name = std::move(name)](forms::ProjectDetailsForm& form) {
        form.fields.set_text("project_id", id);
        form.field_edited("project_id");
        form.fields.set_text("project_name", name);
        form.field_edited("project_name");
        form.fields.set_text("noaa_station", "Pulaski");
        form.field_edited("noaa_station");
        form.mnuprojsave();
    };
}

}  // namespace pelvane::testing
