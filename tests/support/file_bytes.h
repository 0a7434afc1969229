#pragma once
// The whole content of a file, byte for byte (empty when it cannot be read): for
// checking that a refused command left a file exactly as it was.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace pelvane::testing {

inline std::string bytes_of(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace pelvane::testing
