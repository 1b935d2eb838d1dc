// Draft loading with the forward tail held in memory.
#include "mail/ForwardDraft.h"

#include "mail/Boundary.h"
#include "mail/MailLines.h"
#include "text/Sjis.h"

namespace varnel::mail {

namespace {

constexpr std::string_view kRfc822 = "Content-Type: message/rfc822";

void ReadOptionLine(const std::string& line, std::size_t index, DraftLoad& d) {
    if (line.starts_with("X-Forward:")) {
        d.forward = true;
        d.xForwardIndex = index;
        const std::string lower = text::ToLowerAscii(line);
        d.noRfc822 = text::Contains(lower, "no_rfc822");
        d.noFwdHtml = text::Contains(lower, "nofwdhtml");
    }
    if (line.starts_with("X-Disposition-Notification:"))
        d.dispositionNotification = true;
}

// A forwarded mail that is multipart/related (HTML with inline parts) cannot be cut at
// its second part: such a draft is handled as a plain one.
bool ForwardedMailIsRelated(const MailLines& m) {
    std::size_t i = 0;
    while (i < m.Size() && !m.Text(i).starts_with(kRfc822))
        ++i;
    for (++i; i < m.Size(); ++i) {
        if (m.Text(i).starts_with("Content-Type: multipart/related"))
            return true;
    }
    return false;
}

}  // namespace

DraftLoad LoadForwardDraft(std::string_view bytes) {
    DraftLoad d;
    MailLines m = MailLines::Split(bytes);
    if (m.Size() > 0)
        ReadOptionLine(m.Text(0), 0, d);
    if (m.Size() > 1 && !d.forward)
        ReadOptionLine(m.Text(1), 1, d);
    if (d.forward && ForwardedMailIsRelated(m)) {
        d.forward = false;
        d.xForwardIndex.reset();
    }
    if (!d.forward) {
        d.lines = m.Texts();
        return d;
    }
    bool afterRfc822 = false;
    std::string boundary;
    int boundaryLines = 0;
    std::size_t offset = 0;
    for (const auto& line : m.Lines()) {
        if (!boundary.empty() && line.text == "--" + boundary && ++boundaryLines == 2) {
            d.forwardTail = std::string(bytes.substr(offset));
            break;
        }
        d.lines.push_back(line.text);
        offset += line.text.size() + line.end.size();
        if (afterRfc822 && boundary.empty())
            boundary = ExtractBoundary(line.text);
        if (!afterRfc822 && line.text.starts_with(kRfc822))
            afterRfc822 = true;
    }
    return d;
}

}  // namespace varnel::mail
