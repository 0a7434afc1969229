#include "support/scripted_ui.h"

#include <stdexcept>

namespace pelvane::testing {

void ScriptedUi::message(const std::string& text, forms::Icon icon, const std::string& title) {
    shown.push_back({text, icon, title, false, forms::Buttons::Ok});
}

forms::Answer ScriptedUi::ask(const std::string& text, forms::Buttons buttons, forms::Icon icon,
                              const std::string& title) {
    shown.push_back({text, icon, title, true, buttons});
    if (answers.empty() && agree) {
        if (buttons == forms::Buttons::YesNo)
            return *agree ? forms::Answer::Yes : forms::Answer::No;
        return *agree ? forms::Answer::Ok : forms::Answer::Cancel;
    }
    if (answers.empty()) throw std::logic_error("unexpected question: " + text);
    const forms::Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::string ScriptedUi::choose_file(const forms::FileDialog& dialog) {
    dialogs.push_back(dialog);
    if (files.empty() && any_file) return any_file(dialog);
    if (files.empty()) throw std::logic_error("unexpected file dialog: " + dialog.title);
    std::string f = files.front();
    files.pop_front();
    return f;
}

bool ScriptedUi::open_document(const std::string& path_or_url) {
    opened.push_back(path_or_url);
    return opens;
}

bool ScriptedUi::progress(int done, int total, const std::string& what) {
    progress_notes.push_back(what + " " + std::to_string(done) + "/" + std::to_string(total));
    return true;
}

std::vector<std::string> ScriptedUi::texts() const {
    std::vector<std::string> t;
    for (const auto& s : shown) t.push_back(s.text);
    return t;
}

const Shown& ScriptedUi::last() const {
    if (shown.empty()) throw std::logic_error("nothing was shown");
    return shown.back();
}

bool ScriptedUi::saw(const std::string& text) const {
    for (const auto& s : shown) {
        if (s.text == text) return true;
    }
    return false;
}

}  // namespace pelvane::testing
