// The system clipboard for the editor: Unicode with LF line ends on the system side,
// CP932 with CR LF line ends in the core.
#pragma once

#include <string>
#include <string_view>

#include "platform/Clipboard.h"

class QClipboard;

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

// CP932 with CR LF (and an end-of-text NUL, if any) to UTF-8 with LF.
std::string ClipboardTextFromCore(std::string_view cp932);
// UTF-8 with LF, CR LF or CR line ends to CP932 with CR LF.
std::string CoreTextFromClipboard(std::string_view utf8);

}  // namespace varnel::qt
