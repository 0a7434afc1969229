#pragma once
// Wires a window's widgets to its model's fields by name. Edits go into the model
// as they happen; the model's events (a field left, a list choice, a box ticked, a
// command) run through run(), after which every bound widget is refreshed from the
// model and the model's focus and tab requests are carried out. The widgets never
// decide anything.

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "forms/form_model.h"
#include "forms/ui.h"

class QWidget;
class QLineEdit;
class QComboBox;
class QCheckBox;
class QLabel;
class QRadioButton;
class QTabWidget;
class QAbstractButton;
class QAction;

namespace pelvane::gui {

// A window holds its binder as a member (or unique_ptr) declared after the model
// the binder drives, never by `new`: members die in reverse order, so the binder
// and the handlers it connected are gone before the model, and a field losing the
// focus while the window's widgets are destroyed never reaches a dead model.
class FieldBinder : public QObject {
    Q_OBJECT
  public:
    // `ui` shows what goes wrong in an event.
    FieldBinder(forms::FormModel& model, QWidget* window, forms::Ui& ui);

    void bind(forms::FieldName field, QLineEdit* edit);
    // A combo box: its items come from the field's items, its text is the field text.
    void bind(forms::FieldName field, QComboBox* combo);
    void bind(forms::FieldName field, QCheckBox* box);  // "1" / "0"
    void bind(forms::FieldName field, QLabel* label);
    // A radio button that sets the field to `value` when chosen.
    void bind(forms::FieldName field, QRadioButton* radio, const std::string& value);
    // Only enabled/visible follow the field (frames, buttons, menu items).
    void bind_state(forms::FieldName field, QWidget* widget);
    void bind_state(forms::FieldName field, QAction* action);
    void bind_tabs(QTabWidget* tabs);

    // Model events.
    void on_leave(forms::FieldName field, std::function<void()> handler);
    void on_choose(forms::FieldName field, std::function<void()> handler);  // list/box/radio
    void on_enter(forms::FieldName field, std::function<void()> handler);   // focus gained
    void on_edit(forms::FieldName field, std::function<void()> handler);    // every edit
    // Connects a button or menu command.
    void command(QAbstractButton* button, std::function<void()> handler);
    void command(QAction* action, std::function<void()> handler);

    // Runs a model event safely (a failure becomes a message through the Ui, never
    // a crash), then refreshes the widgets.
    void run(const std::function<void()>& handler);
    void refresh();

  signals:
    void close_requested();
    // After every refresh, for the few states a window shows on its own (a pressed
    // toolbar button).
    void refreshed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Binding {
        forms::FieldName field;
        QPointer<QWidget> widget;
        QPointer<QAction> action;
        std::string radio_value;
        bool state_only = false;
    };
    void push_to_model(const Binding& b);
    void show(const Binding& b);
    const Binding* binding_of(const QObject* widget) const;
    QWidget* widget_of(const std::string& field) const;

    forms::FormModel& model_;
    QPointer<QTabWidget> tabs_;
    std::vector<Binding> bindings_;
    forms::Ui& ui_;
    std::vector<std::pair<forms::FieldName, std::function<void()>>> leave_, choose_, enter_, edit_;
    bool refreshing_ = false;
};

// The light-blue background of a size field that does not apply to the shape.
inline constexpr int kNotApplicableRgb[3] = {192, 192, 255};

}  // namespace pelvane::gui
