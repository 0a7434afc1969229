#pragma once
// The design criteria a project is reviewed against, kept in the project file
// (DESIGN_CHECKS: one row per criterion with its on/off state and limit, and the
// structure and tailwater the review's grade line starts from). A file without the
// table reads as the defaults of its units; the table is made when the criteria are
// first written, so opening an older file changes nothing in it.

#include <optional>
#include <string_view>

#include "core/checks/checks.h"
#include "core/checks/criteria.h"
#include "store/sqlite/database.h"

namespace pelvane::store {

struct CheckSettings {
    checks::Criteria criteria;
    // Where the review's grade line starts; none until one is kept.
    std::optional<checks::GradeLineStart> grade_line;
};

bool has_check_settings(const Database& project);

// The kept settings over the defaults of `units`: a criterion without a row, or
// whose limit is not a number, keeps its default.
CheckSettings read_check_settings(const Database& project, std::string_view units);

// Replaces the kept settings in one transaction, making the table in files that
// predate it.
void write_check_settings(const Database& project, const CheckSettings& settings);

}  // namespace pelvane::store
