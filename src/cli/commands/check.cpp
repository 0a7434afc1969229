// pelvane check: every violation of the project's design criteria, as the grid's
// Checks panel lists them. Exit code 0 when there is none, 3 when there are some.

#include "cli/json_output.h"
#include "cli/project_session.h"
#include "core/text/number_text.h"
#include "forms/design_checks.h"

namespace {

using namespace pelvane;

constexpr int kViolationsFound = 3;

// The structure and tailwater typed on the command line, both or neither.
std::optional<checks::GradeLineStart> typed_grade_line(const cli::Args& args) {
    const auto outfall = args.option("--outfall");
    const auto tailwater = args.option("--tailwater");
    if (!outfall && !tailwater) return std::nullopt;
    if (!outfall || outfall->empty()) {
        throw cli::CommandError("--tailwater needs --outfall NODE, the structure it stands at", 2);
    }
    if (!tailwater || !text::parse_number(*tailwater).ok()) {
        throw cli::CommandError("--outfall needs --tailwater ELEV, a number", 2);
    }
    return checks::GradeLineStart{*outfall, *tailwater};
}

cli::JsonObject violation_json(const checks::Violation& v, const checks::Criteria& criteria) {
    cli::JsonObject out;
    out["rule"] = std::string(checks::rule_id(v.rule));
    out["pipe"] = v.pipe ? cli::JsonObject(*v.pipe) : cli::JsonObject(nullptr);
    out["structure"] = v.structure ? cli::JsonObject(*v.structure) : cli::JsonObject(nullptr);
    out["value"] = v.value;
    out["limit"] = v.limit;
    out["source"] = forms::source_text(criteria[v.criterion]);
    return out;
}

int run_check(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--outfall", "--tailwater", "--json"});
    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Compute);
    const store::ProjectContext& context = session.context();
    const auto typed = typed_grade_line(args);
    const store::CheckSettings settings =
        store::read_check_settings(context.project_connection, context.units);
    const forms::DesignReview review = forms::review_design(context, settings, typed);
    if (typed && !review.grade_line_skipped.empty()) {
        throw cli::CommandError("no pipe ends at structure '" + typed->outfall + "'");
    }

    const bool json = args.flag("--json");
    if (!review.grade_line_skipped.empty()) {
        (json ? command.err : command.out) << review.grade_line_skipped << "\n";
    }
    if (json) {
        cli::JsonObject list = cli::JsonObject::array();
        for (const checks::Violation& v : review.violations) {
            list.push_back(violation_json(v, settings.criteria));
        }
        cli::JsonObject out;
        out["violations"] = std::move(list);
        command.out << cli::json_text(out) << "\n";
    } else if (review.violations.empty()) {
        command.out << forms::kNoViolations << "\n";
    } else {
        for (const checks::Violation& v : review.violations) {
            command.out << forms::violation_line(v, settings.criteria, context.units) << "\n";
        }
    }
    return review.violations.empty() ? 0 : kViolationsFound;
}

PELVANE_COMMAND({"check",
                 "FILE.pvd [--outfall NODE --tailwater ELEV] [--json]",
                 "every violation of the design criteria (exit 3 when there are some)",
                 {"--json"},
                 run_check});

}  // namespace
