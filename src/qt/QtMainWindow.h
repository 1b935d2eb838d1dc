// The main window: menus from the command table, the tool bar panel with the ruler,
// and the text view; implements platform::MainView for the core's TForm1.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "platform/MainView.h"
#include "platform/PickListView.h"
#include "platform/SpellWindow.h"
#include "qt/QtClipboard.h"
#include "qt/QtPrinter.h"
#include "qt/QtRuler.h"
#include "qt/QtTextMetrics.h"

class QAction;
class QMenu;
class QWidget;

namespace varnel::app {
class TForm1;
struct CommandSpec;
}  // namespace varnel::app

namespace varnel::qt {

class QtPickList;
class QtSonEdit2;
class QtSpellWindow;

class QtMainWindow : public QMainWindow, public platform::MainView {
    Q_OBJECT

  public:
    QtMainWindow();
    // The font measure and clipboard of the editor control; the core's editor is built
    // on them.
    QtTextMetrics& EditorMetrics() { return metrics_; }
    platform::Clipboard& EditorClipboard() { return clipboard_; }
    // The printer, the pick list beside the window and the spell-check window TForm2.
    QtPrinter& Printer() { return printer_; }
    platform::PickListView& PickList();
    platform::SpellWindow& SpellWindow();
    QtPickList* PickListWidget() const { return pickList_; }
    QtSpellWindow* SpellWindowWidget() const { return spellWindow_; }
    // The core whose commands the menus run, whose close query decides closing and whose
    // editor control the window shows.
    void Bind(app::TForm1* form);

    // platform::MainView
    void ShowText() override;
    void SetTitle(const std::string& utf8Title) override;
    void ApplyAppearance(const platform::ViewAppearance& appearance) override;
    platform::WindowPlacement Placement() const override;
    void SetPlacement(const platform::WindowPlacement& placement) override;
    platform::WindowState State() const override;
    void SetIcon(platform::WindowIcon icon) override;
    void SetCaption(std::string_view item, const std::string& utf8Caption) override;
    void SetChecked(std::string_view command, bool checked) override;
    void SetEnabled(std::string_view command, bool enabled) override;
    void SetShortcuts(std::string_view command, const std::vector<int>& keyCodes) override;
    void SetVisible(std::string_view item, bool visible) override;
    void SetItemIcon(std::string_view command, std::string_view iconName) override;
    void PopUp(std::string_view menu, int x, int y) override;
    void BringToFront() override;
    void Close() override;

    // For tests: the text view and the ruler.
    QtSonEdit2* TextView() const { return edit_; }
    QtRuler* Ruler() const { return ruler_; }
    QWidget* ToolBarPanel() const { return panel_; }
    // For tests and screenshots: a menu by component name ("File1", "PopupMenu1").
    QMenu* Menu(std::string_view name) const;
    // Told of every command chosen in the window (menu, pop-up menu, tool bar) and
    // whether it ran.
    std::function<void(const std::string& name, bool ran)> CommandRan;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Menus, the pop-up menu and the tool bar from the command table
    // (QtCommandWidgets.cpp).
    void BuildMenus();
    QAction* AddCommandAction(const app::CommandSpec& c);
    void RunFromWindow(const std::string& name);

    app::TForm1* form_ = nullptr;
    QtTextMetrics metrics_;
    QtClipboard clipboard_;
    QtPrinter printer_;
    QtPickList* pickList_ = nullptr;
    QtSpellWindow* spellWindow_ = nullptr;
    QWidget* central_ = nullptr;
    QWidget* panel_ = nullptr;    // tool bar and ruler
    QWidget* buttons_ = nullptr;  // the tool bar's buttons
    QtRuler* ruler_ = nullptr;
    QtSonEdit2* edit_ = nullptr;  // the editor control, SonEdit1
    std::map<std::string, QMenu*, std::less<>> menus_;
    std::map<std::string, QAction*, std::less<>> actions_;
    // The separator standing before an item: shown with it.
    std::map<std::string, QAction*, std::less<>> separators_;
};

}  // namespace varnel::qt
