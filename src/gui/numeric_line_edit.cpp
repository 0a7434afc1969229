#include "gui/numeric_line_edit.h"

#include <QKeyEvent>
#include <QTimer>

#include "forms/input_conventions.h"

namespace pelvane::gui {
namespace {

void select_all_soon(QLineEdit* edit) {
    // After the focus event the click that caused it would move the cursor again.
    QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
}

bool is_enter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

NumericLineEdit::NumericLineEdit(QWidget* parent, bool signed_field)
    : QLineEdit(parent), signed_(signed_field) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void NumericLineEdit::keyPressEvent(QKeyEvent* event) {
    if (is_enter(event)) {
        focusNextChild();
        return;
    }
    const QString typed = event->text();
    // Navigation and editing keys carry no text (or a control character).
    if (typed.isEmpty() || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Undo)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const std::string current = text().toStdString();
    int start = selectionStart();
    int length = selectedText().size();
    if (start < 0) {
        start = cursorPosition();
        length = 0;
    }
    for (const QChar c : typed) {
        const auto action = forms::filter_numeric_key(current, start, length,
                                                      static_cast<char32_t>(c.unicode()), signed_);
        if (action != forms::KeyAction::Accept) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumericLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    select_all_soon(this);
}

void SelectingLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    select_all_soon(this);
}

void SelectingLineEdit::keyPressEvent(QKeyEvent* event) {
    if (is_enter(event)) {
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace pelvane::gui
