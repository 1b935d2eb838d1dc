// The --dump output.
#include "app/MailDump.h"

#include <optional>
#include <ostream>

#include "app/HeaderOptionsFrom.h"
#include "editor/ReplaceFile.h"
#include "mail/OpenMail.h"
#include "text/Cp932.h"

namespace varnel::app {

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
    for (const std::string& line : opened.lines)
        out << text::Cp932ToUtf8(line) << '\n';
    out.flush();
    return out ? 0 : 1;
}

}  // namespace varnel::app
