#pragma once
// "Rainfall Data…": the window where intensity-duration-frequency coefficients
// come into the rainfall databases. Two ways in:
// - a NOAA precipitation-frequency export (CSV from the NOAA server, partial
//   duration series) for one NOAA station or county: the curves are fitted, shown
//   against the NOAA points with their worst relative error, and Import writes them
//   (B, D, E for a station into VARMNOAA.rdb; for a county B, D, E into
//   VARMSTORM.rdb and the legacy A, B into VArainfall.rdb);
// - a transcribed coefficient table (CSV headed by the tables' column names) for
//   many names at once.
// Imports always write the per-user copy of a database (made by the first import)
// and record the file and day of the import there. Before writing, an export made
// for another station than the one chosen, and coefficients that would replace
// different ones already stored, are put to the person as questions; a "No" leaves
// everything as it was and the import's outcome says why.

#include <optional>
#include <string>
#include <vector>

#include "core/hydrology/noaa_fit.h"
#include "forms/form_model.h"
#include "forms/outcome.h"
#include "forms/ui.h"
#include "store/project_context.h"
#include "store/rainfall_database.h"

namespace pelvane::forms {

inline constexpr const char* kRainfallDataTitle = "Rainfall Data";
inline constexpr const char* kKindStation = "NOAA Station";
inline constexpr const char* kKindCounty = "County";

// One storm frequency of the preview, ready to draw and label.
struct RainfallPreview {
    int years = 0;
    std::vector<hydrology::IdfPoint> points;        // NOAA, in/hr
    std::vector<hydrology::IdfPoint> curve;         // fitted B / (Tc + D)^E, 5 to 120 min
    std::vector<hydrology::IdfPoint> legacy_curve;  // fitted A / (B + Tc)
    std::string coefficients;                       // "B 68.4126  D 14.4356  E 0.85976"
    std::string worst_error;                        // "2.20 %"
    std::string legacy_coefficients;                // "A 139.215  B 21.7606"
    std::string legacy_worst_error;
};

class RainfallDataForm : public FormModel {
  public:
    // Fields: `rainfall_kind` (items kKindStation, kKindCounty), `rainfall_name`
    // (items: the names of that kind, as stored), `rainfall_file` (the export chosen).
    RainfallDataForm(store::ProjectContext& context, Ui& ui);

    // Fills the name lists and selects the project's station or county.
    void open();

    // Choosing the kind refills the names.
    void set_kind(const std::string& kind);

    // Asks for a NOAA export, reads and fits it. A file that cannot be used is
    // refused with the reason and leaves no preview.
    void browse_export();
    // Reads and fits an export file given by path (the browse command and batch use).
    Outcome load_export(const std::string& path);
    const std::vector<RainfallPreview>& preview() const { return preview_; }
    // The fitted curves behind the preview, when an export is loaded.
    const std::optional<hydrology::NoaaFit>& fit() const { return fit_; }
    const std::string& export_station() const { return export_station_; }

    // Writes the previewed coefficients for the chosen name. Done with the notice
    // naming what was written; Declined when a question was answered "No".
    Outcome import_export();
    // Asks for a coefficient table and imports it.
    void browse_table();
    Outcome import_table(const std::string& path);

    // Where the last import wrote.
    const std::vector<std::string>& written_files() const { return written_files_; }

  private:
    store::RainfallFile chosen_file() const;
    store::Database read_only(store::RainfallFile file) const;
    // Puts `reason` + `question` to the person; false (and `declined_` set) on "No".
    // A declined import gives `declined_` as its outcome's message.
    bool confirmed(const std::string& reason, const std::string& question);
    // The rows an import writes into one rainfall database.
    struct ImportTarget {
        store::RainfallFile file;
        std::vector<hydrology::IdfTableRow> rows;
    };
    // The stored names of the target's rows; a DatabaseError naming unknown ones,
    // before anything is copied or written.
    std::vector<std::string> known_names(const ImportTarget& target) const;
    // Asks once before replacing stored coefficients that the rows would change; a
    // DatabaseError naming unknown names before anything is copied or written.
    bool overwrite_confirmed(const std::vector<ImportTarget>& targets);
    // Writes the rows into the per-user copy of `file`, recording the import.
    std::vector<std::string> write(const ImportTarget& target, const std::string& source);
    void refill_names();
    void reload_project_lists();
    // Shows `text` and gives it as the refusal.
    Outcome refuse(const std::string& text);
    // The CSV file chosen in an open dialog ("" when cancelled); remembers its folder.
    std::string choose_csv(const std::string& title);

    store::ProjectContext& context_;
    Ui& ui_;
    std::optional<hydrology::NoaaFit> fit_;
    std::vector<RainfallPreview> preview_;
    std::string export_station_;
    std::vector<std::string> written_files_;
    std::string declined_;
};

}  // namespace pelvane::forms
