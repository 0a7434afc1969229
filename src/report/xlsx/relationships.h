#pragma once
// Relationship parts of a package: how the workbook finds its sheets, shared
// strings and calculation chain without assuming any part name.

#include <string>
#include <string_view>
#include <vector>

#include "report/xlsx/zip_package.h"

namespace pelvane::report {

struct Relationship {
    std::string id;
    std::string type;    // full type URI
    std::string target;  // part name resolved against the source part ("xl/worksheets/a.xml")
    bool external = false;

    // The type's last segment: "worksheet", "sharedStrings", "officeDocument", ...
    std::string_view kind() const;
};

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; "" (the package) -> "_rels/.rels".
std::string relationships_part(std::string_view source_part);

// A target relative to the folder of `source_part` (or absolute with "/") as a part name.
std::string resolve_target(std::string_view source_part, std::string_view target);

// The relationships of a part; none when it has no relationship part.
std::vector<Relationship> read_relationships(const ZipPackage& package,
                                             std::string_view source_part);

// Removes the relationship `id` of a part, and the part it pointed to with its
// content type declaration.
void remove_related_part(ZipPackage& package, std::string_view source_part,
                         const Relationship& relationship);

}  // namespace pelvane::report
