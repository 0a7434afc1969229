// What the tool does not understand ends the command, naming it; names of its lists
// are taken in any letter case; every command explains itself with --help.

#include <gtest/gtest.h>

#include <sstream>

#include "support/run_cli.h"

namespace {

using pelvane::testing::run_cli;

TEST(CliRefusals, UnknownValuesAreRefusedAndEveryCommandHasHelp) {
    const auto section = [](std::vector<std::string> extra) {
        std::vector<std::string> args{"section", "--dia", "18",    "--discharge", "5",  "--slope",
                                      "0.01",    "--n",   "0.013", "--length",    "100"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        int exit_code;
        std::string said;
    };
    const Case cases[] = {
        {section({"--shape", "Circular", "--units", "feet"}), 2,
         "--units \"feet\" is not one of ENGLISH or METRIC"},
        {section({"--shape", "oval"}), 2, "--shape \"oval\" is not one of Circular, Elliptical"},
    };
    for (const auto& c : cases) {
        const auto r = run_cli(c.args);
        EXPECT_EQ(r.exit_code, c.exit_code) << c.said;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    }
    const auto typed = run_cli(section({"--shape", "circular", "--units", "english"}));
    EXPECT_EQ(typed.exit_code, 0) << typed.err;
    EXPECT_EQ(typed.out, run_cli(section({"--shape", "Circular", "--units", "ENGLISH"})).out);

    std::istringstream usage(run_cli({"--help"}).out);
    int commands = 0;
    for (std::string line; std::getline(usage, line);) {
        if (line.rfind("  ", 0) != 0 || line.rfind("   ", 0) == 0) continue;
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        const auto help = run_cli({name, "--help"});
        EXPECT_EQ(help.exit_code, 0) << name << ": " << help.err;
        EXPECT_EQ(help.out.rfind("usage: pelvane " + name + " ", 0), 0u) << help.out;
        ++commands;
    }
    EXPECT_GT(commands, 15);
}

}  // namespace
