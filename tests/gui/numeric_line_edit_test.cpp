#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "gui/numeric_line_edit.h"

using pelvane::gui::NumericLineEdit;

TEST(NumericLineEdit, EnterMovesTheFocusOnWithoutAddingACharacter) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new NumericLineEdit(&window);
    auto* second = new NumericLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(first, "12");
    QTest::keyClick(first, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(first->text(), "12");
    EXPECT_TRUE(second->hasFocus());
}
