// The --dump output.
#include "app/MailDump.h"

#include <ostream>

#include "app/HeaderOptionsFrom.h"
#include "app/ReadOnlyFile.h"
#include "editor/ReplaceFile.h"
#include "mail/OpenMail.h"
#include "text/Cp932.h"

namespace varnel::app {

namespace {

// About a megabyte of UTF-8 per write.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

// The lines as UTF-8 with control bytes escaped (an LF inside a line too), each followed
// by LF, written a block at a time from one reused buffer.
void WriteUtf8Lines(const std::vector<std::string_view>& lines, std::ostream& out) {
    std::string utf8;
    for (const std::string_view line : lines) {
        text::AppendCp932AsUtf8(line, utf8, text::Controls::kCaret);
        utf8 += '\n';
        if (utf8.size() >= kBlockBytes) {
            out.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
            utf8.clear();
        }
    }
    out.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
}

}  // namespace

std::string EscapeControlBytes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    text::AppendCaretEscaped(utf8, out, false);
    return out;
}

namespace {

int DumpBytes(const std::string& path, std::string_view bytes, const Settings& settings,
              const platform::Clock& clock, std::ostream& out) {
    // Decoded exactly as the window would show it. Nothing is written: the new status
    // line is not even computed, and the requests to the mailer are dropped here.
    mail::DecodeState state;
    state.rewriteFile = false;
    const mail::DisplayList lines =
        mail::OpenMailLines(path, bytes, HeaderOptionsFrom(settings), state, {}, clock, {});
    // A mail's ESC, BEL or OSC bytes must not drive the terminal (titles, clipboard,
    // clearing the screen): they are printed in caret notation.
    WriteUtf8Lines(lines.Views(), out);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace

int DumpMailFile(const std::string& path, const Settings& settings, const platform::Clock& clock,
                 std::ostream& out, std::ostream& err) {
    const ReadOnlyFile file(path);
    if (file.Ok())
        return DumpBytes(path, file.Bytes(), settings, clock, out);
    std::string bytes, error;
    if (!editor::ReplaceFileRead(path, bytes, error)) {
        err << "varnel32: " << error << "\n";
        return 1;
    }
    return DumpBytes(path, bytes, settings, clock, out);
}

}  // namespace varnel::app
