// platform::Prompter as modal QMessageBox dialogs over the main window.
#pragma once

#include "platform/Prompter.h"

class QWidget;

namespace varnel::qt {

class QtPrompter : public platform::Prompter {
  public:
    // parent may be null (a box of its own) and may be set later.
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    platform::Answer Ask(const std::string& text, platform::Buttons buttons,
                         platform::Severity severity) override;

  private:
    QWidget* parent_;
};

}  // namespace varnel::qt
