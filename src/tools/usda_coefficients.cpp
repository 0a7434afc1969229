// usda-coefficients: builds the coefficient database USDACOEFF.rdb (table USDACOEFF,
// one row of fitted USDA design curves per standard diameter), or with --report
// prints the fit ranges and errors as the Markdown table of data/outlet/PROVENANCE.md.

#include <filesystem>
#include <iostream>

#include "core/outlet/coefficient_diameter.h"
#include "core/outlet/usda_fit.h"
#include "core/text/number_text.h"
#include "store/sqlite/database.h"
#include "tools/generator.h"

namespace {

using namespace pelvane;

// One Markdown table of the worst errors per diameter; `used` picks the errors of the
// values the method uses over those of the bare curves.
void print_errors(bool used) {
    const auto cell = [](double ft, double ratio) {
        return text::format_number(ft, "0.000") + " ft (" +
               text::format_number(100.0 * ratio, "0.0") + " %)";
    };
    std::cout << "| DIA (in) | Q range (cfs) | stone, TW >= 0.5 Do | stone, TW < 0.5 Do "
                 "| length, TW >= 0.5 Do | length, TW < 0.5 Do |\n"
              << "|---|---|---|---|---|---|\n";
    for (const int diameter : outlet::kStandardDiameters) {
        const auto fit = outlet::fit_usda_curves(diameter);
        const auto& h = fit.high_tailwater_error;
        const auto& l = fit.low_tailwater_error;
        std::cout << "| " << diameter << " | " << text::format_number(fit.range.q_min, "0.0")
                  << " - " << text::format_number(fit.range.q_max, "0.0") << " | ";
        if (used) {
            std::cout << cell(h.used_stone_ft, h.used_stone_relative) << " | "
                      << cell(l.used_stone_ft, l.used_stone_relative) << " | "
                      << cell(h.used_length_ft, h.used_length_relative) << " | "
                      << cell(l.used_length_ft, l.used_length_relative) << " |\n";
        } else {
            std::cout << cell(h.stone_ft, h.stone_relative) << " | "
                      << cell(l.stone_ft, l.stone_relative) << " | "
                      << cell(h.length_ft, h.length_relative) << " | "
                      << cell(l.length_ft, l.length_relative) << " |\n";
        }
    }
}

void print_report() {
    std::cout << "Worst error of the fitted curves:\n\n";
    print_errors(false);
    std::cout << "\nWorst error of the values the method uses (stone at least 0.5 ft, "
                 "length at least 6 Do or 4 Do):\n\n";
    print_errors(true);
}

void write_database(const std::filesystem::path& out) {
    const std::filesystem::path partial = out.string() + ".partial";
    std::filesystem::remove(partial);
    {
        auto db = store::Database::open(partial, store::Database::Mode::Create);
        db.execute(
            "CREATE TABLE USDACOEFF (DIA TEXT PRIMARY KEY, A1 DOUBLE, B1 DOUBLE, C1 DOUBLE, "
            "D1 DOUBLE, E1 DOUBLE, A2 DOUBLE, B2 DOUBLE, C2 DOUBLE, D2 DOUBLE, E2 DOUBLE)");
        store::Transaction transaction(db);
        auto insert = db.prepare("INSERT INTO USDACOEFF VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const int diameter : outlet::kStandardDiameters) {
            const auto c = outlet::fit_usda_curves(diameter).coefficients;
            const auto& h = c.high_tailwater;
            const auto& l = c.low_tailwater;
            insert.reset();
            insert.bind_all(
                {text::shortest_text(diameter), h.a, h.b, h.c, h.d, h.e, l.a, l.b, l.c, l.d, l.e});
            insert.run();
        }
        transaction.commit();
    }
    std::filesystem::rename(partial, out);
}

int usda_coefficients(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "--report") {
        print_report();
        return 0;
    }
    if (args.size() != 1) {
        std::cerr << "usage: usda-coefficients OUT.rdb | --report\n";
        return 2;
    }
    write_database(args[0]);
    return 0;
}

PELVANE_GENERATOR({"usda-coefficients", "OUT.rdb | --report", usda_coefficients});

}  // namespace
