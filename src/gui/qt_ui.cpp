#include "gui/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <QUrl>
#include <type_traits>

#include "gui/background_task.h"

namespace pelvane::gui {
namespace {

QMessageBox::Icon qt_icon(forms::Icon icon) {
    switch (icon) {
        case forms::Icon::Information:
            return QMessageBox::Information;
        case forms::Icon::Exclamation:
            return QMessageBox::Warning;
        case forms::Icon::Critical:
            return QMessageBox::Critical;
        case forms::Icon::Question:
            return QMessageBox::Question;
        case forms::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

bool on_window_thread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs `show` on the window thread and waits for its answer: widgets live there
// only. The window thread runs its events while background work runs, so it answers.
template <typename Show>
auto shown_on_window_thread(Show show) {
    if (on_window_thread()) return show();
    std::invoke_result_t<Show> answer{};
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&answer, &show] { answer = show(); },
        Qt::BlockingQueuedConnection);
    return answer;
}

}  // namespace

QWidget* QtUi::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

void QtUi::message(const std::string& text, forms::Icon icon, const std::string& title) {
    shown_on_window_thread([&] {
        QMessageBox box(qt_icon(icon), QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok, owner());
        return box.exec();
    });
}

forms::Answer QtUi::ask(const std::string& text, forms::Buttons buttons, forms::Icon icon,
                        const std::string& title) {
    return shown_on_window_thread([&] {
        QMessageBox::StandardButtons set = QMessageBox::Ok;
        if (buttons == forms::Buttons::YesNo) set = QMessageBox::Yes | QMessageBox::No;
        if (buttons == forms::Buttons::OkCancel) set = QMessageBox::Ok | QMessageBox::Cancel;
        QMessageBox box(qt_icon(icon), QString::fromStdString(title), QString::fromStdString(text),
                        set, owner());
        // The safe answer is the default, so a stray Enter never discards work.
        if (buttons == forms::Buttons::YesNo) box.setDefaultButton(QMessageBox::No);
        if (buttons == forms::Buttons::OkCancel) box.setDefaultButton(QMessageBox::Cancel);
        switch (box.exec()) {
            case QMessageBox::Yes:
                return forms::Answer::Yes;
            case QMessageBox::No:
                return forms::Answer::No;
            case QMessageBox::Cancel:
                return forms::Answer::Cancel;
            default:
                return forms::Answer::Ok;
        }
    });
}

QString QtUi::qt_filter(const std::string& legacy_filter) {
    const QStringList parts = QString::fromStdString(legacy_filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        if (!description.contains('(')) description += " (" + patterns + ")";
        filters << description;
    }
    return filters.join(";;");
}

std::string QtUi::choose_file(const forms::FileDialog& dialog) {
    return shown_on_window_thread([&] { return choose_on_window_thread(dialog); });
}

std::string QtUi::choose_on_window_thread(const forms::FileDialog& dialog) const {
    const QString title = QString::fromStdString(dialog.title);
    const QString folder = QString::fromStdString(dialog.initial_folder);
    const QString filter = qt_filter(dialog.filter);
    QString chosen;
    if (dialog.folder) {
        chosen = QFileDialog::getExistingDirectory(owner(), title, folder);
    } else if (dialog.save) {
        // The models ask their own overwrite question.
        chosen = QFileDialog::getSaveFileName(owner(), title, folder, filter, nullptr,
                                              QFileDialog::DontConfirmOverwrite);
        if (!chosen.isEmpty() && !dialog.default_extension.empty() &&
            QFileInfo(chosen).suffix().isEmpty()) {
            chosen += QString::fromStdString(dialog.default_extension);
        }
    } else {
        chosen = QFileDialog::getOpenFileName(owner(), title, folder, filter);
    }
    return chosen.toStdString();
}

bool QtUi::open_document(const std::string& path_or_url) {
    return shown_on_window_thread([&] {
        const QString target = QString::fromStdString(path_or_url);
        const QUrl url = target.contains("://") ? QUrl(target) : QUrl::fromLocalFile(target);
        return QDesktopServices::openUrl(url);
    });
}

void QtUi::set_busy(bool busy) {
    if (!on_window_thread()) return;  // the progress dialog shows the work goes on
    if (busy) {
        if (busy_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_depth_ > 0) {
        if (--busy_depth_ == 0) QApplication::restoreOverrideCursor();
    }
}

bool QtUi::progress(int done, int total, const std::string& what) {
    // Work on the window thread is short enough to need no progress dialog.
    TaskProgress* task = TaskProgress::of_this_thread();
    if (task == nullptr) return true;
    task->report(done, total, what);
    return !task->stop_requested();
}

void QtUi::run_long_work(const std::string& what, const std::function<void()>& work) {
    if (!on_window_thread()) return work();  // already off it
    run_in_background(owner(), what, work);
}

}  // namespace pelvane::gui
