#pragma once
// Field behaviours shared by every data-entry window: the numeric key filters,
// lose-focus formatting, the list check of list-backed combo boxes, where file
// dialogs start and the overwrite question, and opening the help pages and the NOAA
// precipitation-frequency page.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ui.h"

namespace pelvane::store {
struct ProjectContext;
}

namespace pelvane::forms {

enum class KeyAction {
    Accept,     // the key reaches the field
    Swallow,    // the key is dropped, no message
    NextField,  // Enter: dropped, and the focus moves on as if Tab had been pressed
};

// Decides a key typed into a numeric field. `text` is the field's text before the
// key, the selection is [selection_start, selection_start + selection_length).
// Signed fields (the pipe invert elevations) also take the minus sign, anywhere
// and any number of times.
KeyAction filter_numeric_key(std::string_view text, int selection_start, int selection_length,
                             char32_t key, bool signed_field);

// Lose-focus formatting: a number is rewritten with the pattern; an empty text
// stays empty and a text that is not a number is left as it is.
std::string format_on_leave(std::string_view text, std::string_view pattern);

// The list check of a list-backed combo box: accepts the empty text and any text
// that is a prefix of an item (exact case); otherwise shows "Value not present in
// the list... Please enter a valid value.." and resets the text to the first item.
// Returns true when the text was refused and reset.
bool list_check(std::string& text, const std::vector<std::string>& items, Ui& ui);

// Where a file dialog starts: the folder of the last file chosen in any dialog, or
// the program folder before the first.
std::string dialog_folder(const store::ProjectContext& context);
// Where a save dialog (a report, a drawing, a pipe list) starts: the open project's
// folder, where its results belong; without a project, as any other dialog.
std::string save_dialog_folder(const store::ProjectContext& context);
// A file was chosen (or made): the next dialog starts in its folder.
void remember_folder(store::ProjectContext& context, const std::filesystem::path& file);

// Messages of the design windows (pipe, outlet protection) on saving and leaving.
inline constexpr const char* kRecordSaved = "Record Saved";
inline constexpr const char* kExitWithoutSaving = "Exit without Saving?";

inline constexpr const char* kFileAlreadyExists = "File Already Exists!   Overwrite?";
// Before a file chosen in a save dialog is replaced: when it `exists`, asks
// "File Already Exists!   Overwrite?" (Yes/No, exclamation icon). True when the
// file may be written: it does not exist, or the answer was not No.
bool may_overwrite(Ui& ui, bool exists);

inline constexpr const char* kNothingOpens =
    "No application on this computer could open it. You can open it yourself from:\n";
// Opens a written file, a help page or a web page with the desktop's default
// application; when none takes it, says so and gives the path or address.
void open_or_show_path(Ui& ui, const std::string& path_or_url);

// The help pages in the program folder, opened in the browser; `topic` picks a page
// ("" = the contents).
void open_help(Ui& ui, const store::ProjectContext& context, std::string_view topic = "");
std::string help_page_path(const store::ProjectContext& context, std::string_view topic = "");

// The label of the station field and the caption of the command that opens the
// page (`cmdNOAAStationHelp`) in every window that offers them.
inline constexpr const char* kNoaaStationLabel = "NOAA STATION";
inline constexpr const char* kNoaaStationHelp = "NOAA Station Help";
// The NOAA precipitation-frequency map page for Virginia. The server address comes
// from "noaa_server.txt" in the program folder when present, so an office can point
// it elsewhere.
void open_noaa_page(Ui& ui, const store::ProjectContext& context);
std::string noaa_page_address(const store::ProjectContext& context);

}  // namespace pelvane::forms
