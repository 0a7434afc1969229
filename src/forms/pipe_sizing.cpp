#include "forms/pipe_sizing.h"

#include <algorithm>

#include "core/network/flow_order.h"
#include "core/network/sizing.h"
#include "core/pipe/catalogue.h"
#include "core/text/number_text.h"
#include "core/units.h"
#include "forms/network_recompute.h"
#include "forms/network_recompute_pipe.h"
#include "forms/project_history.h"
#include "forms/size_pickers.h"
#include "forms/summary_list.h"
#include "store/check_settings.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

namespace col = recompute;
using recompute::PipeRow;
using recompute::SavedNetwork;

// The standard sizes of a shape: the circular diameters of the catalogue, the
// tables of the size pickers for the elliptical and arch shapes; a box has none.
std::vector<network::StandardSize> standard_sizes(std::string_view shape, std::string_view units) {
    std::vector<network::StandardSize> sizes;
    if (pipe::sized_by_diameter(shape)) {
        for (const std::string_view dia : pipe::standard_diameters(units)) {
            sizes.push_back({std::string(dia), {}, {}});
        }
    } else if (const SizePicker* picker = picker_for(shape, units)) {
        for (const SizeRow& row : picker->rows) {
            sizes.push_back({{}, std::string(row.span), std::string(row.rise)});
        }
    }
    return sizes;
}

network::SizingLimits limits_from(const checks::Criteria& criteria, double max_full_percent) {
    using checks::CriterionKey;
    const auto enabled = [&](CriterionKey key) -> std::optional<double> {
        if (!criteria[key].enabled) return std::nullopt;
        return criteria[key].limit;
    };
    return {max_full_percent, enabled(CriterionKey::MinVelocity),
            enabled(CriterionKey::MaxVelocity), enabled(CriterionKey::MinSize)};
}

pipe::SectionInput section_of(const PipeRow& row, const std::string& units) {
    return {row[col::kPipeDischarge], row[col::kBarrels],
            row[col::kSlope],         row[col::kMann],
            row[col::kLength],        row[col::kDia],
            row[col::kSpan],          row[col::kRise],
            row[col::kShape],         units};
}

std::string size_text(const PipeRow& row, std::string_view units) {
    const std::string unit(UnitNames::for_units(units).size);
    if (pipe::sized_by_diameter(row[col::kShape])) return row[col::kDia] + " " + unit;
    return row[col::kSpan] + " x " + row[col::kRise] + " " + unit;
}

std::string reason_text(const network::PipeSizing& s, const PipeRow& row, std::string_view units,
                        const network::SizingLimits& limits) {
    using network::SizingStatus;
    const UnitNames names = UnitNames::for_units(units);
    const auto quantity = [&](double value, std::string_view unit) {
        return text::format_number(value, number_format_for(units)) + " " + std::string(unit);
    };
    const std::string carries = quantity(s.discharge, names.discharge);
    switch (s.status) {
        case SizingStatus::Sized:
            return {};
        case SizingStatus::NoStandardSizes:
            return "there is no table of standard sizes for the shape \"" +
                   std::string(pipe::shown_shape(row[col::kShape])) + "\"";
        case SizingStatus::InvalidInput:
            return "its section cannot be computed (" + s.detail + ")";
        case SizingStatus::NoneLargeEnough:
            return "no standard size is at least " + text::shortest_text(s.least_size) + " " +
                   std::string(names.size) +
                   ", the largest pipe flowing into it or the minimum size";
        case SizingStatus::NoCapacity:
            return "no standard size carries " + carries + " within " +
                   text::shortest_text(limits.max_full_percent) + " % of full flow";
        case SizingStatus::NoVelocity:
            break;
    }
    std::string broken;
    if (s.below_min_velocity) {
        broken = "the minimum full-flow velocity of " +
                 quantity(limits.min_full_velocity.value_or(0.0), names.velocity);
    }
    if (s.above_max_velocity) {
        broken += (broken.empty() ? "" : " and ") + std::string("the maximum velocity of ") +
                  quantity(limits.max_velocity.value_or(0.0), names.velocity) +
                  " at the design discharge";
    }
    return "no standard size that carries " + carries + " meets " + broken;
}

// One pass: sizes the chosen pipes on the rows as they are now and writes the sizes
// that change; the refused pipes replace those of the pass before. Whether any size
// was written.
bool sizing_pass(const store::Database& db, const SavedNetwork& saved,
                 const std::vector<std::size_t>& order, const std::vector<bool>& chosen,
                 const std::string& units, const network::SizingLimits& limits,
                 SizingSummary& summary) {
    std::vector<std::size_t> position(saved.rows.size());
    for (std::size_t k = 0; k < order.size(); ++k) position[order[k]] = k;
    std::vector<network::SizingPipe> pipes;
    pipes.reserve(order.size());
    for (const std::size_t index : order) {
        const PipeRow row = saved.rows[index].unpacked();
        network::SizingPipe p{section_of(row, units),
                              {},
                              chosen[index],
                              chosen[index] ? standard_sizes(row[col::kShape], units)
                                            : std::vector<network::StandardSize>{}};
        for (const auto& previous : saved.links.previous_of(index)) {
            if (previous) p.upstream.push_back(position[*previous]);
        }
        pipes.push_back(std::move(p));
    }
    const auto results = network::size_pipes(pipes, limits);

    const store::PipeTable table(db);
    store::PipeColumnWriter diameters(table, {store::Column("PIPE_DIA")});
    store::PipeColumnWriter spans(table, {store::Column("SPAN"), store::Column("RISE")});
    summary.refused.clear();
    bool written = false;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (!results[k]) continue;
        const network::PipeSizing& s = *results[k];
        const PipeRow row = saved.rows[order[k]].unpacked();
        if (s.status != network::SizingStatus::Sized) {
            summary.refused.push_back({row[col::kPipeNumber], reason_text(s, row, units, limits)});
            continue;
        }
        if (!s.changes(pipes[k].section)) continue;
        const bool by_diameter = pipe::sized_by_diameter(row[col::kShape]);
        const bool found = by_diameter
                               ? diameters.write(row[col::kPipeNumber], {s.size.dia})
                               : spans.write(row[col::kPipeNumber], {s.size.span, s.size.rise});
        // Nothing else writes while the transaction is open.
        if (!found) {
            throw store::DatabaseError("Pipe " + row[col::kPipeNumber] +
                                       " is no longer in the project file.");
        }
        written = true;
    }
    return written;
}

// Why the recompute after a pass could not finish; the sizing then changes nothing.
std::string recompute_failure(const RecomputeSummary& recomputed) {
    if (recomputed.stopped)
        return std::string(kSizePipesCaption) + " was stopped. Nothing was changed.";
    std::string out =
        "The network could not be recomputed with the new sizes, so nothing was changed.";
    if (!recomputed.error.empty()) out += "\n" + recomputed.error;
    list_lines(out, recomputed.failed, recomputed.failed.size(),
               [](const UnsolvedPipe& p) { return "Pipe " + p.pipe + ": " + p.reason; });
    return out;
}

// Which pipes the request chooses, by table position; the error of a number that
// is no pipe.
std::vector<bool> chosen_pipes(const SavedNetwork& saved, const SizingRequest& request,
                               std::string& error) {
    std::vector<bool> chosen(saved.rows.size(), request.pipes.empty());
    for (const std::string& number : request.pipes) {
        const auto index = saved.links.find(number);
        if (!index) {
            error = "There is no pipe " + number + ".";
            return {};
        }
        chosen[*index] = true;
    }
    return chosen;
}

void run(store::ProjectContext& context, Ui& ui, const SizingRequest& request,
         SizingSummary& summary) {
    const store::Database& db = context.project_connection;
    const network::SizingLimits limits = limits_from(
        store::read_check_settings(db, context.units).criteria, request.max_full_percent);
    const CommandStep step(db, step_names::kSizePipes);
    store::Transaction transaction(db);
    SavedNetwork saved = recompute::read_network(context);
    const network::FlowOrder order = network::flow_order(saved.links);
    if (!order.complete()) {
        RecomputeSummary circles;
        circles.cycles = order.cycles;
        circles.blocked = order.blocked;
        summary.error = recompute_summary_text(circles);
        return;
    }
    const std::vector<bool> chosen = chosen_pipes(saved, request, summary.error);
    if (!summary.error.empty()) return;
    const std::vector<text::PackedTexts> before = saved.rows;

    for (summary.passes = 1;; ++summary.passes) {
        if (!sizing_pass(db, saved, order.order, chosen, context.units, limits, summary)) break;
        // Sizes change capacities and flow times, and so the discharges below them.
        const RecomputeSummary recomputed = recompute_network(context, ui);
        if (!recomputed.complete()) {
            summary.error = recompute_failure(recomputed);
            return;
        }
        saved = recompute::read_network(context);
        if (summary.passes == kMaxSizingPasses) {
            summary.settled = false;
            break;
        }
    }
    for (const std::size_t index : order.order) {
        const std::string old_size = size_text(before[index].unpacked(), context.units);
        const PipeRow row = saved.rows[index].unpacked();
        const std::string new_size = size_text(row, context.units);
        if (old_size != new_size) {
            summary.changed.push_back({row[col::kPipeNumber], old_size, new_size});
        }
    }
    transaction.commit();
}

}  // namespace

MaxFullEntry read_max_full(std::string_view typed, std::string_view name) {
    const text::ParsedNumber parsed = text::parse_number(typed);
    if (parsed.ok() && parsed.value > 0.0 && parsed.value <= 100.0) return {parsed.value, {}};
    return {std::nullopt, std::string(name) +
                              " must be a percentage of full flow above 0 and at most 100 "
                              "(100 allows no pressure flow); it is \"" +
                              std::string(typed) + "\"."};
}

SizingSummary size_pipes(store::ProjectContext& context, Ui& ui, const SizingRequest& request) {
    SizingSummary summary;
    BusyPointer busy(ui);
    try {
        run(context, ui, request, summary);
    } catch (const store::DatabaseError& e) {
        summary.error = e.what();
    }
    if (!summary.error.empty()) {
        summary.changed.clear();
        summary.refused.clear();
    }
    return summary;
}

std::string sizing_summary_text(const SizingSummary& summary, std::size_t listed) {
    if (!summary.error.empty()) return summary.error;
    std::string out;
    if (summary.changed.empty()) {
        out = "No pipe changed size.";
    } else {
        out = "Sizes changed (old → new):";
        list_lines(out, summary.changed, listed, [](const ResizedPipe& p) {
            return "Pipe " + p.pipe + ": " + p.old_size + " → " + p.new_size;
        });
    }
    if (!summary.refused.empty()) {
        out += "\nNot sized (each keeps its size):";
        list_lines(out, summary.refused, listed,
                   [](const RefusedPipe& p) { return "Pipe " + p.pipe + ": " + p.reason; });
    }
    const std::string passes =
        std::to_string(summary.passes) + (summary.passes == 1 ? " pass" : " passes");
    out += summary.settled ? "\nSizes settled after " + passes + "."
                           : "\nSizes did not settle after " + passes +
                                 ": the last pass still changed sizes. Review the sized pipes "
                                 "and run Size Pipes again.";
    return out;
}

}  // namespace pelvane::forms
