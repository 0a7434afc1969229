#include "forms/report_sequence.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

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
    void open_document(const std::string& path) override {
        events.push_back("open");
        ScriptedUi::open_document(path);
    }
};

class ReportSequence : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(program_);
        fs::copy_file(pelvane::testing::program_folder() / report::kLd229Template,
                      program_ / report::kLd229Template);
        fs::copy_file(pelvane::testing::program_folder() / report::kLd347Template,
                      program_ / report::kLd347Template);
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
