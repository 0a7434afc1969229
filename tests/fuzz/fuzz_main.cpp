// pelvane_fuzz: the fault campaign of the command-line tool. It damages copies of
// the sample project and of its pipe list (see mutations.cpp), runs a pelvane
// command on each and sorts the outcomes. Every outcome must be a success or a
// refusal: a non-zero exit with one clear line on stderr that leaves the project
// and any earlier output file as they were. Anything else (a signal, a time-out,
// library text on stderr, a refused command that changed a file, JSON that does
// not parse) is a fault; the case is kept under WORK/faults and the exit is 1.
//
// usage: pelvane_fuzz --cli PELVANE --sample SAMPLE.pvd --list SAMPLE.csv --work DIR
//                     [--seed N] [--projects N] [--imports N] [--timeout SECONDS]

#if defined(__unix__)
#include <sys/stat.h>
#endif

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>
#include <vector>

#include "fuzz/mutations.h"
#include "platform/platform.h"
#include "store/sqlite/database.h"
#include "support/file_bytes.h"

namespace {

namespace fs = std::filesystem;
using pelvane::fuzz::Random;

struct Options {
    fs::path cli, sample, list, work;
    std::uint64_t seed = 1;
    int projects = 1000;
    int imports = 1000;
    int timeout_seconds = 60;
};

using pelvane::testing::bytes_of;

struct Run {
    std::vector<std::string> args;
    int exit_code = 0;
    int signal = 0;
    bool timed_out = false;
    std::string out, err;
};

// Runs pelvane with `args`, its stdout and stderr in files of `folder`.
Run run(const Options& options, const fs::path& folder, std::vector<std::string> args) {
    Run result;
    args.insert(args.end(), {"--user-folder", (options.work / "user").string()});
    result.args = args;
    std::vector<std::string> words{options.cli.string()};
    words.insert(words.end(), args.begin(), args.end());
    const fs::path out = folder / "stdout", err = folder / "stderr";
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
    const auto outcome = pelvane::platform::run_program(
        words, {out, err, {}}, [deadline] { return std::chrono::steady_clock::now() > deadline; });
    if (outcome.end == pelvane::platform::ProgramEnd::NotStarted) {
        std::cerr << "pelvane_fuzz: cannot start " << options.cli << " in " << folder << "\n";
        std::exit(2);
    }
    result.timed_out = outcome.end == pelvane::platform::ProgramEnd::Stopped;
    result.signal = outcome.signal;
    result.exit_code = outcome.exit_code;
    result.out = bytes_of(out);
    result.err = bytes_of(err);
    return result;
}

// Text that comes from a library or the runtime rather than from the program.
const char* library_text(const std::string& err) {
    for (const char* marker :
         {"filesystem error", "json.exception", "std::", "basic_string", "terminate called",
          "what():", "vector::", "_M_", "stoi", "stod", "bad_alloc", "Assertion", "Sanitizer",
          "runtime error:", "libzip", "pugixml"}) {
        if (err.find(marker) != std::string::npos) return marker;
    }
    return nullptr;
}

// A file a run must leave alone: a regular file whose bytes a refusal keeps, or
// something else (a folder, a link, a pipe) that no run may replace.
struct Kept {
    fs::path path;
    fs::file_type kind;
    std::string bytes;
};
using KeptFiles = std::vector<Kept>;

Kept kept(const fs::path& file) {
    const fs::file_type kind = fs::symlink_status(file).type();
    return {file, kind, kind == fs::file_type::regular ? bytes_of(file) : std::string()};
}

// What is wrong with a run, or "" for a success or a proper refusal.
std::string fault_of(const Run& r, bool json_out, const KeptFiles& files) {
    for (const Kept& k : files) {
        if (k.kind != fs::file_type::regular && fs::symlink_status(k.path).type() != k.kind) {
            return "replaced " + k.path.filename().string() + ", which was not a file";
        }
    }
    if (r.timed_out) return "hang";
    if (r.signal != 0) return "crash (signal " + std::to_string(r.signal) + ")";
    if (const char* marker = library_text(r.err)) return std::string("library text: ") + marker;
    if (r.exit_code == 0) {
        if (json_out && !nlohmann::json::accept(r.out)) return "output is not JSON";
        return "";
    }
    if (r.err.empty() || r.err.rfind("pelvane ", 0) != 0 || r.err.back() != '\n')
        return "unclear refusal";
    // A command that did part of its work says so on stdout (solve's summary).
    if (!r.out.empty()) return "";
    for (const Kept& k : files) {
        if (k.kind == fs::file_type::regular && bytes_of(k.path) != k.bytes) {
            return "refused but changed " + k.path.filename().string();
        }
    }
    return "";
}

struct Tally {
    struct Outcomes {
        int succeeded = 0;
        int refused = 0;
    };
    std::map<std::string, Outcomes> commands;
    std::map<std::string, int> faults;
    int runs = 0;

    void add(const std::string& command, const Run& r, const std::string& fault) {
        ++runs;
        if (!fault.empty()) {
            ++faults[command + ": " + fault];
        } else if (r.exit_code == 0) {
            ++commands[command].succeeded;
        } else {
            ++commands[command].refused;
        }
    }
    int fault_count() const {
        int n = 0;
        for (const auto& [what, count] : faults) n += count;
        return n;
    }
};

void keep_case(const fs::path& from, const fs::path& to, const Run& r, const std::string& what,
               const std::string& fault) {
    fs::create_directories(to);
    std::error_code ignored;  // a pipe or a link among the files is left out
    fs::copy(from, to,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing |
                 fs::copy_options::copy_symlinks,
             ignored);
    std::ofstream note(to / "FAULT.txt");
    note << fault << "\nmutation: " << what << "\nargs:";
    for (const auto& a : r.args) note << " '" << a << "'";
    note << "\nexit " << r.exit_code << " signal " << r.signal << "\n--- stderr\n" << r.err;
}

// The output target of export and report: an earlier file (which a refusal must
// keep), nothing, or something that is not a file at all.
fs::path output_target(const fs::path& folder, const std::string& name, Random& random,
                       KeptFiles& files) {
    fs::path target = folder / name;
    switch (random() % 6) {
        case 0:
            return target;
        case 1:
            fs::create_directory(target);
            break;
        case 2:
            fs::create_symlink("/dev/null", target);
            break;
#if defined(__unix__)
        case 3:  // a named pipe, where the system has them
            ::mkfifo(target.c_str(), 0600);
            break;
#endif
        default:
            std::ofstream(target) << "the engineer's earlier file";
    }
    files.push_back(kept(target));
    return target;
}

// The commands run on the damaged projects, one case each in turn: "{}" stands for
// the project; export and report write to an output target of the given name.
struct ProjectCommand {
    const char* name;
    std::vector<std::string> args;
    bool json_out = false;
    const char* output = nullptr;
};
const ProjectCommand kProjectCommands[] = {
    {"info", {"info", "{}", "--json"}, true},
    {"pipes", {"pipes", "{}", "--json"}, true},
    {"solve", {"solve", "{}", "--all"}},
    {"hgl", {"hgl", "{}", "--outfall", "1", "--tailwater", "2076", "--json"}, true},
    {"import", {"import", "{}"}},
    {"export", {"export", "{}"}, false, "list.csv"},
    {"report ld229", {"report", "ld229", "{}", "-o"}, false, "ld229.xlsx"},
    {"report pipe", {"report", "pipe", "{}", "--pipe", "1", "-o"}, false, "pipe.xlsx"},
};

class Campaign {
  public:
    explicit Campaign(Options options) : o_(std::move(options)) {
        fs::remove_all(o_.work / "faults");
        fs::create_directories(o_.work / "user");
        sample_list_ = bytes_of(o_.list);
        // An empty project: the sample without its pipes and outlet records.
        empty_ = o_.work / "empty.pvd";
        fs::copy_file(o_.sample, empty_, fs::copy_options::overwrite_existing);
        const auto db = pelvane::store::Database::open(empty_);
        db.execute("DELETE FROM PIPE");
        db.execute("DELETE FROM ENERGY");
    }

    void project_case(int index) {
        Random random(o_.seed * 1000003 + static_cast<std::uint64_t>(index));
        const fs::path folder = fresh_folder("project", index);
        const fs::path project = folder / "project.pvd";
        fs::copy_file(o_.sample, project);
        const std::string what = pelvane::fuzz::mutate_project(project, random);
        KeptFiles unchanged{kept(project)};
        const auto& c =
            kProjectCommands[static_cast<std::size_t>(index) % std::size(kProjectCommands)];
        std::vector<std::string> args;
        for (const std::string& arg : c.args) args.push_back(arg == "{}" ? project.string() : arg);
        if (c.output) args.push_back(output_target(folder, c.output, random, unchanged).string());
        if (c.name == std::string("import")) {
            const fs::path list = folder / "one pipe.csv";
            std::ofstream(list) << sample_list_.substr(0, sample_list_.find('\n') + 1)
                                << "-77,77,Inlet,,,,,,78,Inlet,,,,,10,100,99,Circular,"
                                   "Concrete,15,,,1,0.013,0,10,1.0,,,,,,,,,\n";
            args.push_back(list.string());
        }
        check(c.name, folder, run(o_, folder, args), c.json_out, unchanged, what);
        fs::remove_all(folder);
    }

    void import_case(int index) {
        Random random(o_.seed * 1000003 + 500000 + static_cast<std::uint64_t>(index));
        const fs::path folder = fresh_folder("import", index);
        const fs::path project = folder / "project.pvd";
        fs::copy_file(empty_, project);
        std::string what;
        const fs::path list = folder / "pipes.csv";
        std::ofstream(list, std::ios::binary)
            << pelvane::fuzz::mutate_pipe_list(sample_list_, random, what);
        const KeptFiles unchanged{kept(project)};
        const Run imported = run(o_, folder, {"import", project.string(), list.string()});
        if (check("import", folder, imported, false, unchanged, what) && imported.exit_code == 0) {
            // What was imported must show: the pipe list as JSON, whatever bytes it holds.
            check("pipes after import", folder,
                  run(o_, folder, {"pipes", project.string(), "--json", "--all-columns"}), true, {},
                  what);
        }
        fs::remove_all(folder);
    }

    int report() const {
        std::cout << "pelvane_fuzz: seed " << o_.seed << ", " << o_.projects
                  << " damaged projects, " << o_.imports << " damaged pipe lists, " << tally_.runs
                  << " runs\n";
        for (const auto& [command, n] : tally_.commands) {
            std::cout << "  " << command << ": " << n.succeeded << " succeeded, " << n.refused
                      << " refused clearly\n";
        }
        std::cout << "  faults: " << tally_.fault_count() << "\n";
        for (const auto& [what, n] : tally_.faults)
            std::cout << "    " << what << ": " << n << "\n";
        return tally_.fault_count() == 0 ? 0 : 1;
    }

    const Options& options() const { return o_; }

  private:
    fs::path fresh_folder(const std::string& kind, int index) const {
        fs::path folder = o_.work / "case" / (kind + "-" + std::to_string(index));
        fs::remove_all(folder);
        fs::create_directories(folder);
        return folder;
    }

    bool check(const std::string& command, const fs::path& folder, const Run& r, bool json_out,
               const KeptFiles& unchanged, const std::string& what) {
        const std::string fault = fault_of(r, json_out, unchanged);
        tally_.add(command, r, fault);
        if (std::getenv("PELVANE_FUZZ_VERBOSE") != nullptr) {
            std::cout << folder.filename().string() << " " << command << " [" << what << "] exit "
                      << r.exit_code << ": " << r.err.substr(0, r.err.find('\n')) << "\n";
        }
        if (!fault.empty()) {
            keep_case(folder, o_.work / "faults" / folder.filename(), r, what, fault);
            std::cout << "FAULT " << folder.filename().string() << " (" << command << "): " << fault
                      << " [" << what << "]\n";
        }
        return fault.empty();
    }

    Options o_;
    std::string sample_list_;
    fs::path empty_;
    Tally tally_;
};

Options parse(int argc, char** argv) {
    Options o;
    using Set = std::function<void(const std::string&)>;
    const std::map<std::string, Set> options{
        {"--cli", [&o](const std::string& v) { o.cli = v; }},
        {"--sample", [&o](const std::string& v) { o.sample = v; }},
        {"--list", [&o](const std::string& v) { o.list = v; }},
        {"--work", [&o](const std::string& v) { o.work = v; }},
        {"--seed", [&o](const std::string& v) { o.seed = std::stoull(v); }},
        {"--projects", [&o](const std::string& v) { o.projects = std::stoi(v); }},
        {"--imports", [&o](const std::string& v) { o.imports = std::stoi(v); }},
        {"--timeout", [&o](const std::string& v) { o.timeout_seconds = std::stoi(v); }}};
    for (int i = 1; i + 1 < argc; i += 2) {
        const auto option = options.find(argv[i]);
        if (option == options.end())
            throw std::invalid_argument("unknown option " + std::string(argv[i]));
        option->second(argv[i + 1]);
    }
    if (o.cli.empty() || o.sample.empty() || o.list.empty() || o.work.empty()) {
        throw std::invalid_argument("--cli, --sample, --list and --work are required");
    }
    for (fs::path* path : {&o.cli, &o.sample, &o.list, &o.work}) *path = fs::absolute(*path);
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Campaign campaign(parse(argc, argv));
        for (int i = 0; i < campaign.options().projects; ++i) campaign.project_case(i);
        for (int i = 0; i < campaign.options().imports; ++i) campaign.import_case(i);
        return campaign.report();
    } catch (const std::exception& e) {
        std::cerr << "pelvane_fuzz: " << e.what() << "\n";
        return 2;
    }
}
