// Clipboard text converted at the edge.
#include "qt/QtClipboard.h"

#include <QClipboard>
#include <QMimeData>

#include "text/Cp932.h"

namespace varnel::qt {

std::string ClipboardTextFromCore(std::string_view cp932) {
    if (const auto nul = cp932.find('\0'); nul != std::string_view::npos)
        cp932 = cp932.substr(0, nul);
    const std::string utf8 = text::Cp932ToUtf8(cp932);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            continue;
        out += utf8[i];
    }
    return out;
}

std::string CoreTextFromClipboard(std::string_view utf8) {
    std::string unified;
    unified.reserve(utf8.size() + 16);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\0')
            break;
        if (c == '\r') {
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            unified += "\r\n";
        } else if (c == '\n') {
            unified += "\r\n";
        } else {
            unified += c;
        }
    }
    return text::Utf8ToCp932(unified);
}

bool QtClipboard::HasText() const {
    const QMimeData* data = clipboard_.mimeData();
    return data && data->hasText();
}

bool QtClipboard::GetText(std::string& text) {
    if (!HasText())
        return false;
    text = CoreTextFromClipboard(clipboard_.text().toStdString());
    return true;
}

bool QtClipboard::SetText(std::string_view text) {
    clipboard_.setText(QString::fromStdString(ClipboardTextFromCore(text)));
    return true;
}

}  // namespace varnel::qt
