#include "cli/command.h"

#include <algorithm>

namespace pelvane::cli {

Args::Args(std::vector<std::string> raw, std::vector<std::string> flags_without_value) {
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::string& a = raw[i];
        if (a == "--") {
            // Everything after "--" is a positional, so that a pipe number such as
            // "-o" or "--7" can be named.
            positionals_.insert(positionals_.end(),
                                raw.begin() + static_cast<std::ptrdiff_t>(i) + 1, raw.end());
            break;
        }
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            const auto eq = a.find('=');
            if (eq != std::string::npos) {
                options_.emplace(a.substr(0, eq), a.substr(eq + 1));
            } else if (std::find(flags_without_value.begin(), flags_without_value.end(), a) !=
                       flags_without_value.end()) {
                options_.emplace(a, "");
            } else if (i + 1 < raw.size()) {
                options_.emplace(a, raw[++i]);
            } else {
                throw CommandError("option " + a + " needs a value", 2);
            }
        } else if (a == "-o" && i + 1 < raw.size()) {
            options_.emplace("-o", raw[++i]);
        } else {
            positionals_.push_back(a);
        }
    }
}

const std::string& Args::positional(std::size_t n, const std::string& what) const {
    if (n >= positionals_.size()) throw CommandError("missing " + what, 2);
    return positionals_[n];
}

std::optional<std::string> Args::option(const std::string& name) const {
    const auto it = options_.find(name);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

std::string Args::option_or(const std::string& name, const std::string& fallback) const {
    return option(name).value_or(fallback);
}

bool Args::flag(const std::string& name) const {
    return options_.count(name) > 0;
}

std::vector<std::string> Args::options(const std::string& name) const {
    std::vector<std::string> values;
    const auto [b, e] = options_.equal_range(name);
    for (auto it = b; it != e; ++it) values.push_back(it->second);
    return values;
}

void Args::allow_only(const std::vector<std::string>& known) const {
    for (const auto& [name, value] : options_) {
        if (name == "--program-folder" || name == "--user-folder") continue;
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            throw CommandError("unknown option " + name, 2);
        }
    }
}

std::map<std::string, Command>& command_registry() {
    static std::map<std::string, Command> registry;
    return registry;
}

CommandRegistration::CommandRegistration(Command command) {
    auto name = command.name;
    command_registry().emplace(std::move(name), std::move(command));
}

}  // namespace pelvane::cli
