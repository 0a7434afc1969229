#pragma once
// The desktop's implementation of the models' Ui seam: message boxes, questions,
// file dialogs, the default application for documents, busy pointer, and long work
// off the window thread (gui/background_task). Called from that work, the dialogs
// still show on the window thread, and the busy pointer is the progress dialog's.

#include <QPointer>
#include <QWidget>

#include "forms/ui.h"

namespace pelvane::gui {

class QtUi : public forms::Ui {
  public:
    // Dialogs show over the active modal window, else the active window, else
    // `parent`.
    explicit QtUi(QWidget* parent) : parent_(parent) {}
    using forms::Ui::message;

    void message(const std::string& text, forms::Icon icon, const std::string& title) override;
    forms::Answer ask(const std::string& text, forms::Buttons buttons, forms::Icon icon,
                      const std::string& title) override;
    std::string choose_file(const forms::FileDialog& dialog) override;
    bool open_document(const std::string& path_or_url) override;
    void set_busy(bool busy) override;
    bool progress(int done, int total, const std::string& what) override;
    void run_long_work(const std::string& what, const std::function<void()>& work) override;

    // "Pelvane files (*.pvd)|*.pvd" -> "Pelvane files (*.pvd)"; pairs joined by ";;".
    static QString qt_filter(const std::string& legacy_filter);

  private:
    QWidget* owner() const;
    std::string choose_on_window_thread(const forms::FileDialog& dialog) const;

    QPointer<QWidget> parent_;
    int busy_depth_ = 0;
};

}  // namespace pelvane::gui
