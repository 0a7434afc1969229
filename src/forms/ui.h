#pragma once
// The narrow seam between a form model and the person: message boxes, questions,
// file dialogs and opening documents. The desktop program implements it with real
// dialogs; tests implement it with a script of answers.

#include <functional>
#include <string>
#include <vector>

namespace pelvane::forms {

// Titles of the system's message boxes.
inline constexpr const char* kAppTitle = "PelvaneVA";   // the application title
inline constexpr const char* kMainTitle = "Marrowind";  // notices of the main window
inline constexpr const char* kExitTitle = "Pelvane";    // exit questions of design windows

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialog {
    bool save = false;  // save dialog (else open)
    std::string title;
    std::string filter;  // "Pelvane files (*.pvd)|*.pvd" style
    std::string initial_folder;
    std::string default_extension;  // ".pvd"
    bool must_exist = false;
    bool folder = false;  // a folder is chosen, not a file
};

class Ui {
  public:
    virtual ~Ui() = default;

    virtual void message(const std::string& text, Icon icon, const std::string& title) = 0;
    virtual Answer ask(const std::string& text, Buttons buttons, Icon icon,
                       const std::string& title) = 0;
    // The chosen path, or "" when the person cancelled.
    virtual std::string choose_file(const FileDialog& dialog) = 0;
    // Opens a file or web address with the desktop's default application; false when
    // no application took it.
    virtual bool open_document(const std::string& path_or_url) = 0;

    // Busy pointer around long work.
    virtual void set_busy(bool) {}
    // Progress of long work (done out of total); returns false when the person asked
    // to stop.
    virtual bool progress(int /*done*/, int /*total*/, const std::string& /*what*/) { return true; }
    // Runs long work that neither asks the person anything nor touches a window, and
    // returns when it is over (rethrowing what it threw). The desktop runs it off the
    // window thread behind a progress dialog with Cancel, whose request reaches the
    // work as progress() returning false; elsewhere it simply runs here. A command
    // asks its questions before and shows its outcome after.
    virtual void run_long_work(const std::string& /*what*/, const std::function<void()>& work) {
        work();
    }

    void message(const std::string& text, Icon icon = Icon::None) {
        message(text, icon, kAppTitle);
    }
};

// Restores the normal pointer however long work ends.
class BusyPointer {
  public:
    explicit BusyPointer(Ui& ui) : ui_(ui) { ui_.set_busy(true); }
    ~BusyPointer() { ui_.set_busy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    Ui& ui_;
};

// A Ui for work nobody watches (batch runs, benchmarks): messages are kept for the
// caller, every question is answered No, no file is chosen and nothing is opened.
class UnattendedUi : public Ui {
  public:
    using Ui::message;
    std::vector<std::string> messages;

    void message(const std::string& text, Icon, const std::string&) override {
        messages.push_back(text);
    }
    Answer ask(const std::string&, Buttons, Icon, const std::string&) override {
        return Answer::No;
    }
    std::string choose_file(const FileDialog&) override { return {}; }
    bool open_document(const std::string&) override { return true; }
};

}  // namespace pelvane::forms
