#include "gui/background_task.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <memory>

namespace pelvane::gui {
namespace {

// The work's progress on the worker thread that runs it.
thread_local TaskProgress* task_of_thread = nullptr;
// Background work running, counted on the window thread only.
int running_tasks = 0;

// How often the window shows the latest report; a person does not read faster.
constexpr int kShowEveryMs = 50;
// Work over sooner than this shows no dialog, so that a short command does not flash.
constexpr int kDialogAfterMs = 300;

class TaskDialog final : public QDialog {
  public:
    TaskDialog(QWidget* owner, TaskProgress& progress)
        : QDialog(owner),
          progress_(progress),
          line_(new QLabel(this)),
          bar_(new QProgressBar(this)),
          cancel_(new QPushButton(kTaskCancel, this)) {
        setObjectName(kTaskDialogName);
        setWindowTitle(QString::fromStdString(progress.state().what));
        setWindowModality(Qt::WindowModal);
        setMinimumWidth(420);
        cancel_->setObjectName(kTaskCancelName);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(line_);
        layout->addWidget(bar_);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(cancel_);
        layout->addLayout(buttons);
        connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
        show_state();
    }

    void show_state() {
        const TaskProgress::State state = progress_.state();
        line_->setText(progress_.stop_requested() ? QString(kTaskStopping)
                                                  : QString::fromStdString(state.what));
        const int total = std::max(state.total, 0);
        bar_->setRange(0, total);  // 0 to 0: the bar only shows that work goes on
        bar_->setValue(std::clamp(state.done, 0, total));
    }

    // Cancel, Esc and the frame's close button ask the work to stop; the dialog
    // stays until it has, since the work may still be writing.
    void reject() override {
        progress_.request_stop();
        cancel_->setEnabled(false);
        show_state();
    }

  private:
    TaskProgress& progress_;
    QLabel* line_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

class RunningCount {
  public:
    RunningCount() { ++running_tasks; }
    ~RunningCount() { --running_tasks; }
    RunningCount(const RunningCount&) = delete;
    RunningCount& operator=(const RunningCount&) = delete;
};

}  // namespace

void TaskProgress::report(int done, int total, const std::string& what) {
    const std::lock_guard lock(mutex_);
    state_.done = done;
    state_.total = total;
    if (!what.empty()) state_.what = what;
}

TaskProgress::State TaskProgress::state() const {
    const std::lock_guard lock(mutex_);
    return state_;
}

TaskProgress* TaskProgress::of_this_thread() {
    return task_of_thread;
}

bool background_work_running() {
    return running_tasks > 0;
}

void run_in_background(QWidget* owner, const std::string& what, const std::function<void()>& work) {
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        work();
        return;
    }
    TaskProgress progress(what);
    std::exception_ptr failure;
    const std::unique_ptr<QThread> thread(QThread::create([&progress, &work, &failure] {
        task_of_thread = &progress;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        task_of_thread = nullptr;
    }));
    TaskDialog dialog(owner, progress);
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer shower;
    shower.setInterval(kShowEveryMs);
    QObject::connect(&shower, &QTimer::timeout, &dialog, [&dialog] { dialog.show_state(); });
    QTimer::singleShot(kDialogAfterMs, &dialog, [&dialog] { dialog.show(); });

    const RunningCount running;
    thread->start();
    shower.start();
    loop.exec();
    if (!thread->isFinished()) {
        // The application is quitting: whatever the work has not committed is
        // dropped, as after a Cancel.
        progress.request_stop();
    }
    thread->wait();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace pelvane::gui
