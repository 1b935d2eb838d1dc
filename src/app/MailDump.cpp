// The --dump output.
#include "app/MailDump.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "app/HeaderOptionsFrom.h"
#include "mail/MailFileIo.h"
#include "mail/OpenMail.h"
#include "text/Cp932.h"

namespace varnel::app {

int DumpMailFile(const std::string& path, const Settings& settings, const platform::Clock& clock,
                 std::ostream& out, std::ostream& err) {
    errno = 0;
    const std::optional<std::string> bytes = mail::ReadFileBytes(path);
    if (!bytes) {
        err << "varnel32: cannot read " << path;
        if (errno != 0)
            err << ": " << std::strerror(errno);
        err << "\n";
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
