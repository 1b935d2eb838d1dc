// The --dump output.
#include "app/MailDump.h"

#include <optional>
#include <ostream>

#include "app/HeaderOptionsFrom.h"
#include "editor/ReplaceFile.h"
#include "mail/OpenMail.h"
#include "text/Cp932.h"

namespace varnel::app {

std::string EscapeControlBytes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            out += '^';
            out += static_cast<char>(c ^ 0x40);  // ESC -> "^[", BEL -> "^G", DEL -> "^?"
        } else {
            out += ch;
        }
    }
    return out;
}

int DumpMailFile(const std::string& path, const Settings& settings, const platform::Clock& clock,
                 std::ostream& out, std::ostream& err) {
    std::optional<std::string> bytes(std::in_place);
    std::string error;
    if (!editor::ReplaceFileRead(path, *bytes, error)) {
        err << "varnel32: " << error << "\n";
        return 1;
    }
    // Decoded exactly as the window would show it. The decoding itself writes nothing:
    // the new status line it computes and its requests to the mailer are dropped here.
    const mail::DecodeState state;
    const mail::OpenedMail opened =
        mail::OpenMailCore(path, bytes, HeaderOptionsFrom(settings), state, {}, clock, {});
    // A mail's ESC, BEL or OSC bytes must not drive the terminal (titles, clipboard,
    // clearing the screen): they are printed in caret notation.
    for (const std::string& line : opened.lines)
        out << EscapeControlBytes(text::Cp932ToUtf8(line)) << '\n';
    out.flush();
    return out ? 0 : 1;
}

}  // namespace varnel::app
