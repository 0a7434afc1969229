#pragma once
// Building blocks shared by the outlet protection and dissipator windows: framed
// groups of rows, each a label, a field and its unit, all bound to the model by
// field name ("<name>_label" and "<name>_unit" hold the label and unit texts).

#include <QAction>
#include <QGroupBox>
#include <QMenuBar>
#include <optional>
#include <string>

#include "gui/field_binder.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelvane::gui {

class NumericLineEdit;

class FieldRows {
  public:
    // Rows go into `box` (which gets a grid layout), `columns` groups of label,
    // field and unit side by side.
    FieldRows(QGroupBox* box, FieldBinder& binder, int columns = 1);

    // A computed value: read-only and skipped by Tab; numbers right-aligned.
    QLineEdit* output(forms::FieldName field, Qt::Alignment alignment = Qt::AlignRight);
    // A number the engineer types.
    NumericLineEdit* input(forms::FieldName field);
    // A text the engineer types (no key filter).
    QLineEdit* text_input(forms::FieldName field);
    // A list; an editable one also accepts typing.
    QComboBox* list(forms::FieldName field, bool editable);
    // A row spanning the label, field and unit columns of one group.
    void add_wide(QWidget* widget);
    // Lets a field without a unit take the unit's column too.
    void widen(QWidget* field);
    // Keeps the rows together at the top when the frame is taller than they are.
    void pack_top();

    QGridLayout* grid() const { return grid_; }

  private:
    void add_row(forms::FieldName field, QWidget* widget);

    QGroupBox* box_;
    FieldBinder& binder_;
    QGridLayout* grid_;
    int columns_;
    int next_ = 0;  // rows added so far
};

// A window's menu bar whose items run commands of its model through the binder.
template <class Model>
class CommandMenus {
  public:
    CommandMenus(QWidget* window, FieldBinder& binder, Model& model)
        : bar_(new QMenuBar(window)), binder_(binder), model_(model) {
        bar_->setNativeMenuBar(false);
    }
    QMenu* menu(const char* title) { return bar_->addMenu(title); }
    void item(QMenu* menu, const char* caption, void (Model::*command)(),
              const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(caption);
        action->setShortcut(keys);
        // The menus object is a builder that dies once the bar is built; the
        // action must reach the model, which lives as long as the window.
        Model& model = model_;
        binder_.command(action, [&model, command] { (model.*command)(); });
    }
    QMenuBar* bar() const { return bar_; }

  private:
    QMenuBar* bar_;
    FieldBinder& binder_;
    Model& model_;
};

// A framed group with a bold title.
QGroupBox* frame(const char* title, QWidget* parent);
// A command button bound to a model command and, when given, its enabled state.
QPushButton* command_button(const char* caption, std::optional<forms::FieldName> state_field,
                            FieldBinder& binder, QWidget* parent);

}  // namespace pelvane::gui
