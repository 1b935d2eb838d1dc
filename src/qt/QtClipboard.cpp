// Clipboard text converted at the edge.
#include "qt/QtClipboard.h"

#include <QClipboard>
#include <QMimeData>

#include "text/Cp932.h"

namespace varnel::qt {

std::string ClipboardTextFromCore(std::string_view cp932) {
    std::string withoutNul;
    withoutNul.reserve(cp932.size());
    for (char c : cp932) {
        if (c != '\0')
            withoutNul += c;
    }
    const std::string utf8 = text::Cp932ToUtf8(withoutNul);
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

QMimeData* MimeDataFromCore(std::string_view cp932) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(ClipboardTextFromCore(cp932)));
    data->setData(QString::fromLatin1(kCp932MimeType),
                  QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size())));
    return data;
}

bool CoreTextFromMimeData(const QMimeData& data, std::string& cp932) {
    const QString privateType = QString::fromLatin1(kCp932MimeType);
    if (data.hasFormat(privateType)) {
        const QByteArray bytes = data.data(privateType);
        cp932.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return true;
    }
    if (!data.hasText())
        return false;
    cp932 = CoreTextFromClipboard(data.text().toStdString());
    return true;
}

bool QtClipboard::HasText() const {
    const QMimeData* data = clipboard_.mimeData();
    return data && (data->hasText() || data->hasFormat(QString::fromLatin1(kCp932MimeType)));
}

bool QtClipboard::GetText(std::string& text) {
    const QMimeData* data = clipboard_.mimeData();
    return data && CoreTextFromMimeData(*data, text);
}

bool QtClipboard::SetText(std::string_view text) {
    clipboard_.setMimeData(MimeDataFromCore(text));
    return true;
}

}  // namespace varnel::qt
