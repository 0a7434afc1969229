#pragma once
// Transcribed coefficient tables: a CSV whose header names the columns of one of the
// rainfall tables, one row per station or county, for importing many names at once.
//   NOAA_STATION, YEAR2B, YEAR2D, YEAR2E, ... YEAR100E   stations (B, D, E)
//   COUNTY_NAME,  YEAR2B, YEAR2D, YEAR2E, ... YEAR100E   counties (B, D, E)
//   COUNTY_NAME,  YEAR2A, YEAR2B, ... YEAR100B           counties, legacy (A, B);
//                                                        COUNTY_NO may stand beside
// Columns may come in any order; every coefficient column of the kind must be there
// and every cell must be a number, so a table is taken whole or not at all.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/hydrology/idf_result.h"
#include "core/hydrology/intensity.h"

namespace pelvane::hydrology {

enum class IdfTableKind { Station, County, LegacyCounty };

struct IdfTableRow {
    int line = 0;                          // line of the CSV text, for messages
    std::string name;                      // exactly as written (blanks kept)
    std::map<int, IdfCurve> curves;        // by storm frequency (Station, County)
    std::map<int, LegacyIdfCurve> legacy;  // by storm frequency (LegacyCounty)
};

struct IdfTable {
    IdfTableKind kind = IdfTableKind::Station;
    std::vector<IdfTableRow> rows;
};

IdfResult<IdfTable> parse_idf_table(std::string_view text);

}  // namespace pelvane::hydrology
