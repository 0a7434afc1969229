#pragma once
// The PROJECT record as the project details windows write it on Save. A project
// database holds one such record; the windows stand on the first one in
// PROJECT_ID order.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/project_context.h"
#include "store/project_table.h"

namespace pelvane::store {

inline constexpr std::string_view kCountyRequired = "County Name is a Required Field!";
inline constexpr std::string_view kProjectIdRequired = "Project ID is a Required Field!";

// The values of a details window. The initial texts are those a new record starts
// with.
struct ProjectDetails {
    std::string project_id;
    std::string project_name;
    std::string description;
    std::string location;
    std::string county = "Accomack";
    std::string state = "VA";
    std::string units = "ENGLISH";
    std::string designer;
    std::string inlet_database;
    std::string noaa_station = "Abingdon 3 S";
    std::string major_release = "2.1";
};

// The NOAA-station window writes the station and the release too; the older-release
// window writes neither and leaves them to the conversion.
enum class DetailsWindow { NoaaStation, OlderRelease };

// The message for the first required value that is empty (the county is checked
// before the id), or "" when the details can be saved.
std::string_view missing_required_field(const ProjectDetails& details);

// Puts a typed name as `list` spells it (text::listed_name), or returns the refusal:
// the field, the text typed and the closest listed names. "" when the name is listed
// or the list is empty (lists that could not be loaded were refused before).
std::string match_listed_name(std::string& name, const std::vector<std::string>& list,
                              std::string_view field, std::string_view list_kind);

// Puts the county and, for the NOAA-station window, the station as the project's
// lists spell them (`county_list`, `station_list` of the context); the first
// refusal, or "" when both are listed.
std::string match_listed_names(ProjectDetails& details, const ProjectContext& context,
                               DetailsWindow window);

// The record the details windows show: the first in PROJECT_ID order.
std::optional<TextRecord> details_record(const Database& db);
ProjectDetails details_from_record(const TextRecord& record);

// Saves the details into the details record, adding it when the table is empty (a
// new record takes PRODUCT_NAME from the column default), in one transaction.
// Columns the file lacks are skipped. Then copies what that window copies into the
// context: units, project id and name, county, state, location, designer, inlet
// database, and for the NOAA-station window the release and station. A missing
// required value is a DatabaseError with its message and nothing is written.
void save_project_details(ProjectContext& context, const ProjectDetails& details,
                          DetailsWindow window);

}  // namespace pelvane::store
