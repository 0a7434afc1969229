// template: builds a report template workbook (.xlsx) from its description.

#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/generator.h"
#include "tools/template_model.h"

namespace {

int build_template(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << "usage: template OUT.xlsx DESCRIPTION.xml\n";
        return 2;
    }
    std::ifstream in(args[1], std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + args[1]);
    std::stringstream description;
    description << in.rdbuf();
    const auto sheet = pelvane::tools::read_template_description(description.str());
    // A fixed time stamp keeps the generated file the same from build to build.
    constexpr std::time_t kStamp = 946684800;  // 2000-01-01
    pelvane::tools::build_template_package(sheet).write(args[0], kStamp);
    return 0;
}

PELVANE_GENERATOR({"template", "OUT.xlsx DESCRIPTION.xml", build_template});

}  // namespace
