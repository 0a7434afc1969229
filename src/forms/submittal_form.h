#pragma once
// File > Submittal... of the grid: the outfall, its tailwater and the folder, then
// the submittal written with a line per document, Cancel between documents, and a
// closing message listing what was written.
//
// Fields: `submittal_outfall` (its items are the structures where pipes end),
// `submittal_tailwater` and its unit `length_unit`, `submittal_folder`,
// `submittal_progress` (the lines so far) and the command state `cmdSubmittalWrite`.
// While writing, the choices and Write are disabled (Browse... follows the folder).

#include <atomic>
#include <functional>
#include <string>

#include "forms/form_model.h"
#include "forms/submittal.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

namespace submittal_texts {
inline constexpr const char* kCaption = "Submittal";
inline constexpr const char* kCommand = "&Submittal...";
inline constexpr const char* kFolderLabel = "FOLDER";
inline constexpr const char* kBrowse = "Browse...";
inline constexpr const char* kWrite = "Write";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kFolderTitle = "Folder for the Submittal";
// The folder offered first, in the project's folder.
inline constexpr const char* kDefaultFolder = "Submittal";
inline constexpr const char* kNoOutfall = "Choose the outfall the grade line starts at.";
inline constexpr const char* kNoFolder = "Choose the folder to write the submittal in.";
inline constexpr const char* kOpenPdf = "Open the combined PDF?";
}  // namespace submittal_texts

// What the closing message says: the folder, each file written and the messages.
std::string submittal_summary(const SubmittalOutcome& outcome, const std::string& folder);

class SubmittalForm : public FormModel {
  public:
    SubmittalForm(store::ProjectContext& context, Ui& ui);

    // The outfall list with the first chosen, the grade line window's default
    // tailwater, and a folder "Submittal" in the project's folder.
    void open();
    // `submittal_tailwater` lost the focus: a number is rewritten with "0.00".
    void field_left(FieldName name);
    // Browse...: a folder dialog starting in the chosen folder, else the project's.
    void browse();
    // Write: the submittal with `tools` as long work (Ui::run_long_work), a progress
    // line per document, whose Cancel stops before the next one; the lines are kept in
    // `submittal_progress`. Ends with the closing message, offers to open the
    // combined PDF, and closes the window.
    void write(const SubmittalTools& tools);
    // Cancel: while writing, stops before the next document; otherwise closes.
    void cancel();

  private:
    std::string project_folder() const;
    void lock_inputs(bool locked);

    store::ProjectContext& context_;
    Ui& ui_;
    std::atomic<bool> cancel_{false};
    bool writing_ = false;
};

}  // namespace pelvane::forms
