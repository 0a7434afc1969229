#pragma once
// Widgets of the design windows made once, in one style: every field bound to the
// model field of its name with the model's entered/left/chosen events wired, and a
// grid of caption, field and unit rows. Numbers are right-aligned; computed values
// are read-only with the window's background.

#include <QString>
#include <functional>
#include <string>

#include "gui/field_binder.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace pelvane::gui {

class NumericLineEdit;

class FieldFactory {
  public:
    // The model's field events by field name; any may be empty.
    struct Events {
        std::function<void(forms::FieldName)> entered;
        std::function<void(forms::FieldName)> left;
        std::function<void(forms::FieldName)> chosen;
    };

    FieldFactory(FieldBinder& binder, Events events)
        : binder_(binder), events_(std::move(events)) {}

    QLineEdit* text(forms::FieldName name, int width = 120);
    NumericLineEdit* number(forms::FieldName name, bool signed_field = false, int width = 96);
    // A value the window computes: shown, never typed. Numbers are right-aligned,
    // `words` (a flow type) left-aligned.
    QLineEdit* shown(forms::FieldName name, int width = 96, bool words = false);
    QComboBox* list(forms::FieldName name, bool editable = false, int width = 150);
    QCheckBox* check(forms::FieldName name, const QString& caption);
    QRadioButton* option(forms::FieldName name, const QString& caption, const std::string& value);
    // A label showing the field's text (unit captions, status texts).
    QLabel* label(forms::FieldName name);
    QPushButton* button(const QString& caption, std::function<void()> command);

    FieldBinder& binder() { return binder_; }

  private:
    void wire(forms::FieldName name, bool choose);

    FieldBinder& binder_;
    Events events_;
};

// A group box laid out as rows of caption, field, unit and an optional extra.
class FieldGrid {
  public:
    FieldGrid(const QString& title, QWidget* parent = nullptr);
    QGroupBox* box() const { return box_; }
    QGridLayout* grid() const { return grid_; }

    void row(const QString& caption, QWidget* field, QWidget* unit = nullptr,
             QWidget* extra = nullptr);
    // A field that takes the unit's column too (a long list).
    void long_row(const QString& caption, QWidget* field);
    // A widget across the whole row.
    void wide(QWidget* widget);
    int next_row() const { return next_; }
    void skip(int rows = 1) { next_ += rows; }

  private:
    QLabel* caption_label(const QString& caption, QWidget* field);
    void next();

    QGroupBox* box_;
    QGridLayout* grid_;
    int next_ = 0;
};

// A unit caption that never changes ("min", "deg").
QLabel* fixed_unit(const QString& text);

}  // namespace pelvane::gui
