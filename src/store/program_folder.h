#pragma once
// Where the programs find the data files they read at run time: the project
// template, the rainfall and coefficient databases, the report templates, the help
// and the samples.

#include <filesystem>

namespace pelvane::store {

// The application name both programs give Qt: it names their shared per-user folder
// (Qt's application data location, ~/.local/share/PelvaneVA on Linux), so the
// desktop program and pelvane read the same imported rainfall data and recent
// projects.
inline constexpr const char* kApplicationName = "PelvaneVA";

// The program folder of a program whose executable is in `executable_folder`: that
// folder itself when the template is beside the program (the build's bin/ folder,
// or a folder copied whole), else the installed data folder (share/pelvaneva beside
// the bin/ folder of the installation) when the template is there. Without either,
// `executable_folder`, so the command that needs a missing file names it.
std::filesystem::path find_program_folder(const std::filesystem::path& executable_folder);

}  // namespace pelvane::store
