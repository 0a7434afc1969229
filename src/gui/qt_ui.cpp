#include "gui/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

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

}  // namespace

QWidget* QtUi::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

void QtUi::message(const std::string& text, forms::Icon icon, const std::string& title) {
    QMessageBox box(qt_icon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, owner());
    box.exec();
}

forms::Answer QtUi::ask(const std::string& text, forms::Buttons buttons, forms::Icon icon,
                        const std::string& title) {
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    if (buttons == forms::Buttons::YesNo) set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == forms::Buttons::OkCancel) set = QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(qt_icon(icon), QString::fromStdString(title), QString::fromStdString(text), set,
                    owner());
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
    const QString target = QString::fromStdString(path_or_url);
    const QUrl url = target.contains("://") ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

void QtUi::set_busy(bool busy) {
    if (busy) {
        if (busy_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_depth_ > 0) {
        if (--busy_depth_ == 0) QApplication::restoreOverrideCursor();
    }
}

bool QtUi::progress(int done, int total, const std::string& what) {
    if (!progress_) {
        progress_ = new QProgressDialog(QString::fromStdString(what), "Stop", 0, total, owner());
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(300);
    }
    progress_->setLabelText(QString::fromStdString(what));
    progress_->setMaximum(total);
    progress_->setValue(done);
    QApplication::processEvents();
    const bool go_on = !progress_->wasCanceled();
    if (done >= total || !go_on) {
        progress_->deleteLater();
        progress_ = nullptr;
    }
    return go_on;
}

}  // namespace pelvane::gui
