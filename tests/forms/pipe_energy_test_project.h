#pragma once
// A small project for the outlet protection window tests: its own program folder
// (a rainfall database with known 2-year coefficients, the build's USDA coefficient
// database and report template when asked for) and pipes added with plain SQL.

#include <filesystem>
#include <functional>
#include <list>
#include <string>

#include "forms/design_session.h"
#include "forms/energy_dissipation_form.h"
#include "forms/pipe_energy_form.h"
#include "store/project_context.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::testing {

// The NOAA station of the project; its 2-year curve is i = 100 / (Tc + 10) in/hr.
inline constexpr const char* kStation = "Stuart's Draft";

// A 24 in circular concrete pipe ending at `node_out`, its discharge computed by
// the rational method (Tc 10 min, C·A 2.0, Cf 1.0: a 2-year discharge of 10 cfs).
RowValues circular_pipe(const std::string& number, const std::string& node_out,
                        const std::string& discharge);

// `row` with `column` set to `value` (nullopt stores NULL).
RowValues with(RowValues row, const std::string& column, std::optional<std::string> value);

class OutletProject {
  public:
    explicit OutletProject(const std::string& units = "ENGLISH", bool with_usda = true);

    void add_pipe(const RowValues& pipe) const { insert_row(file_, "PIPE", pipe); }
    void add_energy(const RowValues& record) const { insert_row(file_, "ENERGY", record); }
    // Opens the project as the main window does and enters outlet protection in
    // `design`, which the windows share.
    store::ProjectContext& open();
    forms::DesignSession design;
    const std::filesystem::path& file() const { return file_; }
    const std::filesystem::path& program() const { return program_; }

  private:
    TempFolder folder_;
    std::filesystem::path program_;
    std::filesystem::path file_;
    std::string units_;
    std::list<store::ProjectContext> sessions_;
};

// The windows the outlet protection window opens, run by a test.
class ScriptedWindows : public forms::PipeEnergyForm::Windows {
  public:
    std::function<void(forms::EnergyDissipationForm&)> on_dissipators;
    int abouts = 0;

    void show_energy_dissipation(forms::EnergyDissipationForm& dissipators) override {
        if (on_dissipators) on_dissipators(dissipators);
    }
    void about() override { ++abouts; }
};

}  // namespace pelvane::testing
