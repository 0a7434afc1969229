// Fields made by a FieldFactory keep reaching the model's events after the factory
// that made them is gone, as a dialog's factory is once the dialog is built.

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QWidget>

#include "gui/pipe_form_widgets.h"

namespace pelvane::gui {
namespace {

TEST(FieldFactory, AnOptionOutlivesItsFactory) {
    forms::FormModel model;
    model.fields.set_text("source", "A");
    QWidget window;
    forms::UnattendedUi ui;
    FieldBinder binder(model, &window, ui);
    std::string chosen;
    QRadioButton* option = nullptr;
    {
        FieldFactory make(binder, {{}, {}, [&chosen](const std::string& name) { chosen = name; }});
        option = make.option("source", "B", "B");
        option->setParent(&window);
    }
    option->click();
    EXPECT_EQ(model.fields.text("source"), "B");
    EXPECT_EQ(chosen, "source");
}

}  // namespace
}  // namespace pelvane::gui
