#pragma once
// A Ui for model tests: answers and file names are queued in advance; every
// message, question, dialog and opened document is recorded for the assertions.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/ui.h"

namespace pelvane::testing {

struct Shown {
    std::string text;
    forms::Icon icon = forms::Icon::None;
    std::string title;
    bool question = false;
    forms::Buttons buttons = forms::Buttons::Ok;
};

class ScriptedUi : public forms::Ui {
  public:
    using forms::Ui::message;

    std::deque<forms::Answer> answers;  // consumed by ask(), in order
    std::deque<std::string> files;      // consumed by choose_file(), in order
    // Once the queues are empty: every question answered Yes or Ok (true) or No or
    // Cancel (false), every file dialog by `any_file`. Unset, an unexpected question
    // or dialog fails the test.
    std::optional<bool> agree;
    std::function<std::string(const forms::FileDialog&)> any_file;

    std::vector<Shown> shown;  // messages and questions, in order
    std::vector<forms::FileDialog> dialogs;
    std::vector<std::string> opened;
    std::vector<std::string> progress_notes;

    void message(const std::string& text, forms::Icon icon, const std::string& title) override;
    forms::Answer ask(const std::string& text, forms::Buttons buttons, forms::Icon icon,
                      const std::string& title) override;
    std::string choose_file(const forms::FileDialog& dialog) override;
    // False once `opens` is set false: no application on the machine opens anything.
    bool opens = true;
    bool open_document(const std::string& path_or_url) override;
    bool progress(int done, int total, const std::string& what) override;

    // Texts of everything shown, in order.
    std::vector<std::string> texts() const;
    const Shown& last() const;
    bool saw(const std::string& text) const;
    void clear() {
        shown.clear();
        dialogs.clear();
        opened.clear();
    }
};

}  // namespace pelvane::testing
