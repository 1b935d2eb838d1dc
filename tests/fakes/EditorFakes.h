// Fakes of the editor's platform seams: a fixed-pitch font and an in-memory clipboard.
#pragma once

#include <string>
#include <string_view>

#include "platform/Clipboard.h"
#include "platform/TextMetrics.h"
#include "text/Sjis.h"

namespace varnel::fakes {

// A fixed-pitch font: 8 px per single byte, 16 px per double-byte character, 16 px high.
class CellTextMetrics : public platform::TextMetrics {
  public:
    int TextWidth(std::string_view s) const override {
        int w = 0;
        for (std::size_t i = 0; i < s.size();) {
            const bool dbcs = text::IsDoubleByteAt(s, i);
            w += dbcs ? 16 : 8;
            i += dbcs ? 2 : 1;
        }
        return w;
    }
    int AverageCharWidth() const override { return 8; }
    int CharHeight() const override { return 16; }
};

// Holds one text; can be told to refuse writes.
class MemoryClipboard : public platform::Clipboard {
  public:
    std::string text;
    bool has = false;
    bool refuse = false;
    bool HasText() const override { return has; }
    bool GetText(std::string& out) override {
        if (!has)
            return false;
        out = text;
        return true;
    }
    bool SetText(std::string_view t) override {
        if (refuse)
            return false;
        text = std::string(t);
        has = true;
        return true;
    }
};

}  // namespace varnel::fakes
