#pragma once
// Damaged inputs for the fault campaign: project files as other programs, full
// disks and crashes leave them, and pipe lists as people and spreadsheets write
// them. Every mutation is drawn from the generator it is given, so a case is
// reproduced from its seed alone.

#include <filesystem>
#include <random>
#include <string>

namespace pelvane::fuzz {

using Random = std::mt19937_64;

// Damages the project file in place and returns what was done, for the report.
std::string mutate_project(const std::filesystem::path& file, Random& random);

// Returns a damaged copy of a pipe list and, in `what`, what was done.
std::string mutate_pipe_list(const std::string& list, Random& random, std::string& what);

}  // namespace pelvane::fuzz
