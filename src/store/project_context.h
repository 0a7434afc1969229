#pragma once
// The program-wide values of the open project. One instance is owned by the
// application (or by a CLI command) and handed to every form that reads it, so
// nothing here is global.

#include <filesystem>
#include <string>
#include <vector>

#include "core/units.h"
#include "store/sqlite/database.h"

namespace pelvane::store {

// Who reads the messages: one that sends the person elsewhere names what they can
// use there (a desktop window, or a `pelvane` command).
enum class FrontEnd { Desktop, CommandLine };

struct ProjectContext {
    FrontEnd front_end = FrontEnd::Desktop;

    // Where the program's data files live (template, rainfall databases, report
    // templates, help). Passed in by the application, never looked up globally.
    std::filesystem::path program_folder;
    // Per-user folder whose rainfall databases take precedence over the program
    // folder's (imports go there when the program folder is not writable).
    std::filesystem::path user_data_folder;

    std::string database_path;
    std::string project_id;
    std::string project_name;
    std::string county;
    std::string state;
    std::string units;
    std::string location;
    std::string designer;
    std::string inlet_database;
    std::string noaa_station;
    std::string major_release;
    std::string product_name;

    bool legacy_database_mode = false;
    // The project file cannot be written, so it is open for viewing only: every
    // command that would change it is off.
    bool viewing_only = false;
    bool details_edit_mode = false;
    bool grid_exit_flag = false;
    std::string last_folder;

    Database project_connection;
    Database coefficient_connection;
    Database rainfall_connection;
    Database inlet_connection;
    std::string active_rainfall_database;
    std::vector<std::string> county_list;
    std::vector<std::string> station_list;

    bool english() const { return is_english(units); }
    bool noaa_release() const { return major_release == "2.1"; }
};

}  // namespace pelvane::store
