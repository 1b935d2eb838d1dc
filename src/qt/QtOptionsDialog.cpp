// The options dialog. A field the user did not touch keeps its stored bytes: only a
// widget whose state differs from the one it was given writes a new value.
#include "qt/QtOptionsDialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <charconv>
#include <functional>
#include <map>

#include "qt/QtKeyMap.h"
#include "text/Cp932.h"

namespace varnel::qt {
namespace {

using platform::OptionKind;

int IntegerOf(const std::string& value) {
    int n = 0;
    const auto r = std::from_chars(value.data(), value.data() + value.size(), n);
    return r.ec == std::errc() ? n : 0;
}

struct GroupTitle {
    std::string_view group;
    const char* english;
    const char* japanese;
};

constexpr GroupTitle kGroups[] = {
    {"View", "View", "表示"}, {"Editor", "Editor", "編集"},       {"Mail", "Mail", "メール"},
    {"Keys", "Keys", "キー"}, {"Locations", "Locations", "場所"},
};

// The stored key code of a key sequence's first key; 0 for none.
int KeyCodeOf(const QKeySequence& keys) {
    if (keys.isEmpty())
        return 0;
    const QKeyCombination k = keys[0];
    const int vk = VirtualKeyOf(k.key());
    return vk == 0 ? 0 : vk + 0x100 * ShiftByteOf(k.keyboardModifiers());
}

}  // namespace

bool QtOptionsDialog::Edit(std::vector<platform::OptionField>& fields, bool english) {
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("OptionsDialog"));
    dialog.setWindowTitle(QString::fromUtf8(english ? "Options" : "オプション"));
    dialog.resize(520, 560);
    auto* tabs = new QTabWidget(&dialog);
    std::map<std::string_view, QFormLayout*> forms;
    for (const GroupTitle& g : kGroups) {
        auto* page = new QWidget;
        forms[g.group] = new QFormLayout(page);
        auto* scroll = new QScrollArea;
        scroll->setWidget(page);
        scroll->setWidgetResizable(true);
        tabs->addTab(scroll, QString::fromUtf8(english ? g.english : g.japanese));
    }

    // Each field's widget, and how to read back a changed value (nullopt: unchanged).
    std::vector<std::function<std::optional<std::string>()>> readBack;
    for (const platform::OptionField& f : fields) {
        QFormLayout* form = forms.count(f.group) ? forms[f.group] : forms["View"];
        const QString name =
            QString::fromUtf8(f.section.data(), static_cast<qsizetype>(f.section.size())) + "/" +
            QString::fromUtf8(f.key.data(), static_cast<qsizetype>(f.key.size()));
        const QString label = QString::fromUtf8(f.key.data(), static_cast<qsizetype>(f.key.size()));
        if (f.kind == OptionKind::Bool) {
            auto* box = new QCheckBox;
            const bool on = IntegerOf(f.value) != 0;
            box->setChecked(on);
            box->setObjectName(name);
            form->addRow(label, box);
            readBack.push_back([box, on]() -> std::optional<std::string> {
                if (box->isChecked() == on)
                    return std::nullopt;
                return box->isChecked() ? "1" : "0";
            });
        } else if (f.kind == OptionKind::KeyCode) {
            auto* edit = new QKeySequenceEdit;
            edit->setClearButtonEnabled(true);
            const int code = IntegerOf(f.value);
            if (const int combination = QtKeyCombinationOf(code))
                edit->setKeySequence(QKeySequence(combination));
            edit->setObjectName(name);
            form->addRow(label, edit);
            readBack.push_back([edit, code]() -> std::optional<std::string> {
                const int now = KeyCodeOf(edit->keySequence());
                if (now == code || (QtKeyCombinationOf(code) == 0 && now == 0))
                    return std::nullopt;
                return std::to_string(now);
            });
        } else {
            auto* edit = new QLineEdit(QString::fromStdString(text::Cp932ToUtf8(f.value)));
            const QString shown = edit->text();
            edit->setObjectName(name);
            form->addRow(label, edit);
            readBack.push_back([edit, shown]() -> std::optional<std::string> {
                if (edit->text() == shown)
                    return std::nullopt;
                return text::Utf8ToCp932(edit->text().trimmed().toStdString());
            });
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8(english ? "OK" : "OK"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QString::fromUtf8(english ? "Cancel" : "キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (const auto value = readBack[i]())
            fields[i].value = *value;
    }
    return true;
}

}  // namespace varnel::qt
