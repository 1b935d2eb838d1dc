// Pick list window.
#include "qt/QtPickList.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QVBoxLayout>

#include "qt/QtFonts.h"
#include "text/Cp932.h"

namespace varnel::qt {

QtPickList::QtPickList(QWidget* parent, std::function<void(int, bool, bool)> onClick)
    : QDialog(parent, Qt::Tool), onClick_(std::move(onClick)) {
    setObjectName(QStringLiteral("ListBox1Window"));
    setWindowTitle(QStringLiteral("Varnel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Activate(list_->row(item), QGuiApplication::keyboardModifiers());
    });
}

void QtPickList::ShowEntries(const std::vector<std::string>& entries,
                             const platform::PickListFont& font) {
    list_->clear();
    for (const std::string& e : entries)
        list_->addItem(font.western
                           ? QString::fromLatin1(e.data(), static_cast<qsizetype>(e.size()))
                           : QString::fromStdString(text::Cp932ToUtf8(e)));
    QFont f(FontFamilyFor(text::Cp932ToUtf8(font.name)));
    f.setPointSize(font.size > 0 ? font.size : 10);
    list_->setFont(f);
    // Beside the main window's right edge, as tall as it.
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->frameGeometry();
        resize(std::max(80, list_->sizeHintForColumn(0) + 40), owner->height());
        move(frame.right() + 1, frame.top());
    }
    show();
    raise();
}

void QtPickList::Activate(int row, Qt::KeyboardModifiers modifiers) {
    if (row < 0 || !onClick_)
        return;
    onClick_(row, modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier));
}

}  // namespace varnel::qt
