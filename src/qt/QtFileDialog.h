// platform::FileDialog as modal Qt file dialogs over the main window.
#pragma once

#include <QString>

#include "platform/FileDialog.h"

class QWidget;

namespace varnel::qt {

class QtFileDialog : public platform::FileDialog {
  public:
    explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> AskOpen(const std::string& startDir,
                                       const std::string& filter) override;
    std::optional<std::string> AskSave(const std::string& startDir, const std::string& proposedName,
                                       const std::string& filter,
                                       const std::string& defaultExt) override;

  private:
    QWidget* parent_;
};

// "Text|*.txt;*.doc|All|*.*" as Qt's "Text (*.txt *.doc);;All (*)": "*.*" means every
// file, as a Linux user expects of it.
QString QtFilterOf(const std::string& filter);

}  // namespace varnel::qt
