#pragma once
// Generators of the program folder's data files, run by the build. Each lives in
// its own file and registers itself with PELVANE_GENERATOR.

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pelvane::tools {

struct Generator {
    std::string name;
    std::string usage;
    std::function<int(const std::vector<std::string>& args)> run;
};

std::map<std::string, Generator>& generator_registry();

struct GeneratorRegistration {
    explicit GeneratorRegistration(Generator generator) {
        auto name = generator.name;
        generator_registry().emplace(std::move(name), std::move(generator));
    }
};

}  // namespace pelvane::tools

#define PELVANE_GEN_CONCAT2(a, b) a##b
#define PELVANE_GEN_CONCAT(a, b) PELVANE_GEN_CONCAT2(a, b)
#define PELVANE_GENERATOR(...)                                                          \
    static const ::pelvane::tools::GeneratorRegistration PELVANE_GEN_CONCAT(generator_, \
                                                                            __LINE__)(__VA_ARGS__)
