// Smoke test of the HGL window: the structure list, the tailwater field and
// Compute HGL wired to the model.

#include "gui/hgl_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "report/xlsx/workbook.h"
#include "store/project_database.h"
#include "support/report_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::gui {
namespace {

using pelvane::testing::pipe_row;

TEST(HglWindow, ComputesFromTheChosenStructureWithTheTailwaterAsLeft) {
    pelvane::testing::TempFolder folder;
    const auto file = folder / "network.pvd";
    pelvane::testing::make_network_project(file, {},
                                           {pipe_row("1", "2", "1"), pipe_row("2", "3", "2")});
    store::ProjectContext context;
    context.program_folder = pelvane::testing::program_folder();
    store::open_project(context, file);
    pelvane::testing::ScriptedUi ui;
    forms::DesignSession session;
    HglWindow window(context, session, ui);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(window.windowTitle(), "HGL Analysis");
    ASSERT_EQ(window.node_list()->count(), 2);
    EXPECT_EQ(window.node_list()->itemText(0), "1");
    EXPECT_EQ(window.tailwater()->text(), "0.0");

    window.node_list()->setCurrentIndex(0);
    emit window.node_list()->textActivated("1");
    window.tailwater()->setFocus();
    window.tailwater()->selectAll();
    QTest::keyClicks(window.tailwater(), "100");
    const auto out = folder / "ld347.xlsx";
    ui.files = {out.string()};
    window.compute_button()->setFocus();  // leaving the field, as a click does
    QApplication::processEvents();
    EXPECT_EQ(window.tailwater()->text(), "100.00");
    QTest::mouseClick(window.compute_button(), Qt::LeftButton);

    EXPECT_TRUE(ui.saw("Finished! Please check and Save your results"));
    const auto book = report::Workbook::open(out);
    EXPECT_EQ(book.cell(11, 1).text, "1");
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 100.0);
    EXPECT_EQ(book.cell(13, 1).text, "3");
}

}  // namespace
}  // namespace pelvane::gui
