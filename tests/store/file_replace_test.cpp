#include "store/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "support/error_text.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

using pelvane::testing::bytes_of;
using pelvane::testing::error_text;

std::size_t entries_in(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ReplaceFile, ReplacesOnlyARegularFileOrNothing) {
    struct Case {
        const char* target;
        std::function<void(const fs::path&)> make;
        const char* refusal;  // nullptr: written
    };
    const Case cases[] = {
        {"new.csv", [](const fs::path&) {}, nullptr},
        {"old.csv", [](const fs::path& p) { std::ofstream(p) << "old"; }, nullptr},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, "it is a folder"},
        {"link", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }, "symbolic link"},
        {"fifo", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, "a device or a pipe"},
        {"", [](const fs::path&) {}, "No file name"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const fs::path target = *c.target ? folder / c.target : fs::path();
        c.make(target);
        const auto kind = fs::symlink_status(target).type();
        try {
            replace_file_with_bytes(target, "new");
            EXPECT_EQ(c.refusal, nullptr) << c.target;
            EXPECT_EQ(bytes_of(target), "new");
        } catch (const FileWriteError& e) {
            ASSERT_NE(c.refusal, nullptr) << c.target << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
            EXPECT_EQ(fs::symlink_status(target).type(), kind) << c.target;
        }
        EXPECT_EQ(entries_in(folder.path()), *c.target ? 1u : 0u) << "a temporary was left";
    }
}

TEST(ReplaceFile, AFailureLeavesTheEarlierFileWhole) {
    TempFolder folder;
    const auto target = folder / "report.xlsx";
    std::ofstream(target) << "the earlier workbook";
    EXPECT_THROW(replace_file(target,
                              [](const fs::path& temporary) {
                                  std::ofstream(temporary) << "half a wor";
                                  throw FileWriteError("disk full");
                              }),
                 FileWriteError);
    // A source that cannot be read in full is named as the cause.
    const std::string refusal =
        error_text<FileWriteError>([&] { replace_file_with_copy(target, folder.path()); });
    EXPECT_NE(refusal.find("Could not read '" + folder.path().string()), std::string::npos)
        << refusal;
    EXPECT_EQ(bytes_of(target), "the earlier workbook");
    EXPECT_EQ(entries_in(folder.path()), 1u);
}

}  // namespace
}  // namespace pelvane::store
