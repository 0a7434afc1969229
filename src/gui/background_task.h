#pragma once
// Long work off the window thread. The work runs on a thread of its own while the
// window thread shows a window-modal progress dialog (a bar, a line saying what is
// being done, Cancel) and goes on painting and answering the other windows. The work
// never touches a widget: what it reports and the person's Cancel cross between the
// threads through a TaskProgress only.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

class QWidget;

namespace pelvane::gui {

// What the work and the window share. Every member may be called from either thread.
class TaskProgress {
  public:
    struct State {
        int done = 0;
        int total = 0;  // 0: how far the work is cannot be told
        std::string what;
    };

    explicit TaskProgress(std::string what) { state_.what = std::move(what); }

    // From the work: how far it is. An empty `what` keeps the line shown.
    void report(int done, int total, const std::string& what);
    // The latest report, for the window.
    State state() const;

    void request_stop() { stop_.store(true); }
    bool stop_requested() const { return stop_.load(); }

    // The progress of the work running on the calling thread; nullptr on a thread
    // that runs no background work (the window thread among them).
    static TaskProgress* of_this_thread();

  private:
    mutable std::mutex mutex_;
    State state_;
    std::atomic<bool> stop_{false};
};

// Object names of the progress dialog and its Cancel button (for the tests and the
// screenshot driver).
inline constexpr const char* kTaskDialogName = "long_work_progress";
inline constexpr const char* kTaskCancelName = "long_work_cancel";
inline constexpr const char* kTaskCancel = "Cancel";
inline constexpr const char* kTaskStopping = "Stopping...";

// Runs `work` on a worker thread and returns when it has ended, rethrowing what it
// threw. Meanwhile the window thread runs its events; after a short moment a
// progress dialog, window-modal over `owner`, shows what `work` reports through
// TaskProgress::of_this_thread(). Cancel (or Esc, or closing the dialog) asks the
// work to stop, and the dialog stays until it has. Called off the window thread,
// the work simply runs there.
void run_in_background(QWidget* owner, const std::string& what, const std::function<void()>& work);

// Whether background work is running: the windows do not read the project meanwhile,
// since the work is using its connection.
bool background_work_running();

}  // namespace pelvane::gui
