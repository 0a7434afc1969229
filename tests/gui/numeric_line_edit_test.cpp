#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "gui/numeric_line_edit.h"

using pelvane::gui::NumericLineEdit;

TEST(NumericLineEdit, SwallowsASecondPointAndAMinusSign) {
    NumericLineEdit edit;
    QTest::keyClicks(&edit, "1.2.3-");
    EXPECT_EQ(edit.text(), "1.23");
}

TEST(NumericLineEdit, SignedFieldTakesTheMinusSign) {
    NumericLineEdit edit(nullptr, true);
    QTest::keyClicks(&edit, "-2100.5");
    EXPECT_EQ(edit.text(), "-2100.5");
}

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
