#include "forms/network_recompute.h"

#include <algorithm>
#include <functional>

#include "core/network/flow_order.h"
#include "core/network/pipe_network.h"
#include "forms/network_recompute_pipe.h"
#include "forms/project_history.h"
#include "store/design_rainfall.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

using recompute::PipeRow;
using recompute::SavedNetwork;
namespace col = recompute;

// Below this many pipes a recompute is over before a progress bar would show.
constexpr std::size_t kProgressFrom = 200;
// Progress is reported this many times over a large network.
constexpr std::size_t kProgressSteps = 100;

// The section results are named by the engine; Column::named checks them.
std::vector<store::Column> columns_from(std::size_t first) {
    const auto& names = recompute::column_names();
    std::vector<store::Column> columns;
    for (auto it = names.begin() + first; it != names.end(); ++it) {
        columns.push_back(store::Column::named(*it));
    }
    return columns;
}

std::vector<store::Column> all_columns() {
    return columns_from(0);
}

std::vector<store::Column> written_columns() {
    return columns_from(col::kFirstWritten);
}

bool results_differ(const PipeRow& before, const PipeRow& after) {
    return !std::equal(before.begin() + col::kPipeDischarge, before.end(),
                       after.begin() + col::kPipeDischarge);
}

// Recomputes the pipes one after the other with what the pipes before them left.
class Recompute {
  public:
    Recompute(store::ProjectContext& context, SavedNetwork& saved, RecomputeSummary& summary)
        : context_(context),
          saved_(saved),
          summary_(summary),
          pipe_(context),
          changed_(saved.rows.size(), false) {}

    void run(std::size_t index) {
        saved_.rows[index].unpack_into(row_);
        before_ = row_;
        ++summary_.recomputed;
        if (auto reason = pipe_.run(row_, links_of(index))) {
            summary_.failed.push_back({row_[col::kPipeNumber], std::move(*reason)});
            return;
        }
        if (row_ == before_) return;
        saved_.rows[index] = text::PackedTexts(row_);
        changed_[index] = true;
        if (results_differ(before_, row_)) {
            summary_.changed.push_back(
                {row_[col::kPipeNumber], before_[col::kPipeDischarge], row_[col::kPipeDischarge]});
        }
    }

    // Writes every changed pipe, and the coefficients they were computed with, in one
    // transaction: a failure, or a stop asked for before `may_commit` says so, leaves
    // the file as it was.
    void save(const std::function<bool()>& may_commit) {
        const store::Database& db = context_.project_connection;
        const CommandStep step(db, step_names::kRecomputeNetwork);
        store::Transaction transaction(db);
        store::PipeColumnWriter writer(store::PipeTable(db), written_columns());
        std::vector<std::string> texts;
        int saved = 0;
        for (std::size_t i = 0; i < changed_.size(); ++i) {
            if (!changed_[i]) continue;
            saved_.rows[i].unpack_into(row_);
            const PipeRow& row = row_;
            texts.assign(row.begin() + col::kFirstWritten, row.end());
            // Nothing else writes while the transaction is open; a pipe gone now
            // means the file changed under us, and nothing is saved.
            if (!writer.write(row[col::kPipeNumber], texts)) {
                throw store::DatabaseError("Pipe " + row[col::kPipeNumber] +
                                           " is no longer in the project file.");
            }
            ++saved;
        }
        store::record_design_rainfall(context_, pipe_.storms_used());
        if (!may_commit()) {
            summary_.stopped = true;
            return;
        }
        transaction.commit();
        summary_.saved = saved;
    }

  private:
    std::array<pipe::PreviousPipeLink, pipe::kPreviousPipeRows> links_of(std::size_t index) const {
        std::array<pipe::PreviousPipeLink, pipe::kPreviousPipeRows> links;
        const auto previous = saved_.links.previous_of(index);
        const text::PackedTexts& row = saved_.rows[index];
        for (int k = 0; k < saved_.links.previous_rows(); ++k) {
            if (previous[k]) {
                links[k] = {pipe::PreviousPipeLink::State::Found,
                            recompute::handed_on(saved_.rows[*previous[k]])};
            } else if (!row[col::kPrenode1 + k].empty()) {
                links[k].state = pipe::PreviousPipeLink::State::Missing;
            }
        }
        return links;
    }

    store::ProjectContext& context_;
    SavedNetwork& saved_;
    RecomputeSummary& summary_;
    recompute::PipeRecompute pipe_;
    std::vector<bool> changed_;
    // The pipe being worked on, unpacked, and its texts before.
    PipeRow row_;
    PipeRow before_;
};

// Reports progress now and then; false when the person asked to stop.
bool keep_going(Ui& ui, std::size_t done, std::size_t total) {
    if (total < kProgressFrom) return true;
    const std::size_t step = std::max<std::size_t>(1, total / kProgressSteps);
    if (done % step != 0 && done != total) return true;
    return ui.progress(static_cast<int>(done), static_cast<int>(total), kRecomputeNetworkCaption);
}

}  // namespace

namespace recompute {

SavedNetwork read_network(const store::ProjectContext& context) {
    const store::PipeTable table(context.project_connection);
    // Sized once: a vector that doubles holds up to half as much again for nothing.
    const auto count = static_cast<std::size_t>(table.count());
    std::vector<text::PackedTexts> rows;
    std::vector<network::PipeLinks> links;
    rows.reserve(count);
    links.reserve(count);
    table.each_in_table_order(all_columns(), [&](const PipeRow& row) {
        network::PipeLinks pipe{row[col::kPipeNumber], {}};
        for (int k = 0; k < network::kPreviousPipeRows; ++k) {
            pipe.previous[k] = row[col::kPrenode1 + k];
        }
        links.push_back(std::move(pipe));
        rows.emplace_back(row);
    });
    return {std::move(rows), network::PipeNetwork(std::move(links), context.legacy_database_mode)};
}

}  // namespace recompute

RecomputeSummary recompute_network(store::ProjectContext& context, Ui& ui) {
    RecomputeSummary summary;
    BusyPointer busy(ui);
    try {
        SavedNetwork saved = recompute::read_network(context);
        network::FlowOrder order = network::flow_order(saved.links);
        if (!order.complete()) {
            summary.cycles = std::move(order.cycles);
            summary.blocked = std::move(order.blocked);
            return summary;
        }
        Recompute work(context, saved, summary);
        const std::size_t total = order.order.size();
        for (std::size_t done = 0; done < total; ++done) {
            if (!keep_going(ui, done, total)) {
                summary.stopped = true;
                return summary;
            }
            work.run(order.order[done]);
        }
        // The last chance to stop comes after the writing, just before the commit.
        work.save([&ui, total] { return keep_going(ui, total, total); });
    } catch (const store::DatabaseError& e) {
        summary.error = e.what();
        summary.saved = 0;
    }
    return summary;
}

RecomputeSummary recompute_pipe(store::ProjectContext& context, Ui& ui,
                                std::string_view pipe_number) {
    RecomputeSummary summary;
    BusyPointer busy(ui);
    try {
        SavedNetwork saved = recompute::read_network(context);
        const auto index = saved.links.find(pipe_number);
        if (!index) {
            summary.error = "There is no pipe " + std::string(pipe_number) + ".";
            return summary;
        }
        // A pipe whose previous pipes lead back to itself takes over what it gives.
        for (auto& cycle : network::flow_order(saved.links).cycles) {
            if (std::find(cycle.begin(), cycle.end(), pipe_number) != cycle.end()) {
                summary.cycles.push_back(std::move(cycle));
            }
        }
        if (!summary.cycles.empty()) return summary;
        Recompute work(context, saved, summary);
        work.run(*index);
        work.save([] { return true; });
    } catch (const store::DatabaseError& e) {
        summary.error = e.what();
        summary.saved = 0;
    }
    return summary;
}

}  // namespace pelvane::forms
