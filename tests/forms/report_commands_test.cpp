// The grid's report commands (Form LD229, Pipe Report and the grade line window's
// LD-347 workbook) and the sequence every report runs: name, overwrite, fill, save,
// convert and open.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "forms/hgl_form.h"
#include "forms/ld229_report.h"
#include "forms/pipe_report.h"
#include "forms/report_sequence.h"
#include "report/ld229_layout.h"
#include "report/xlsx/workbook.h"
#include "store/project_database.h"
#include "support/file_bytes.h"
#include "support/report_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
using pelvane::testing::bytes_of;
using pelvane::testing::pipe_row;

class ReportCommands : public ::testing::Test {
  protected:
    void open(const std::vector<pelvane::testing::RowValues>& pipes,
              const pelvane::testing::ProjectValues& values = {}) {
        pelvane::testing::make_network_project(file_, values, pipes);
        context_.program_folder = pelvane::testing::program_folder();
        store::open_project(context_, file_);
    }
    // The grade line window on the project.
    void open_hgl(const std::vector<pelvane::testing::RowValues>& pipes,
                  const pelvane::testing::ProjectValues& values = {}) {
        open(pipes, values);
        hgl_.emplace(context_, session_, ui_, nullptr);
        hgl_->open();
    }
    // Chooses the structure and tailwater as the person would, leaving the field.
    void compute(const std::string& node, const std::string& tailwater) {
        hgl_->fields.set_text("hglanodeout", node);
        hgl_->fields.set_text("TWE", tailwater);
        hgl_->field_left("TWE");
        hgl_->cmdHGL();
    }

    pelvane::testing::TempFolder folder_;
    fs::path file_ = folder_ / "network.pvd";
    fs::path out_ = folder_ / "report.xlsx";
    store::ProjectContext context_;
    forms::DesignSession session_;
    pelvane::testing::ScriptedUi ui_;
    std::optional<HglForm> hgl_;
};

// The form reads only the PIPE columns it names, pipe by pipe: every one it shows
// must be among them, or the streamed report would show blanks.
TEST_F(ReportCommands, Ld229ReadPipeByPipeShowsWhatTheWholeRecordsShow) {
    const fs::path sample = folder_ / "sample.pvd";
    fs::copy_file(pelvane::testing::program_folder() / "samples" / "Sample.pvd", sample);
    context_.program_folder = pelvane::testing::program_folder();
    store::open_project(context_, sample);
    session_.enter_grade_line_report(context_);
    const auto whole = store::PipeTable(context_.project_connection).all_by_number();
    ASSERT_GT(whole.size(), 5u);
    EXPECT_EQ(report::collect(ld229_cells(context_, session_)),
              report::ld229_layout(context_, whole, session_.number_format,
                                   session_.unit_constants.unit_divisor));
}

TEST_F(ReportCommands, Ld229WritesEveryPipeThroughTheReportSequence) {
    open({pipe_row("9", "3", "2"), pipe_row("10", "2", "1"), pipe_row("O'Brien 1", "4", "3")});
    ui_.files = {out_.string()};
    const auto written = run_ld229_report(context_, session_, ui_, nullptr);
    ASSERT_TRUE(written);
    EXPECT_TRUE(ui_.shown.empty());  // no closing message
    EXPECT_EQ(session_.unit_constants.gravity, 32.2);
    const auto book = report::Workbook::open(out_);
    EXPECT_EQ(book.cell(12, 1).text, "10");
    EXPECT_EQ(book.cell(14, 1).text, "O'Brien 1");
}

TEST_F(ReportCommands, PipeReportCoversTheSelectedPipeOrTheFirstRow) {
    open({pipe_row("9", "3", "2", {{"PIPE_LENGTH", "90.00"}}),
          pipe_row("10", "2", "1", {{"PIPE_LENGTH", "110.00"}})});
    ui_.files = {out_.string()};
    ASSERT_TRUE(run_pipe_report(context_, ui_, "9", nullptr));
    auto book = report::Workbook::open(out_);
    EXPECT_EQ(book.cell(11, 3).text, "9");
    EXPECT_EQ(book.cell(12, 3).text, "90.00");  // as stored, not a number
    EXPECT_EQ(book.cell(2, 9).text, today_text());

    // Right after the grid opens the first row (in text order) is selected.
    const fs::path first = folder_ / "first.xlsx";
    ui_.files = {first.string()};
    ASSERT_TRUE(run_pipe_report(context_, ui_, "", nullptr));
    EXPECT_EQ(report::Workbook::open(first).cell(11, 3).text, "10");

    ui_.clear();
    EXPECT_FALSE(run_pipe_report(context_, ui_, "77", nullptr));  // gone since the grid was read
    EXPECT_TRUE(ui_.dialogs.empty());
}

TEST_F(ReportCommands, HglTailwaterGetsTwoDecimalsAndComputeNeedsAStructure) {
    open_hgl({pipe_row("1", "2", "1")});
    const std::vector<std::pair<std::string, std::string>> cases{
        {"100", "100.00"}, {"99.995", "100.00"}, {"-1.5", "-1.50"}, {"", ""}, {"1.2.3", "1.2.3"}};
    for (const auto& [typed, shown] : cases) {
        hgl_->fields.set_text("TWE", typed);
        hgl_->field_left("TWE");
        EXPECT_EQ(hgl_->fields.text("TWE"), shown) << typed;
    }

    // Without a structure Compute does nothing.
    const double gravity = session_.unit_constants.gravity;
    hgl_->cmdHGL();
    EXPECT_TRUE(ui_.dialogs.empty());
    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_EQ(session_.unit_constants.gravity, gravity);
}

// Outfall 1; pipe 1 from 2 to 1; pipes 2 and 3 both end at 2, pipe 3 entering at
// a right angle; pipe 4 above pipe 2. Paths: 1-2-3-5, then 2-4. The rows and their
// numbers are the grade line engine's, their cells the LD-347 layout's; here the
// window's run reaches the workbook.
TEST_F(ReportCommands, HglARunWritesTheWorkbookAndOpensIt) {
    open_hgl({pipe_row("1", "2", "1"), pipe_row("2", "3", "2", {{"PIPE_STORM_FREQ", "10"}}),
              pipe_row("3", "4", "2", {{"PIPE_SKEW", "90"}, {"PIPE_STORM_FREQ", "25 "}}),
              pipe_row("4", "5", "3"), pipe_row("5", "8", "")},  // not connected
             {"Route 9", "R. Hale", "Pulaski", "", "", "ENGLISH"});
    const std::string before = bytes_of(file_);
    ui_.files = {out_.string()};
    compute("1", "100");

    EXPECT_EQ(ui_.texts(),
              std::vector<std::string>{"Finished! Please check and Save your results"});
    EXPECT_EQ(ui_.opened, std::vector<std::string>{out_.string()});
    EXPECT_EQ(session_.unit_constants.gravity, 32.2);
    EXPECT_EQ(session_.unit_constants.unit_divisor, 12.0);
    EXPECT_EQ(bytes_of(file_), before);  // the project is only read

    const auto book = report::Workbook::open(out_);
    EXPECT_EQ(book.cell(1, 9).text, "Route 9");
    EXPECT_EQ(book.cell(4, 4).text, "25");  // the last pipe written, trimmed
    EXPECT_EQ(book.cell(11, 1).text, "1");
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 100.0);  // "100.00" as typed
    // Every column of a pipe row is read from the project file.
    for (int column = 3; column <= 26; ++column) {
        if (column == 6 || column == 22) continue;
        EXPECT_TRUE(book.cell(12, column).is_number()) << column;
    }
    EXPECT_EQ(book.cell(16, 1).text, "4");
    EXPECT_TRUE(book.cell(17, 1).empty());
}

TEST(TodayText, IsMonthDayYear) {
    EXPECT_TRUE(
        std::regex_match(today_text(), std::regex(R"((1[0-2]|0?[1-9])/([0-3]?[0-9])/\d{4})")))
        << today_text();
}

}  // namespace
}  // namespace pelvane::forms

using namespace pelvane;
using forms::Answer;
using forms::Icon;

namespace {

namespace fs = std::filesystem;

// Also records the busy pointer, and the order of what the person sees.
class RecordingUi : public pelvane::testing::ScriptedUi {
  public:
    using ScriptedUi::message;
    std::vector<bool> busy;
    std::vector<std::string> events;

    void set_busy(bool on) override {
        busy.push_back(on);
        events.push_back(on ? "busy" : "normal");
    }
    void message(const std::string& text, Icon icon, const std::string& title) override {
        events.push_back(text);
        ScriptedUi::message(text, icon, title);
    }
    bool open_document(const std::string& path) override {
        events.push_back("open");
        return ScriptedUi::open_document(path);
    }
};

class ReportSequence : public ::testing::Test {
  protected:
    void SetUp() override {
        pelvane::testing::copy_program_files(program_,
                                             {report::kLd229Template, report::kLd347Template});
        context_.program_folder = program_;
    }

    std::optional<report::WrittenReport> run(const forms::ReportSpec& spec = forms::kLd229Report,
                                             const report::OfficeConverter* office = nullptr) {
        return forms::run_report(ui_, context_, spec, fill_, office);
    }

    report::OfficeConverter office_script(const std::string& body) {
        const fs::path script = folder_ / "office";
        std::ofstream(script) << "#!/bin/sh\n" << body;
        fs::permissions(script, fs::perms::owner_all);
        return report::OfficeConverter(script);
    }

    pelvane::testing::TempFolder folder_;
    fs::path program_ = folder_ / "program";
    store::ProjectContext context_;
    RecordingUi ui_;
    int fills_ = 0;
    report::FillCells fill_ = [this](report::Workbook& book) {
        ++fills_;
        book.set_text(1, 13, "Route 29");
        book.set_number(12, 7, 0.85);
    };
};

}  // namespace

TEST_F(ReportSequence, NoNameEndsTheReportWithAMessage) {
    for (const std::string& chosen :
         std::vector<std::string>{"", (folder_ / "*.xlsx").string(), "   "}) {
        ui_.clear();
        ui_.files = {chosen};
        EXPECT_FALSE(run()) << chosen;
        ASSERT_EQ(ui_.shown.size(), 1u);
        EXPECT_EQ(ui_.last().text, "No File Name selected!");
    }
    EXPECT_EQ(fills_, 0);
    EXPECT_TRUE(ui_.opened.empty());
    EXPECT_TRUE(context_.last_folder.empty());
    EXPECT_TRUE(ui_.busy.empty());
}

TEST_F(ReportSequence, AnExistingFileIsReplacedOnlyWhenThePersonAgrees) {
    const fs::path chosen = folder_ / "ld229.xlsx";
    std::ofstream(chosen) << "keep me";
    ui_.files = {chosen.string()};
    ui_.answers = {Answer::No};
    EXPECT_FALSE(run());
    EXPECT_TRUE(ui_.last().question);
    EXPECT_EQ(pelvane::testing::bytes_of(chosen), "keep me");
    EXPECT_EQ(fills_, 0);

    ui_.files = {chosen.string()};
    ui_.answers = {Answer::Yes};
    ASSERT_TRUE(run());
    EXPECT_EQ(report::Workbook::open(chosen).cell(1, 13).text, "Route 29");
}

TEST_F(ReportSequence, TheFilledCopyIsSavedAndOpened) {
    fs::create_directories(folder_ / "out");
    const fs::path chosen = folder_ / "out" / "O'Brien ld229.xlsx";
    ui_.files = {chosen.string()};
    const auto written = run();
    ASSERT_TRUE(written);
    ASSERT_EQ(ui_.dialogs.size(), 1u);
    EXPECT_TRUE(ui_.dialogs[0].save) << "a report asks where to save, not what to open";
    EXPECT_EQ(written->files.workbook, chosen);
    EXPECT_FALSE(written->files.pdf);
    EXPECT_EQ(written->skipped_cells, 0);
    const auto book = report::Workbook::open(chosen);
    EXPECT_EQ(book.cell(1, 13).text, "Route 29");
    EXPECT_EQ(book.cell(12, 7).number, 0.85);
    EXPECT_EQ(context_.last_folder, (folder_ / "out").string());
    EXPECT_EQ(ui_.opened, std::vector<std::string>{chosen.string()});
    EXPECT_EQ(ui_.busy, (std::vector<bool>{true, false}));
    EXPECT_TRUE(ui_.shown.empty());  // LD-229 has no closing message
}

TEST_F(ReportSequence, APdfNameWritesTheWorkbookBesideItAndOpensThePdf) {
    const auto office = office_script(R"(out=""; prev=""; last=""
for a in "$@"; do
  case "$prev" in --outdir) out="$a";; esac
  prev="$a"; last="$a"
done
base=$(basename "$last")
echo "pdf of $base" > "$out/${base%.*}.pdf"
)");
    const fs::path pdf = folder_ / "ld229.pdf";
    std::ofstream(folder_ / "ld229.xlsx") << "an older workbook";
    ui_.files = {pdf.string()};
    ui_.answers = {Answer::Yes};  // the workbook beside the PDF exists
    const auto written = run(forms::kLd229Report, &office);
    ASSERT_TRUE(written);
    EXPECT_EQ(ui_.shown.front().text, "File Already Exists!   Overwrite?");
    EXPECT_EQ(written->files.workbook, folder_ / "ld229.xlsx");
    EXPECT_EQ(written->files.pdf, pdf);
    EXPECT_EQ(pelvane::testing::bytes_of(pdf), "pdf of ld229.xlsx\n");
    EXPECT_EQ(report::Workbook::open(folder_ / "ld229.xlsx").cell(1, 13).text, "Route 29");
    EXPECT_EQ(ui_.opened, std::vector<std::string>{pdf.string()});
}

TEST_F(ReportSequence, AFailedPdfIsReportedAndTheWorkbookIsShownInstead) {
    const auto office = office_script("echo 'Error: no export filter' >&2\nexit 1\n");
    ui_.files = {(folder_ / "ld229.pdf").string()};
    const auto written = run(forms::kLd229Report, &office);
    ASSERT_TRUE(written);
    EXPECT_FALSE(written->files.pdf);
    ASSERT_EQ(ui_.shown.size(), 1u);
    EXPECT_NE(ui_.last().text.find("Error: no export filter"), std::string::npos);
    EXPECT_EQ(ui_.opened, std::vector<std::string>{(folder_ / "ld229.xlsx").string()});
    EXPECT_EQ(ui_.busy, (std::vector<bool>{true, false}));
}
