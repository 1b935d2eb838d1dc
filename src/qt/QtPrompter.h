// platform::Prompter as modal QMessageBox dialogs over the main window.
#pragma once

#include <functional>

#include "platform/Prompter.h"

class QWidget;

namespace varnel::qt {

class QtPrompter : public platform::Prompter {
  public:
    // parent may be null (a box of its own) and may be set later.
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The language of the buttons follows english() (the EnglishMenu setting); Japanese
    // buttons until it is set.
    void SetEnglish(std::function<bool()> english) { english_ = std::move(english); }
    platform::Answer Ask(const std::string& text, platform::Buttons buttons,
                         platform::Severity severity) override;
    platform::Answer AskTitled(const std::string& caption, const std::string& text,
                               platform::Buttons buttons, platform::Severity severity) override;

  private:
    QWidget* parent_;
    std::function<bool()> english_;
};

}  // namespace varnel::qt
