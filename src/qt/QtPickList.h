// The pick list: a small tool window at the main window's right edge listing symbols,
// Greek or European characters; a click inserts the entry (Shift, Ctrl as the core says).
#pragma once

#include <QDialog>
#include <functional>

#include "platform/PickListView.h"

class QListWidget;

namespace varnel::qt {

class QtPickList : public QDialog, public platform::PickListView {
    Q_OBJECT

  public:
    // onClick(index, shift, ctrl) runs for each click on an entry.
    QtPickList(QWidget* parent, std::function<void(int, bool, bool)> onClick);

    void ShowEntries(const std::vector<std::string>& entries,
                     const platform::PickListFont& font) override;
    void Hide() override { hide(); }
    bool Visible() const override { return isVisible(); }

    QListWidget* List() const { return list_; }
    // A click on row with the given modifiers (what the list's own clicks run).
    void Activate(int row, Qt::KeyboardModifiers modifiers);

  private:
    QListWidget* list_;
    std::function<void(int, bool, bool)> onClick_;
};

}  // namespace varnel::qt
