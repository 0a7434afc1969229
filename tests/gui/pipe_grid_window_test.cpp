// The pipe network grid window: rows, keyboard and the refresh-and-show-again
// cycle with its memory of the selected row.

#include "gui/pipe_grid_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "forms/pipe_grid_test_network.h"
#include "support/scripted_ui.h"

namespace pelvane::gui {
namespace {

using testing::ScriptedUi;
using testing::TestNetwork;

class PipeGridWindowTest : public ::testing::Test {
  protected:
    PipeGridWindowTest() {
        net_.add({{"9", "S9", "S1", {}}, {"10", "S10", "S1", {}}, {"1", "S1", "OUT", {"9", "10"}}});
        hooks_.pipe_form = [this](QWidget*, const std::string& mode, const std::string& number) {
            opened_.push_back(mode + " " + number);
        };
    }
    TestNetwork net_;
    forms::DesignSession session_;
    ScriptedUi ui_;
    PipeGridHooks hooks_;
    std::vector<std::string> opened_;
};

TEST_F(PipeGridWindowTest, ShowsTheRowsAndAnswersTheKeyboard) {
    PipeGridWindow window(net_.context(), session_, ui_, hooks_);
    window.load();
    window.show();
    QTableView* table = window.table();
    ASSERT_EQ(table->model()->rowCount(), 3);
    ASSERT_EQ(table->model()->columnCount(), 17);
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "PIPE_ID");
    EXPECT_EQ(table->model()->index(1, 0).data().toString(), "10");
    const auto alignment = [&](int column) {
        return table->model()->index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    EXPECT_TRUE(alignment(3) & Qt::AlignRight);  // LENGTH
    EXPECT_TRUE(alignment(4) & Qt::AlignLeft);   // SHAPE
    EXPECT_EQ(window.findChild<QLabel*>("rec_count")->text(), "3");
    // A cell edit runs once its editor has closed.
    table->model()->setData(table->model()->index(0, 3), "99");
    QCoreApplication::processEvents();
    EXPECT_EQ(table->model()->index(0, 3).data().toString(), "99");
    EXPECT_EQ(table->currentIndex().row(), 0);

    table->setFocus();
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(window.form().selected_pipe(), "10");
    QTest::keyClick(table, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().count('\n'), 3);  // the header and two rows
    QTest::keyClick(table, Qt::Key_Down);
    ui_.answers = {forms::Answer::No};
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(ui_.last().text, "Delete Current Pipe - 10 ?");
    EXPECT_TRUE(window.isVisible());

    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(opened_, (std::vector<std::string>{"view 10"}));
    // The view ends with a Refresh: the window closes to be shown again.
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(net_.context().grid_exit_flag);
    // A click on a heading sorts; the selection stays on pipe 10.
    emit table->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(table->model()->index(2, 0).data().toString(), "10");
    EXPECT_EQ(table->currentIndex().row(), 2);
}

TEST_F(PipeGridWindowTest, RefreshShowsTheGridAgainUntilExit) {
    int showings = 0;
    std::vector<int> selected;
    std::function<void()> work = [&] {
        auto* grid = qobject_cast<PipeGridWindow*>(QApplication::activeModalWidget());
        if (!grid || !grid->isVisible() || grid->property("seen").toBool()) {
            QTimer::singleShot(5, work);
            return;
        }
        grid->setProperty("seen", true);
        ++showings;
        selected.push_back(grid->form().selected_row());
        if (showings == 1) {
            QTest::keyClick(grid->table(), Qt::Key_End, Qt::ControlModifier);
            grid->findChild<QPushButton*>("cmdflexrefreshpipe")->click();
            QTimer::singleShot(5, work);
        } else {
            grid->findChild<QPushButton*>("cmdflexexit")->click();
        }
    };
    QTimer::singleShot(0, work);
    run_pipe_grid(net_.context(), session_, ui_, nullptr, hooks_);
    EXPECT_EQ(showings, 2);
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));
    EXPECT_TRUE(net_.context().grid_exit_flag);
}

TEST_F(PipeGridWindowTest, AfterAnExitTheNextShowingStartsOnTheFirstRow) {
    PipeGridMemory memory;
    const auto show_and = [&](const char* button) {
        QTimer::singleShot(0, [button] {
            auto* grid = qobject_cast<PipeGridWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(grid, nullptr);
            grid->form().select_row(2);
            grid->findChild<QPushButton*>(button)->click();
        });
        show_pipe_grid(net_.context(), session_, ui_, nullptr, hooks_, memory);
    };
    show_and("cmdflexrefreshpipe");
    EXPECT_FALSE(net_.context().grid_exit_flag);
    EXPECT_EQ(memory.selected_row, 2);
    EXPECT_FALSE(memory.geometry.isEmpty());
    show_and("cmdflexexit");
    EXPECT_TRUE(net_.context().grid_exit_flag);
    EXPECT_EQ(memory.selected_row, 0);
}

}  // namespace
}  // namespace pelvane::gui
