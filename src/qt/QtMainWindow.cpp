// Main window widgets and the MainView adapter.
#include "qt/QtMainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CommandTable.h"
#include "app/EditorSettings.h"
#include "app/Settings.h"
#include "app/TForm1.h"
#include "qt/QtColor.h"
#include "qt/QtKeyMap.h"
#include "qt/QtPickList.h"
#include "qt/QtSonEdit2.h"
#include "qt/QtSpellWindow.h"
#include "text/Cp932.h"

namespace varnel::qt {
namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Drawn icons: a "V" on a coloured square; the editing icon in green, the alternative in
// orange, the usual one in blue.
QIcon MakeIcon(platform::WindowIcon kind) {
    QColor fill(40, 90, 170);
    if (kind == platform::WindowIcon::Editing)
        fill = QColor(40, 140, 70);
    else if (kind == platform::WindowIcon::Alternative)
        fill = QColor(200, 110, 30);
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(fill);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 2, 60, 60, 10, 10);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(44);
    p.setFont(f);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("V"));
    p.end();
    return QIcon(pixmap);
}

}  // namespace

QtMainWindow::QtMainWindow()
    : metrics_(QFont()), clipboard_(*QApplication::clipboard()), printer_(this) {
    pickList_ = new QtPickList(this, [this](int index, bool shift, bool ctrl) {
        if (form_)
            form_->ListBox1Click(index, shift, ctrl);
    });
    spellWindow_ = new QtSpellWindow(this);
    // Design-time place and size; the stored placement replaces them at start-up.
    move(145, 100);
    resize(670, 344);

    auto* central = new QWidget(this);
    central_ = central;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    panel_ = new QWidget(central);
    panel_->setObjectName(QStringLiteral("Panel1"));
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(4, 0, 0, 0);
    panelLayout->setSpacing(0);
    buttons_ = new QWidget(panel_);
    buttons_->setObjectName(QStringLiteral("Buttons"));
    panelLayout->addWidget(buttons_);
    panelLayout->addStretch(1);
    ruler_ = new QtRuler(metrics_, panel_);
    ruler_->setObjectName(QStringLiteral("Ruler"));
    ruler_->SetCaption(app::kRulerCaption);
    panelLayout->addWidget(ruler_);
    panel_->setFixedHeight(27);
    layout->addWidget(panel_);

    setCentralWidget(central);
    BuildMenus();
    SetIcon(platform::WindowIcon::Default);
}

// The editor control on screen adapts the core's SonEdit1 and fills the rest of the
// window.
void QtMainWindow::Bind(app::TForm1* form) {
    form_ = form;
    spellWindow_->Bind(&form->Form2());
    edit_ = new QtSonEdit2(form->SonEdit1(), metrics_, central_);
    edit_->setObjectName(QStringLiteral("SonEdit1"));
    ruler_->Follow(edit_);
    edit_->OnOLEDropFiles = [this](const std::string& files) { form_->FileDropped(files); };
    // The paging keys first, then the other keys of the command table.
    edit_->OnKeyDown = [this](std::uint16_t& key, std::uint8_t shift) {
        form_->SonEdit1KeyDown(key, shift);
        if (key != 0 && form_->RunShortcut(key, shift))
            key = 0;
    };
    edit_->OnMouseUp = [this](int x, int y) { form_->SonEdit1MouseUp(x, y); };
    edit_->OnDblclick = [this] { form_->SonEdit1DblClick(); };
    edit_->OnContextMenu = [this](QPoint at) {
        const QPoint local = edit_->viewport()->mapFromGlobal(at);
        form_->SonEdit1ContextMenu(local.x(), local.y());
    };
    central_->layout()->addWidget(edit_);
    static_cast<QVBoxLayout*>(central_->layout())->setStretchFactor(edit_, 1);
}

platform::PickListView& QtMainWindow::PickList() {
    return *pickList_;
}

platform::SpellWindow& QtMainWindow::SpellWindow() {
    return *spellWindow_;
}

void QtMainWindow::ShowText() {
    if (!edit_)
        return;
    edit_->ApplySettings();
    if (isMinimized())
        showNormal();
    edit_->setFocus();
}

void QtMainWindow::SetTitle(const std::string& utf8Title) {
    setWindowTitle(Utf8(utf8Title));
}

void QtMainWindow::ApplyAppearance(const platform::ViewAppearance& a) {
    if (!edit_)
        return;
    editor::PaintProperties& look = edit_->Look();
    editor::TSonEdit2& core = edit_->Core();
    look.Color = a.background;
    look.Font.Color = a.fontColor;
    if (!a.fontName.empty())
        look.Font.Name = a.fontName;
    if (a.fontSize > 0) {
        look.Font.Size = a.fontSize;
        look.Font.Height = 0;
    }
    edit_->TakeFont();  // the column of automatic wrapping follows the cell width
    if (form_)
        app::ApplyViewSettingsToEditor(form_->CurrentSettings().view, core);
    core.ReadOnly = a.readOnly;
    core.SetSingleByteMode(a.westernCharset);
    edit_->ApplySettings();
    if (!a.rulerCaption.empty())
        ruler_->SetCaption(a.rulerCaption);
    ruler_->updateGeometry();
    ruler_->setVisible(a.rulerVisible);
    panel_->setFixedHeight(a.toolBarHeight);
    panel_->setVisible(a.toolBarVisible);
}

platform::WindowPlacement QtMainWindow::Placement() const {
    return {x(), y(), width(), height()};
}

void QtMainWindow::SetPlacement(const platform::WindowPlacement& p) {
    resize(p.width, p.height);
    // A place stored while another monitor was attached may lie off every screen now:
    // then the window goes to the primary screen instead of out of reach.
    const QRect title(p.left, p.top, std::min(p.width, 200), 30);
    bool reachable = false;
    for (const QScreen* screen : QGuiApplication::screens())
        reachable = reachable || screen->availableGeometry().intersects(title);
    if (reachable || QGuiApplication::screens().isEmpty()) {
        move(p.left, p.top);
    } else {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        move(area.topLeft());
    }
}

platform::WindowState QtMainWindow::State() const {
    if (isMinimized())
        return platform::WindowState::Minimized;
    if (isMaximized() || isFullScreen())
        return platform::WindowState::Maximized;
    return platform::WindowState::Normal;
}

void QtMainWindow::SetIcon(platform::WindowIcon icon) {
    const QIcon drawn = MakeIcon(icon);
    setWindowIcon(drawn);
    QApplication::setWindowIcon(drawn);  // the application's icon follows the window's
}

void QtMainWindow::SetCaption(std::string_view item, const std::string& utf8Caption) {
    if (auto a = actions_.find(item); a != actions_.end())
        a->second->setText(Utf8(utf8Caption));
    else if (auto m = menus_.find(item); m != menus_.end())
        m->second->setTitle(Utf8(utf8Caption));
}

void QtMainWindow::SetChecked(std::string_view command, bool checked) {
    if (auto a = actions_.find(command); a != actions_.end())
        a->second->setChecked(checked);
}

void QtMainWindow::SetEnabled(std::string_view command, bool enabled) {
    if (auto a = actions_.find(command); a != actions_.end())
        a->second->setEnabled(enabled);
}

void QtMainWindow::SetShortcuts(std::string_view command, const std::vector<int>& keyCodes) {
    auto a = actions_.find(command);
    if (a == actions_.end())
        return;
    QList<QKeySequence> keys;
    for (int code : keyCodes) {
        if (const int combination = QtKeyCombinationOf(code))
            keys.push_back(QKeySequence(combination));
    }
    a->second->setShortcuts(keys);
}

void QtMainWindow::BringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void QtMainWindow::Close() {
    close();
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (form_ && !form_->FormCloseQuery()) {
        event->ignore();
        return;
    }
    if (form_)
        form_->FormClose();
    event->accept();
}

}  // namespace varnel::qt
