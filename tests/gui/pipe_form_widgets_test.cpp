// Fields made by a FieldFactory keep reaching the model's events after the factory
// that made them is gone, as a dialog's factory is once the dialog is built.

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QWidget>

#include "gui/pipe_form_widgets.h"

namespace pelvane::gui {
namespace {

TEST(FieldFactory, AnOptionOutlivesItsFactory) {
    forms::FormModel model(forms::field_names::kPipe);
    model.fields.set_text("dischargeval", "A");
    QWidget window;
    forms::UnattendedUi ui;
    FieldBinder binder(model, &window, ui);
    std::string chosen;
    QRadioButton* option = nullptr;
    {
        FieldFactory make(binder,
                          {{}, {}, [&chosen](forms::FieldName name) { chosen = name.str(); }});
        option = make.option("dischargeval", "B", "B");
        option->setParent(&window);
    }
    option->click();
    EXPECT_EQ(model.fields.text("dischargeval"), "B");
    EXPECT_EQ(chosen, "dischargeval");
}

}  // namespace
}  // namespace pelvane::gui
