// The window's menus, the editor's pop-up menu and the tool bar, built from the command
// table. Items are set by the core (captions, enabling, visibility, check marks, keys);
// before a menu opens and after each command the core refreshes them.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "app/CommandTable.h"
#include "app/TForm1.h"
#include "qt/QtIcons.h"
#include "qt/QtMainWindow.h"
#include "qt/QtSonEdit2.h"

namespace varnel::qt {
namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Tool buttons: 25 x 25 pixels, as the tool bar was laid out.
constexpr int kButtonSize = 25;

}  // namespace

void QtMainWindow::BuildMenus() {
    // The buttons stand at fixed places, as on the original panel: a narrow window cuts
    // them off at the right instead of being held wide.
    buttons_->setFixedHeight(kButtonSize + 1);
    buttons_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    int x = 0;
    for (const auto& m : app::Menus()) {
        if (m.kind == app::MenuKind::ToolBar)
            continue;
        const bool onBar = m.kind == app::MenuKind::Bar && m.parent.empty();
        QMenu* menu = onBar ? menuBar()->addMenu(Utf8(m.caption.english))
                            : new QMenu(Utf8(m.caption.english), this);
        menu->setObjectName(Utf8(m.name));
        menu->setToolTipsVisible(false);
        connect(menu, &QMenu::aboutToShow, this, [this] {
            if (form_)
                form_->RefreshCommandStates();
        });
        menus_.emplace(std::string(m.name), menu);
    }
    for (const auto& c : app::Commands()) {
        const app::MenuSpec* m = app::FindMenu(c.menu);
        if (!m)
            continue;
        QAction* action = AddCommandAction(c);
        if (m->kind == app::MenuKind::ToolBar) {
            auto* button = new QToolButton(buttons_);
            button->setObjectName(Utf8(c.name));
            button->setDefaultAction(action);
            button->setAutoRaise(true);
            button->setFixedSize(kButtonSize, kButtonSize);
            button->setIconSize(QSize(kButtonSize - 5, kButtonSize - 5));
            button->move(x, 1);
            x += kButtonSize + 1;
            continue;
        }
        QMenu* menu = menus_.at(std::string(m->name));
        if (c.separatorBefore)
            separators_.emplace(std::string(c.name), menu->addSeparator());
        menu->addAction(action);
    }
    // Submenus close their menu, after its own items.
    for (const auto& m : app::Menus()) {
        auto parent = menus_.find(m.parent);
        if (!m.parent.empty() && parent != menus_.end())
            parent->second->addMenu(menus_.at(std::string(m.name)));
    }
}

QAction* QtMainWindow::AddCommandAction(const app::CommandSpec& c) {
    auto* action = new QAction(Utf8(c.caption.english), this);
    action->setObjectName(Utf8(c.name));
    action->setCheckable(c.checkable);
    action->setIcon(CommandIcon(c.icon));
    action->setEnabled(c.handler != nullptr);
    const std::string name(c.name);
    connect(action, &QAction::triggered, this, [this, name] { RunFromWindow(name); });
    actions_.emplace(name, action);
    return action;
}

// A command chosen in the window; afterwards every item shows the state again (a
// checkable item must not keep a mark its command did not set).
void QtMainWindow::RunFromWindow(const std::string& name) {
    if (!form_)
        return;
    const bool ran = app::RunCommand(*form_, name);
    form_->RefreshCommandStates();
    if (CommandRan)
        CommandRan(name, ran);
}

QMenu* QtMainWindow::Menu(std::string_view name) const {
    auto m = menus_.find(name);
    return m == menus_.end() ? nullptr : m->second;
}

void QtMainWindow::SetVisible(std::string_view item, bool visible) {
    if (auto a = actions_.find(item); a != actions_.end()) {
        a->second->setVisible(visible);
        if (auto s = separators_.find(item); s != separators_.end())
            s->second->setVisible(visible);
    } else if (auto m = menus_.find(item); m != menus_.end()) {
        m->second->menuAction()->setVisible(visible);
    }
}

void QtMainWindow::SetItemIcon(std::string_view command, std::string_view iconName) {
    if (auto a = actions_.find(command); a != actions_.end())
        a->second->setIcon(CommandIcon(iconName));
}

void QtMainWindow::PopUp(std::string_view menu, int x, int y) {
    QMenu* m = Menu(menu);
    if (!m || !edit_)
        return;
    m->popup(edit_->viewport()->mapToGlobal(QPoint(x, y)));
}

}  // namespace varnel::qt
