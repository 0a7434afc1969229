#pragma once
// A project file with a few pipes for the grid, rule and import tests, and the
// windows the grid opens, recorded.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "forms/pipe_grid_form.h"
#include "store/pipe_table.h"
#include "store/project_context.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::testing {

struct TestPipe {
    std::string number;
    std::string node_in;
    std::string node_out;
    std::vector<std::string> previous;  // PRENODE1, PRENODE2, ...
};

inline store::PipeRecord pipe_record(const TestPipe& p) {
    store::PipeRecord r;
    r.set("PROJECT_ID", "R9");
    r.set("PIPE_NUMBER", p.number);
    r.set("NODEIN_NO", p.node_in);
    r.set("NODEOUT_NO", p.node_out);
    for (std::size_t i = 0; i < p.previous.size(); ++i) {
        r.set(store::previous_pipe_column(static_cast<int>(i) + 1), p.previous[i]);
    }
    return r;
}

// Records the windows the grid opens; the renumber dialog is driven by a script.
struct FakeGridWindows : forms::PipeGridForm::Windows {
    std::vector<std::string> opened;
    std::function<void(forms::RenumberForm&)> renumber = [](forms::RenumberForm& dialog) {
        dialog.cancel();
    };

    void show_pipe_form(const std::string& mode, const std::string& number) override {
        opened.push_back("pipe " + mode + " " + number);
    }
    void show_renumber_dialog(forms::RenumberForm& dialog) override {
        opened.push_back("renumber " + dialog.old_number());
        renumber(dialog);
    }
    void show_hgl() override { opened.push_back("hgl"); }
    void show_profile(const std::string& number) override { opened.push_back("profile " + number); }
    void show_plan() override { opened.push_back("plan"); }
    void show_energy_dissipation() override { opened.push_back("energy"); }
    void ld229_report() override { opened.push_back("ld229"); }
    void pipe_report() override { opened.push_back("pipe report"); }
    void about() override { opened.push_back("about"); }
    void show_rainfall_data() override { opened.push_back("rainfall"); }
    std::function<void(forms::SizingForm&)> sizing = [](forms::SizingForm& d) { d.cancel(); };
    void show_sizing_dialog(forms::SizingForm& dialog) override { sizing(dialog); }
    std::function<void(forms::SizePickerForm&)> pick = [](forms::SizePickerForm& p) { p.cancel(); };
    void show_size_picker(forms::SizePickerForm& picker) override { pick(picker); }
    // The previews shown; Import is chosen unless `import` is false.
    std::vector<forms::ImportPreview> previews;
    bool import = true;
    bool confirm_import(const forms::ImportPreview& preview) override {
        previews.push_back(preview);
        return import;
    }
};

// A project file in a fresh folder, opened for design work; legacy files get "zql"
// in their name, which is how the program knows them.
class TestNetwork {
  public:
    explicit TestNetwork(bool legacy = false, const std::string& units = "ENGLISH")
        : file_(folder_ / (legacy ? "route zql.pvd" : "route.pvd")) {
        const RowValues project{
            {"PROJECT_ID", "R9"}, {"PROJECT_NAME", "Route 9"}, {"UNITS", units}};
        legacy ? make_legacy_project(file_, project) : make_current_project(file_, project);
        context_ = open_project_for_test(file_);
    }

    void add(const TestPipe& p) { pipes().insert(pipe_record(p)); }
    void add(const std::vector<TestPipe>& list) {
        for (const auto& p : list) add(p);
    }

    store::ProjectContext& context() { return context_; }
    const store::Database& db() const { return context_.project_connection; }
    store::PipeTable pipes() const { return store::PipeTable(db()); }
    const std::filesystem::path& file() const { return file_; }

    // The text of `column` of pipe `number`, read with plain SQL.
    std::string value(const std::string& number, const std::string& column) const {
        auto s = db().prepare("SELECT " + column + " FROM PIPE WHERE PIPE_NUMBER = ?");
        s.bind(1, std::string_view(number));
        return s.step() ? s.text(0) : "<no pipe>";
    }
    std::vector<std::string> numbers() const {
        std::vector<std::string> out;
        auto s = db().prepare("SELECT PIPE_NUMBER FROM PIPE ORDER BY rowid");
        while (s.step()) out.push_back(s.text(0));
        return out;
    }

  private:
    TempFolder folder_;
    std::filesystem::path file_;
    store::ProjectContext context_;
};

}  // namespace pelvane::testing
