#pragma once
// The database of the sibling inlet-design product (.gwk, .mwp), linked to a project
// and read, never written, by the pipe window: its INLET table offers inlet numbers
// for a node of type "Inlet" and the data of the chosen inlet.
//
// The INLET table as the inlet product writes it (see data/samples/inlets.sql):
//   INLET_NUMBER       text key, the structure number shown on the plans
//   STATION            text, as the engineer typed it ("10+25.00" or "1025.00")
//   OFFSET             text, ft or m from the baseline
//   OFFSET_LOCATION    text, "RIGHT" or "LEFT"
//   TOP_ELEVATION      text, top of grate or rim, ft or m
//   TC                 text, time of concentration, minutes
//   TOTALAREA1/2       number, drainage area of the inlet's two sub-areas, ac or ha
//   TOTALCA1/2         number, C·A of the two sub-areas
//   COMPUTE_DISCHARGE  yes/no (integer, non-zero is yes): the discharge is computed
//                      from the areas (else it was typed in the inlet product)
//   TOTAL_DISCHARGE    number, the inlet's discharge, cfs or cms
// and the inlet product's own design columns, which this program does not read:
//   DESCRIPTION, INLET_TYPE (VDOT standard, "DI-3B"), INLET_CONDITION ("ON GRADE" or
//   "SAG"), INLET_LENGTH, LONG_SLOPE, CROSS_SLOPE, SPREAD, BYPASS_TO.
// A text column holding a number reads as the number's shortest text; a number
// column holding a numeric text reads as that number.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipe/inlet_takeover.h"
#include "store/sqlite/database.h"

namespace pelvane::store {

// The file a project's inlet link names. A relative link is taken from the project
// file's folder, so a project and its inlet file copied together stay linked (the
// sample keeps its inlet file beside it); a browsed file is kept by its full path
// and used as it is. Empty for an empty link.
std::filesystem::path inlet_database_file(const std::filesystem::path& project_file,
                                          const std::string& link);

// Opens an inlet database read-only. A missing file, a file that is not a database
// and a database without an INLET table throw DatabaseError with a description fit
// to show as it is.
Database open_inlet_database(const std::filesystem::path& path);

// The inlet numbers, in text order (as the inlet product sorts them: "10" before "2").
std::vector<std::string> inlet_numbers(const Database& inlets);

// The first inlet with that number; nullopt when there is none. A missing or
// non-numeric value in a number column throws DatabaseError.
std::optional<pipe::InletRecord> find_inlet(const Database& inlets, std::string_view number);

}  // namespace pelvane::store
