// The system clipboard for the editor: Unicode with LF line ends on the system side,
// CP932 with CR LF line ends in the core.
#pragma once

#include <string>
#include <string_view>

#include "platform/Clipboard.h"

class QClipboard;
class QMimeData;

namespace varnel::qt {

class QtClipboard : public platform::Clipboard {
  public:
    explicit QtClipboard(QClipboard& clipboard) : clipboard_(clipboard) {}
    bool HasText() const override;
    bool GetText(std::string& text) override;
    bool SetText(std::string_view text) override;

  private:
    QClipboard& clipboard_;
};

// CP932 with CR LF to UTF-8 with LF; NUL bytes are left out.
std::string ClipboardTextFromCore(std::string_view cp932);
// UTF-8 with LF, CR LF or CR line ends to CP932 with CR LF.
std::string CoreTextFromClipboard(std::string_view utf8);

// Inside the program text travels as its CP932 bytes in this private type, so NUL
// bytes, lone CRs and the NEC and IBM duplicate codes come back as they went; other
// programs get the Unicode text beside it.
inline constexpr char kCp932MimeType[] = "application/x-varnel-cp932";
// Mime data holding both.
QMimeData* MimeDataFromCore(std::string_view cp932);
// The CP932 text of mime data: the private bytes when there, else the Unicode text
// converted; false when it holds no text.
bool CoreTextFromMimeData(const QMimeData& data, std::string& cp932);

}  // namespace varnel::qt
