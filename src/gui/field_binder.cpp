#include "gui/field_binder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <exception>

namespace pelvane::gui {
namespace {

void call_all(const std::vector<std::pair<forms::FieldName, std::function<void()>>>& handlers,
              forms::FieldName field) {
    for (const auto& [name, handler] : handlers) {
        if (name == field) handler();
    }
}

void set_background(QWidget* widget, bool highlighted) {
    QPalette palette = widget->palette();
    if (highlighted) {
        palette.setColor(QPalette::Base,
                         QColor(kNotApplicableRgb[0], kNotApplicableRgb[1], kNotApplicableRgb[2]));
        widget->setAutoFillBackground(true);
    } else {
        palette.setColor(QPalette::Base, widget->style()->standardPalette().color(QPalette::Base));
    }
    widget->setPalette(palette);
}

}  // namespace

FieldBinder::FieldBinder(forms::FormModel& model, QWidget* window, forms::Ui& ui)
    : QObject(window), model_(model), ui_(ui) {}

void FieldBinder::bind(forms::FieldName field, QLineEdit* edit) {
    bindings_.push_back({field, edit, nullptr, "", false});
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, edit, field](const QString& text) {
        if (refreshing_) return;
        model_.fields[field].text = text.toStdString();
        (void)edit;
        call_all(edit_, field);
    });
}

void FieldBinder::bind(forms::FieldName field, QComboBox* combo) {
    bindings_.push_back({field, combo, nullptr, "", false});
    combo->installEventFilter(this);
    if (combo->lineEdit()) combo->lineEdit()->installEventFilter(this);
    connect(combo, &QComboBox::textActivated, this, [this, field](const QString& text) {
        if (refreshing_) return;
        model_.fields[field].text = text.toStdString();
        run([this, field] { call_all(choose_, field); });
    });
    if (combo->isEditable()) {
        connect(combo, &QComboBox::editTextChanged, this, [this, field](const QString& text) {
            if (refreshing_) return;
            model_.fields[field].text = text.toStdString();
            call_all(edit_, field);
        });
    }
}

void FieldBinder::bind(forms::FieldName field, QCheckBox* box) {
    bindings_.push_back({field, box, nullptr, "", false});
    connect(box, &QCheckBox::clicked, this, [this, field](bool checked) {
        if (refreshing_) return;
        model_.fields[field].text = std::string(1, checked ? '1' : '0');
        run([this, field] { call_all(choose_, field); });
    });
}

void FieldBinder::bind(forms::FieldName field, QLabel* label) {
    bindings_.push_back({field, label, nullptr, "", false});
}

void FieldBinder::bind(forms::FieldName field, QRadioButton* radio, const std::string& value) {
    bindings_.push_back({field, radio, nullptr, value, false});
    connect(radio, &QRadioButton::clicked, this, [this, field, value] {
        if (refreshing_) return;
        model_.fields[field].text = value;
        run([this, field] { call_all(choose_, field); });
    });
}

void FieldBinder::bind_state(forms::FieldName field, QWidget* widget) {
    bindings_.push_back({field, widget, nullptr, "", true});
}

void FieldBinder::bind_state(forms::FieldName field, QAction* action) {
    bindings_.push_back({field, nullptr, action, "", true});
}

void FieldBinder::bind_tabs(QTabWidget* tabs) {
    tabs_ = tabs;
    connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (!refreshing_) model_.tab = index;
    });
}

void FieldBinder::on_leave(forms::FieldName field, std::function<void()> handler) {
    leave_.emplace_back(field, std::move(handler));
}
void FieldBinder::on_choose(forms::FieldName field, std::function<void()> handler) {
    choose_.emplace_back(field, std::move(handler));
}
void FieldBinder::on_enter(forms::FieldName field, std::function<void()> handler) {
    enter_.emplace_back(field, std::move(handler));
}
void FieldBinder::on_edit(forms::FieldName field, std::function<void()> handler) {
    edit_.emplace_back(field, std::move(handler));
}

void FieldBinder::command(QAbstractButton* button, std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { run(handler); });
}

void FieldBinder::command(QAction* action, std::function<void()> handler) {
    connect(action, &QAction::triggered, this,
            [this, handler = std::move(handler)] { run(handler); });
}

void FieldBinder::run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        // A model never means to throw; if it does, the person sees why and keeps working.
        ui_.message(e.what(), forms::Icon::Exclamation);
    }
    refresh();
    if (model_.close_requested) emit close_requested();
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event) {
    if (refreshing_) return false;
    const Binding* b = binding_of(watched);
    if (!b) return false;
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        // A message box, another window or a list's popup taking the focus for a
        // while is not the person entering or leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    }
    if (event->type() == QEvent::FocusIn) {
        const forms::FieldName field = b->field;
        bool any = false;
        for (const auto& h : enter_) any = any || h.first == field;
        if (any) {
            run([this, field] { call_all(enter_, field); });
        }
    } else if (event->type() == QEvent::FocusOut) {
        push_to_model(*b);
        const forms::FieldName field = b->field;
        run([this, field] { call_all(leave_, field); });
    }
    return false;
}

const FieldBinder::Binding* FieldBinder::binding_of(const QObject* widget) const {
    for (const auto& b : bindings_) {
        if (b.widget == widget) return &b;
        if (auto* combo = qobject_cast<QComboBox*>(b.widget.data())) {
            if (combo->lineEdit() == widget) return &b;
        }
    }
    return nullptr;
}

QWidget* FieldBinder::widget_of(const std::string& field) const {
    for (const auto& b : bindings_) {
        if (b.field.str() == field && b.widget && !b.state_only) return b.widget;
    }
    return nullptr;
}

void FieldBinder::push_to_model(const Binding& b) {
    if (b.state_only || !b.widget) return;
    if (auto* edit = qobject_cast<QLineEdit*>(b.widget.data())) {
        model_.fields[b.field].text = edit->text().toStdString();
    } else if (auto* combo = qobject_cast<QComboBox*>(b.widget.data())) {
        model_.fields[b.field].text = combo->currentText().toStdString();
    }
}

void FieldBinder::show(const Binding& b) {
    const forms::Field& f = model_.fields.at(b.field);
    if (b.action) {
        b.action->setEnabled(f.enabled);
        b.action->setVisible(f.visible);
        return;
    }
    QWidget* w = b.widget;
    if (!w) return;
    w->setEnabled(f.enabled);
    w->setVisible(f.visible);
    if (b.state_only) return;
    const QString text = QString::fromStdString(f.text);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != text) edit->setText(text);
        set_background(edit, f.highlighted);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStringList items;
        for (const auto& item : f.items) items << QString::fromStdString(item);
        QStringList current;
        for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
        if (current != items) {
            combo->clear();
            combo->addItems(items);
        }
        const int index = combo->findText(text, Qt::MatchExactly);
        if (combo->isEditable()) {
            if (index >= 0) combo->setCurrentIndex(index);
            combo->setEditText(text);
        } else {
            combo->setCurrentIndex(index);
        }
        set_background(combo, f.highlighted);
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        box->setChecked(f.checked());
    } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        radio->setChecked(f.text == b.radio_value);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    }
}

void FieldBinder::refresh() {
    refreshing_ = true;
    for (const auto& b : bindings_) show(b);
    if (tabs_ && tabs_->currentIndex() != model_.tab) tabs_->setCurrentIndex(model_.tab);
    refreshing_ = false;
    emit refreshed();
    if (const auto focus = model_.take_focus_request()) {
        if (QWidget* w = widget_of(focus->str())) {
            w->setFocus(Qt::OtherFocusReason);
        }
    }
}

}  // namespace pelvane::gui
