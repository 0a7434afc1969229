// pelvane_datagen: turns the sources in data/ into the program folder's files.

#include <exception>
#include <iostream>

#include "tools/generator.h"

namespace pelvane::tools {
std::map<std::string, Generator>& generator_registry() {
    static std::map<std::string, Generator> registry;
    return registry;
}
}  // namespace pelvane::tools

int main(int argc, char** argv) {
    const auto& registry = pelvane::tools::generator_registry();
    if (argc < 2 || registry.find(argv[1]) == registry.end()) {
        std::cerr << "usage: pelvane_datagen GENERATOR ARGS\n";
        for (const auto& [name, g] : registry) std::cerr << "  " << name << " " << g.usage << "\n";
        return 2;
    }
    try {
        return registry.at(argv[1]).run(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "pelvane_datagen " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
}
