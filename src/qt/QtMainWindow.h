// The main window: menus from the command table, the tool bar panel with the ruler,
// and the text view; implements platform::MainView for the core's TForm1.
#pragma once

#include <QMainWindow>
#include <map>
#include <string>

#include "platform/MainView.h"

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace varnel::app {
class TForm1;
}

namespace varnel::qt {

class QtSonEdit2;

class QtMainWindow : public QMainWindow, public platform::MainView {
    Q_OBJECT

  public:
    QtMainWindow();
    // The core whose commands the menus run and whose close query decides closing.
    void Bind(app::TForm1* form) { form_ = form; }

    // platform::MainView
    void ShowLines(const std::vector<std::string>& lines) override;
    void SetTitle(const std::string& utf8Title) override;
    void ApplyAppearance(const platform::ViewAppearance& appearance) override;
    platform::WindowPlacement Placement() const override;
    void SetPlacement(const platform::WindowPlacement& placement) override;
    platform::WindowState State() const override;
    void SetIcon(platform::WindowIcon icon) override;
    void SetCaption(std::string_view item, const std::string& utf8Caption) override;
    void SetChecked(std::string_view command, bool checked) override;
    void BringToFront() override;
    void Close() override;

    // For tests: the text view and the ruler.
    QtSonEdit2* TextView() const { return edit_; }
    QLabel* Ruler() const { return ruler_; }
    QWidget* ToolBarPanel() const { return panel_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();

    app::TForm1* form_ = nullptr;
    QWidget* panel_ = nullptr;  // tool bar and ruler
    QLabel* ruler_ = nullptr;
    QtSonEdit2* edit_ = nullptr;  // the editor control, SonEdit1
    std::map<std::string, QMenu*, std::less<>> menus_;
    std::map<std::string, QAction*, std::less<>> actions_;
};

}  // namespace varnel::qt
