// Status update of a received mail, working on the file's own lines.
#include "mail/MarkRead.h"

#include <algorithm>

#include "mail/Addresses.h"
#include "mail/DisplayLines.h"
#include "mail/MailLines.h"
#include "text/Sjis.h"

namespace varnel::mail {

namespace {

bool IsUnread(std::string_view status) {
    return status == "RECV" || text::TrimBlanks(status).empty();
}

bool IsContinuation(std::string_view line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

std::size_t HeaderEnd(const MailLines& m) {
    std::size_t i = 0;
    while (i < m.Size() && !EndsHeaderBlock(m.Text(i)))
        ++i;
    return i;
}

void SetStatus(MailLines& m, const HeaderPassResult& h) {
    const std::size_t end = HeaderEnd(m);
    std::size_t at = 0;
    while (at < end && !m.Text(at).starts_with("X-Status:"))
        ++at;
    if (at == end) {
        m.Insert(0, "X-Status: READ");
        return;
    }
    const std::string& line = m.Text(at);
    std::string_view status = line.size() > 10 ? std::string_view(line).substr(10, 4) : "";
    if (IsUnread(status))
        m.SetText(at, h.dispositionPending > 0 ? "X-Status: WRIT" : "X-Status: READ");
    while (at + 1 < m.Size() && m.Text(at + 1).starts_with("X-Status:"))
        m.Erase(at + 1);
}

// The first Date field is the one the header pass checked; renaming any other would
// leave it in place and add a Date pair at every open.
void RenameDisagreeingDate(MailLines& m, const std::string& pseudoDate) {
    const std::size_t end = HeaderEnd(m);
    for (std::size_t i = 0; i < end; ++i) {
        if (text::StartsWithNoCase(m.Text(i), "date:")) {
            m.SetText(i, "X-Original-" + m.Text(i));
            m.Insert(i, pseudoDate);
            return;
        }
    }
}

// The field name with its colon, lower-cased, is one of to:, cc:, from:.
bool IsAddressField(std::string_view line) {
    std::size_t colon = text::FindChar(line, ':');
    if (colon == text::npos)
        return false;
    std::string key = ":" + text::ToLowerAscii(line.substr(0, colon + 1));
    return text::Contains(":to:cc:from:", key);
}

void RepairAddressFields(MailLines& m) {
    const std::size_t end = HeaderEnd(m);
    bool inField = false;
    for (std::size_t i = 1; i < end; ++i) {
        const std::string& line = m.Text(i);
        std::size_t valueStart = 0;
        if (IsContinuation(line)) {
            if (!inField)
                continue;
        } else {
            inField = IsAddressField(line);
            if (!inField)
                continue;
            valueStart = text::FindChar(line, ':') + 1;
        }
        while (valueStart < line.size() && (line[valueStart] == ' ' || line[valueStart] == '\t'))
            ++valueStart;
        std::string repaired = line.substr(0, valueStart) +
                               RepairAddressList(std::string_view(line).substr(valueStart));
        if (repaired != line)
            m.SetText(i, std::move(repaired));
    }
}

}  // namespace

bool WantsMarkRead(const HeaderPassResult& h, bool datesDisagree, const HeaderOptions& o) {
    return !h.hasStatus || IsUnread(h.status) || h.statusDuplicated ||
           (h.suspiciousAddress && o.FixAddress && h.status == "READ") || !h.hadDate ||
           datesDisagree;
}

std::optional<MarkReadEdit> MarkReadHeadEdit(std::string_view bytes, const HeaderPassResult& h,
                                             bool datesDisagree, const HeaderOptions& o) {
    if (!WantsMarkRead(h, datesDisagree, o))
        return std::nullopt;
    // Only the header block and its terminating line can change: the body's bytes are
    // carried over as they are, without cutting them into lines.
    MailLines m = MailLines::Split(bytes, h.bodyStart);
    const std::size_t headLength = m.Join().size();
    SetStatus(m, h);
    if (!h.hadDate && !h.pseudoDate.empty() && o.AddDate)
        m.Insert(1, h.pseudoDate);
    if (datesDisagree && !h.pseudoDate.empty())
        RenameDisagreeingDate(m, h.pseudoDate);
    if (h.suspiciousAddress && o.FixAddress)
        RepairAddressFields(m);
    MarkReadEdit edit{m.Join(), headLength};
    if (edit.head == bytes.substr(0, headLength))
        return std::nullopt;
    return edit;
}

std::string MarkReadEdit::Apply(std::string_view bytes) const {
    std::string out;
    out.reserve(head.size() + bytes.size() - std::min(bytes.size(), headLength));
    out.append(head);
    out.append(bytes.substr(std::min(bytes.size(), headLength)));
    return out;
}

std::optional<std::string> MarkReadRewrite(std::string_view bytes, const HeaderPassResult& h,
                                           bool datesDisagree, const HeaderOptions& o) {
    const std::optional<MarkReadEdit> edit = MarkReadHeadEdit(bytes, h, datesDisagree, o);
    if (!edit)
        return std::nullopt;
    return edit->Apply(bytes);
}

}  // namespace varnel::mail
