#include "core/network/flow_order.h"

#include <algorithm>
#include <functional>
#include <queue>

namespace pelvane::network {

namespace {

constexpr std::size_t kUnvisited = static_cast<std::size_t>(-1);

// Downstream links in one flat list: pipe i feeds targets[first[i]] up to
// targets[first[i + 1]]. A pipe naming the same previous pipe in two rows gets
// two links, and waits on both.
struct Links {
    std::vector<std::size_t> first;
    std::vector<std::size_t> targets;
    std::vector<std::size_t> waiting;  // resolved previous rows of each pipe
};

Links downstream_links(const PipeNetwork& network) {
    const std::size_t n = network.size();
    Links links;
    links.first.assign(n + 1, 0);
    links.waiting.assign(n, 0);
    std::vector<std::array<std::optional<std::size_t>, kPreviousPipeRows>> previous(n);
    for (std::size_t i = 0; i < n; ++i) {
        previous[i] = network.previous_of(i);
        for (const auto& p : previous[i]) {
            if (!p) continue;
            ++links.first[*p + 1];
            ++links.waiting[i];
        }
    }
    for (std::size_t i = 0; i < n; ++i) links.first[i + 1] += links.first[i];
    links.targets.resize(links.first[n]);
    std::vector<std::size_t> next(links.first.begin(), links.first.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        for (const auto& p : previous[i]) {
            if (p) links.targets[next[*p]++] = i;
        }
    }
    return links;
}

// Strongly connected groups among the pipes left over (Tarjan's method with an
// explicit stack). Calls `group` with each group's pipes.
void connected_groups(const Links& links, const std::vector<bool>& left,
                      const std::function<void(std::vector<std::size_t>)>& group) {
    const std::size_t n = left.size();
    std::vector<std::size_t> visit(n, kUnvisited);
    std::vector<std::size_t> low(n, 0);
    std::vector<bool> on_stack(n, false);
    std::vector<std::size_t> stack;
    struct Frame {
        std::size_t pipe;
        std::size_t next_link;
    };
    std::vector<Frame> frames;
    std::size_t counter = 0;

    const auto enter = [&](std::size_t pipe) {
        visit[pipe] = low[pipe] = counter++;
        stack.push_back(pipe);
        on_stack[pipe] = true;
        frames.push_back({pipe, links.first[pipe]});
    };

    for (std::size_t root = 0; root < n; ++root) {
        if (!left[root] || visit[root] != kUnvisited) continue;
        enter(root);
        while (!frames.empty()) {
            const std::size_t pipe = frames.back().pipe;
            if (frames.back().next_link < links.first[pipe + 1]) {
                const std::size_t to = links.targets[frames.back().next_link++];
                if (!left[to]) continue;
                if (visit[to] == kUnvisited) {
                    enter(to);
                } else if (on_stack[to]) {
                    low[pipe] = std::min(low[pipe], visit[to]);
                }
                continue;
            }
            frames.pop_back();
            if (!frames.empty()) {
                const std::size_t parent = frames.back().pipe;
                low[parent] = std::min(low[parent], low[pipe]);
            }
            if (low[pipe] != visit[pipe]) continue;
            std::vector<std::size_t> members;
            std::size_t member = kUnvisited;
            while (member != pipe) {
                member = stack.back();
                stack.pop_back();
                on_stack[member] = false;
                members.push_back(member);
            }
            group(std::move(members));
        }
    }
}

bool feeds_itself(const Links& links, std::size_t pipe) {
    const auto begin = links.targets.begin() + static_cast<std::ptrdiff_t>(links.first[pipe]);
    const auto end = links.targets.begin() + static_cast<std::ptrdiff_t>(links.first[pipe + 1]);
    return std::find(begin, end, pipe) != end;
}

}  // namespace

FlowOrder flow_order(const PipeNetwork& network) {
    const std::size_t n = network.size();
    Links links = downstream_links(network);
    FlowOrder result;
    result.order.reserve(n);

    // The ready pipe first in table order goes next.
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
    for (std::size_t i = 0; i < n; ++i) {
        if (links.waiting[i] == 0) ready.push(i);
    }
    std::vector<std::size_t> waiting = links.waiting;
    while (!ready.empty()) {
        const std::size_t pipe = ready.top();
        ready.pop();
        result.order.push_back(pipe);
        for (std::size_t l = links.first[pipe]; l < links.first[pipe + 1]; ++l) {
            if (--waiting[links.targets[l]] == 0) ready.push(links.targets[l]);
        }
    }
    if (result.order.size() == n) return result;

    // What is left waits on a circle: either it is part of one or it lies below one.
    std::vector<bool> left(n, false);
    for (std::size_t i = 0; i < n; ++i) left[i] = waiting[i] > 0;
    std::vector<bool> in_cycle(n, false);
    std::vector<std::vector<std::size_t>> cycles;
    connected_groups(links, left, [&](std::vector<std::size_t> members) {
        if (members.size() == 1 && !feeds_itself(links, members.front())) return;
        for (const std::size_t m : members) in_cycle[m] = true;
        std::sort(members.begin(), members.end());
        cycles.push_back(std::move(members));
    });
    std::sort(cycles.begin(), cycles.end());
    for (const auto& members : cycles) {
        std::vector<std::string> numbers;
        numbers.reserve(members.size());
        for (const std::size_t m : members) numbers.push_back(network.pipe(m).number);
        result.cycles.push_back(std::move(numbers));
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (left[i] && !in_cycle[i]) result.blocked.push_back(network.pipe(i).number);
    }
    return result;
}

}  // namespace pelvane::network
