#include "forms/pipe_rules.h"

#include <algorithm>
#include <utility>

#include "core/network/upstream.h"
#include "forms/project_history.h"

namespace pelvane::forms {
namespace {

std::string joined(std::string_view head, std::string_view middle, std::string_view tail) {
    std::string text(head);
    text += middle;
    text += tail;
    return text;
}

}  // namespace

std::vector<store::Column> previous_pipe_columns(bool legacy) {
    std::vector<store::Column> columns;
    for (int k = 1; k <= (legacy ? 3 : 4); ++k) columns.push_back(store::previous_pipe_column(k));
    return columns;
}

std::optional<std::string> pipe_listing(const store::PipeTable& pipes, std::string_view number,
                                        bool legacy, std::string_view saved_as) {
    if (number.empty()) return std::nullopt;
    return pipes.first_number_where_any(previous_pipe_columns(legacy), number, saved_as);
}

RuleResult check_new_pipe_number(const store::PipeTable& pipes, std::string_view number) {
    if (number.empty()) return Refusal{std::string(kPipeNumberBlank)};
    if (pipes.exists(number)) return Refusal{joined("", number, kPipeNumberExists)};
    return std::nullopt;
}

RuleResult check_node_in(const store::PipeTable& pipes, std::string_view node_in,
                         std::string_view node_out, std::string_view node_in_before,
                         std::string_view saved_as) {
    if (node_in.empty()) return std::nullopt;
    if (node_in == node_out) return Refusal{std::string(kNodeInSameAsNodeOut)};
    if (node_in != node_in_before) {
        if (const auto user = pipes.first_number_where_any({"NODEIN_NO"}, node_in, saved_as)) {
            return Refusal{joined(kNodeInUsedHead, *user, kChooseAnother), Icon::Exclamation};
        }
    }
    return std::nullopt;
}

RuleResult check_node_out(std::string_view node_in, std::string_view node_out) {
    if (!node_out.empty() && node_out == node_in) {
        return Refusal{std::string(kNodeOutSameAsNodeIn)};
    }
    return std::nullopt;
}

RuleResult check_previous_pipe(const store::PipeTable& pipes, std::string_view pipe_number,
                               std::string_view chosen, std::span<const std::string> others,
                               std::string_view remembered, bool legacy,
                               std::string_view saved_as) {
    if (chosen.empty()) return std::nullopt;
    if (chosen == pipe_number) return Refusal{std::string(kPreviousPipeIsItself)};
    if (std::find(others.begin(), others.end(), chosen) != others.end()) {
        return Refusal{std::string(kPreviousPipeRepeated)};
    }
    if (chosen != remembered) {
        if (const auto user = pipe_listing(pipes, chosen, legacy, saved_as)) {
            return Refusal{joined(kPreviousPipeTakenHead, *user, kChooseAnother),
                           Icon::Exclamation};
        }
    }
    return std::nullopt;
}

RuleResult check_previous_pipe_loop(const store::PipeTable& pipes, std::string_view pipe_number,
                                    std::string_view chosen, bool legacy) {
    if (chosen.empty()) return std::nullopt;
    std::vector<store::Column> columns{"PIPE_NUMBER"};
    for (int k = 1; k <= 4; ++k) columns.push_back(store::previous_pipe_column(k));
    std::vector<network::PipeLinks> links;
    for (auto& row : pipes.texts_in_table_order(columns)) {
        network::PipeLinks& pipe = links.emplace_back();
        pipe.number = std::move(row[0]);
        for (int k = 0; k < network::kPreviousPipeRows; ++k)
            pipe.previous[k] = std::move(row[k + 1]);
    }
    const auto loop = network::loop_closed_by(network::PipeNetwork(std::move(links), legacy),
                                              pipe_number, chosen);
    if (loop.empty()) return std::nullopt;
    std::string circle;
    for (const std::string& number : loop) circle += number + " \u2192 ";
    return Refusal{"Pipe " + std::string(chosen) + " receives the flow of pipe " +
                       std::string(pipe_number) +
                       ", so it cannot be its previous pipe: the flow would run in a circle " +
                       circle + std::string(pipe_number) + ". Please choose a different value!",
                   Icon::Exclamation};
}

namespace {

// The rules after the number; `saved` is the pipe's saved row (empty for a new pipe).
std::optional<NewPipeRefusal> check_pipe_links(const store::PipeTable& pipes,
                                               const store::PipeRecord& pipe,
                                               const store::PipeRecord& saved, bool legacy) {
    const auto refused = [](store::Column column, Refusal refusal) {
        return NewPipeRefusal{std::string(column.name()), std::move(refusal)};
    };
    const std::string& number = pipe.get("PIPE_NUMBER");
    const std::string& saved_as = saved.get("PIPE_NUMBER");
    const std::string& node_in = pipe.get("NODEIN_NO");
    const std::string& node_out = pipe.get("NODEOUT_NO");
    if (auto r = check_node_in(pipes, node_in, node_out, saved.get("NODEIN_NO"), saved_as)) {
        return refused("NODEIN_NO", *r);
    }
    if (auto r = check_node_out(node_in, node_out)) return refused("NODEOUT_NO", *r);
    std::vector<std::string> above;
    for (const store::Column column : previous_pipe_columns(legacy)) {
        const std::string& chosen = pipe.get(column);
        if (auto r = check_previous_pipe(pipes, number, chosen, above, saved.get(column), legacy,
                                         saved_as)) {
            return refused(column, *r);
        }
        if (!chosen.empty()) above.push_back(chosen);
    }
    return std::nullopt;
}

}  // namespace

std::optional<NewPipeRefusal> check_new_pipe(const store::PipeTable& pipes,
                                             const store::PipeRecord& pipe, bool legacy) {
    if (auto r = check_new_pipe_number(pipes, pipe.get("PIPE_NUMBER"))) {
        return NewPipeRefusal{"PIPE_NUMBER", *r};
    }
    return check_pipe_links(pipes, pipe, {}, legacy);
}

std::optional<NewPipeRefusal> check_changed_pipe(const store::PipeTable& pipes,
                                                 const store::PipeRecord& pipe,
                                                 const store::PipeRecord& saved, bool legacy) {
    return check_pipe_links(pipes, pipe, saved, legacy);
}

RuleResult check_delete(const store::PipeTable& pipes, std::string_view number, bool legacy) {
    if (const auto user = pipe_listing(pipes, number, legacy)) {
        return Refusal{joined(kUsedAsPreviousHead, *user, kDeleteDeniedTail), Icon::Exclamation};
    }
    return std::nullopt;
}

PipeDeletion delete_pipe(const store::PipeTable& pipes, std::string_view number, bool legacy) {
    if (auto refused = check_delete(pipes, number, legacy)) return {false, std::move(refused)};
    const CommandStep step(pipes.database(), step_names::kDeletePipe);
    store::Transaction transaction(pipes.database());
    const bool deleted = pipes.remove(number);
    transaction.commit();
    return {deleted, std::nullopt};
}

RuleResult check_renumber_target(const store::PipeTable& pipes, std::string_view new_number) {
    if (pipes.exists(new_number)) {
        return Refusal{std::string(kRenumberTargetExists), Icon::Exclamation};
    }
    return std::nullopt;
}

RenumberCheck check_renumber(const store::PipeTable& pipes, std::string_view old_number,
                             std::string_view new_number, bool legacy) {
    if (auto refused = check_renumber_target(pipes, new_number)) return {std::move(refused), {}};
    return {std::nullopt, pipe_listing(pipes, old_number, legacy)};
}

std::string renumber_question(std::string_view listed_by) {
    return joined(kRenumberListedHead, listed_by, kRenumberListedTail);
}

int renumber_pipe(const store::Database& db, std::string_view old_number,
                  std::string_view new_number, bool legacy) {
    const std::vector<store::Value> params{std::string(new_number), std::string(old_number)};
    const CommandStep step(db, step_names::kRenumberPipe);
    store::Transaction transaction(db);
    db.execute("UPDATE PIPE SET PIPE_NUMBER = ? WHERE PIPE_NUMBER = ?", params);
    const int renumbered = db.changes();
    for (const store::Column column : previous_pipe_columns(legacy)) {
        // A legacy file has no fourth previous pipe at all.
        if (!db.has_column("PIPE", column.name())) continue;
        const std::string name(column.name());
        db.execute("UPDATE PIPE SET " + name + " = ? WHERE " + name + " = ?", params);
    }
    transaction.commit();
    return renumbered;
}

}  // namespace pelvane::forms
