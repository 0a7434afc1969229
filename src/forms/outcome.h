#pragma once
// What a command of a form did, returned besides what it showed the person through
// the Ui. A caller with nobody to read the messages (the command-line tool)
// decides from this, never from the text or icon of a message box.

#include <string>
#include <utility>

namespace pelvane::forms {

struct Outcome {
    enum class Kind {
        Done,      // the command did its work
        Refused,   // it could not: `message` is the refusal it showed
        Declined,  // the person answered a question "No": `message` says what was not done
    };
    Kind kind = Kind::Done;
    // Done: the closing notice it showed ("" without one).
    std::string message;

    static Outcome done(std::string notice = {}) { return {Kind::Done, std::move(notice)}; }
    static Outcome refused(std::string text) { return {Kind::Refused, std::move(text)}; }
    static Outcome declined(std::string reason) { return {Kind::Declined, std::move(reason)}; }

    explicit operator bool() const { return kind == Kind::Done; }
};

}  // namespace pelvane::forms
