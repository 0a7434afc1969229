#pragma once
// The rainfall and intensity commands run the same models as the desktop windows;
// this Ui keeps the messages the models show, in order. The commands decide from
// what the models return, never from a message. Nobody is there to answer a
// question: it is answered "Yes" only when the command was given --yes.

#include <string>
#include <vector>

#include "forms/ui.h"

namespace pelvane::cli {

class RainfallUi : public forms::Ui {
  public:
    using forms::Ui::message;
    explicit RainfallUi(bool yes = false) : yes_(yes) {}

    std::vector<std::string> messages;

    void message(const std::string& text, forms::Icon, const std::string&) override {
        messages.push_back(text);
    }
    forms::Answer ask(const std::string&, forms::Buttons, forms::Icon,
                      const std::string&) override {
        return yes_ ? forms::Answer::Yes : forms::Answer::No;
    }
    std::string choose_file(const forms::FileDialog&) override { return {}; }
    bool open_document(const std::string&) override { return true; }

  private:
    bool yes_;
};

}  // namespace pelvane::cli
