// The outlet protection and dissipator windows wired to their models, offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/pipe_energy_window.h"
#include "store/project_database.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::gui {
namespace {

using testing::insert_row;

class PipeEnergyWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::make_current_project(file);
        insert_row(file, "PROJECT",
                   {{"MAJOR_RELEASE", "2.1"}, {"NOAA_STATION", "Pulaski"}, {"UNITS", "ENGLISH"}});
        insert_row(file, "PIPE",
                   testing::row("PIPE_NUMBER=1; NODEOUT_NO=1; PIPE_SHAPE=Circular; PIPE_DIA=24;"
                                "NUMOFPIPES=1; PIPE_SLOPE=0.02; PIPE_MANN=0.013; PIPE_CF=1.0;"
                                "DISCHARGEVAL=CRM; ACCUMULATED_TC=12.5; ACCUMULATED_CA=3.1;"
                                "PIPE_DISCHARGE=16.27; PIPE_FLOWDEPTH=1.013; PIPE_AREAFLOW=1.611;"
                                "HYD_RADIUS=0.505; PIPE_VELOCITY=10.100; FROUDE_NO=2.060"));
        context = testing::open_project_for_test(file);
        session.enter_outlet_protection(context);
        window.emplace(context, session, ui);
        window->binder().run([this] { window->form().open(); });
        window->show();
        QApplication::setActiveWindow(&*window);
        QApplication::processEvents();
    }
    template <class W>
    W* child(const char* name) {
        auto* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Types into a field and tabs out of it, as the person does.
    void type(const char* name, const QString& text) {
        auto* edit = child<QLineEdit>(name);
        edit->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    }
    void choose_node(const QString& node) {
        auto* combo = child<QComboBox>("enodeout");
        combo->setFocus();
        QApplication::processEvents();
        combo->setCurrentIndex(combo->findText(node));
        emit combo->textActivated(node);
        QApplication::processEvents();
    }

    testing::TempFolder folder;
    std::filesystem::path file = folder / "window.pvd";
    store::ProjectContext context;
    forms::DesignSession session;
    testing::ScriptedUi ui;
    std::optional<PipeEnergyWindow> window;
};

TEST_F(PipeEnergyWindowTest, ChoosingTheOutfallFillsTheWindowAndTheNeedIsDecided) {
    EXPECT_FALSE(child<QPushButton>("cmdanalyzeED")->isEnabled());
    choose_node("1");
    EXPECT_EQ(child<QLineEdit>("eDiaRise")->text(), "24");
    EXPECT_EQ(child<QLineEdit>("E_Discharge")->text(), "16.27");
    // A computed discharge: its 2-year discharge is not typed.
    EXPECT_TRUE(child<QLineEdit>("C_Discharge")->isHidden());
    EXPECT_FALSE(child<QLineEdit>("velocity2")->text().isEmpty());

    child<QComboBox>("Bed_Matl")->setCurrentText("Fine Gravel");
    emit child<QComboBox>("Bed_Matl")->textActivated("Fine Gravel");
    type("dn_TW", "0.6");
    EXPECT_EQ(child<QLineEdit>("dn_TW")->text(), "0.600");
    QTest::mouseClick(child<QPushButton>("cmdNeed"), Qt::LeftButton);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Outlet Protection is Required"});
    EXPECT_EQ(child<QLineEdit>("outlet_protection")->text(), "REQUIRED!");
    // The dissipator window it opens is used by every_window_test.
    EXPECT_TRUE(child<QPushButton>("cmdanalyzeED")->isEnabled());
}

}  // namespace
}  // namespace pelvane::gui
