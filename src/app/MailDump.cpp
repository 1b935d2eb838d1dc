// The --dump output.
#include "app/MailDump.h"

#include <optional>
#include <ostream>

#include "app/HeaderOptionsFrom.h"
#include "editor/ReplaceFile.h"
#include "mail/OpenMail.h"
#include "text/Cp932.h"

namespace varnel::app {

namespace {

// About a megabyte of CP932 per conversion and per write.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

// The lines as UTF-8 with control bytes escaped, each followed by LF. Lines are
// gathered into blocks; each block is converted and escaped in one call and written in
// one write, and the buffers are reused. A block gives the same bytes as its lines one
// by one: LF is never the second byte of a double-byte character, so a bad byte at a
// line's end is replaced just the same, and the LF between lines is left alone by the
// escaping. A line holding an LF of its own is written alone, its LF escaped.
void WriteUtf8Lines(const std::vector<std::string>& lines, std::ostream& out) {
    std::string block;
    std::string utf8;
    block.reserve(kBlockBytes + 256);
    const auto write = [&](std::string_view cp932, bool keepLf) {
        utf8.clear();
        text::AppendCp932AsUtf8(cp932, utf8,
                                keepLf ? text::Controls::kCaretButLf : text::Controls::kCaret);
        out.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
    };
    const auto flush = [&] {
        write(block, true);
        block.clear();
    };
    for (const std::string& line : lines) {
        if (line.find('\n') != std::string::npos) {
            flush();
            write(line, false);
            out.put('\n');
            continue;
        }
        block += line;
        block += '\n';
        if (block.size() >= kBlockBytes)
            flush();
    }
    if (!block.empty())
        flush();
}

}  // namespace

std::string EscapeControlBytes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    text::AppendCaretEscaped(utf8, out, false);
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
    // Decoded exactly as the window would show it. Nothing is written: the new status
    // line is not even computed, and the requests to the mailer are dropped here.
    mail::DecodeState state;
    state.rewriteFile = false;
    const mail::OpenedMail opened =
        mail::OpenMailCore(path, bytes, HeaderOptionsFrom(settings), state, {}, clock, {});
    bytes.reset();
    // A mail's ESC, BEL or OSC bytes must not drive the terminal (titles, clipboard,
    // clearing the screen): they are printed in caret notation.
    WriteUtf8Lines(opened.lines, out);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace varnel::app
