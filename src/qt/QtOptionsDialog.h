// The options dialog: one tab per group of settings, a row per key, named as in the
// settings file. Accepting hands back only what the user changed.
#pragma once

#include "platform/OptionsDialog.h"

class QWidget;

namespace varnel::qt {

class QtOptionsDialog : public platform::OptionsDialog {
  public:
    explicit QtOptionsDialog(QWidget* parent) : parent_(parent) {}
    bool Edit(std::vector<platform::OptionField>& fields, bool english) override;

  private:
    QWidget* parent_;
};

}  // namespace varnel::qt
