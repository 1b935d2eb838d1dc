// The send check's header walk and the outgoing layout.
#include "mail/OutgoingMail.h"

#include <unistd.h>

#include "editor/ReplaceFile.h"
#include "mail/Addresses.h"
#include "mail/Boundary.h"
#include "mail/DisplayLines.h"
#include "text/Sjis.h"

namespace varnel::mail {

namespace {

constexpr std::string_view kCheckSeparator = "-------";

bool IsContinuation(std::string_view p) {
    return !p.empty() && (p.front() == ' ' || p.front() == '\t');
}

bool StartsAddressField(std::string_view p) {
    return p.starts_with("To:") || p.starts_with("Cc:") || p.starts_with("Bcc:");
}

bool StartsAddressFieldNoCase(std::string_view p) {
    const std::string head = text::ToLowerAscii(p.substr(0, 8));
    return head.starts_with("to:") || head.starts_with("cc:") || head.starts_with("bcc:");
}

void Put(std::string& out, std::string_view line) {
    out += line;
    out += "\r\n";
}

// One address a line: the field and its continuation paragraphs are split into
// addresses; every address after the first begins with a (expanded) TAB.
void WriteAddressField(std::string& out, std::string field, int tabToSpace) {
    std::string pending;
    bool toMe = false;
    while (SplitNextAddress(field, pending, {}, toMe)) {
        Put(out, ExpandLeadingTab(pending, tabToSpace));
        pending = "\t";
    }
    // What is left after the last comma; nothing left must not become an empty line,
    // which would end the header early.
    if (!text::TrimBlanks(pending).empty())
        Put(out, ExpandLeadingTab(pending, tabToSpace));
}

void PutPieces(std::string& out, const DraftParagraph& p) {
    for (const std::string& piece : p.pieces)
        Put(out, piece);
}

bool IsLast(std::size_t i, const std::vector<DraftParagraph>& ps) {
    return i + 1 == ps.size();
}

// The last paragraph is the one the end-of-text mark stood on: left out when empty.
void PutParagraphText(std::string& out, std::size_t i, const std::vector<DraftParagraph>& ps) {
    const std::string t = ps[i].Text();
    if (!(IsLast(i, ps) && t.empty()))
        Put(out, t);
}

void PutDisplayed(std::string& out, std::size_t i, const std::vector<DraftParagraph>& ps) {
    if (IsLast(i, ps) && ps[i].Text().empty())
        return;
    PutPieces(out, ps[i]);
}

}  // namespace

std::string DraftParagraph::Text() const {
    std::string t;
    for (const std::string& p : pieces)
        t += p;
    return t;
}

std::vector<DraftParagraph> DraftParagraphsOf(const editor::TSonStrings& lines) {
    std::vector<DraftParagraph> ps;
    DraftParagraph cur;
    for (int i = 0; i < lines.Count(); ++i) {
        std::string_view l = lines.Get(i);
        bool ends = false;
        if (l.ends_with("\r\n")) {
            l.remove_suffix(2);
            ends = true;
        } else if (!l.empty() && l.back() == '\0') {
            l.remove_suffix(1);
            ends = true;
        }
        cur.pieces.emplace_back(l);
        if (ends) {
            ps.push_back(std::move(cur));
            cur = {};
        }
    }
    if (!cur.pieces.empty())
        ps.push_back(std::move(cur));
    return ps;
}

std::string QuoteDottedLocalPart(std::string_view line) {
    const std::size_t at = text::Find(line, ".@");
    if (at == text::npos)
        return std::string(line);
    // The local part starts after the nearest blank, "<" or "," before the ".", or at
    // the start of the line's value (a comma: two addresses written without a blank).
    std::size_t start = 0;
    for (std::size_t i = 0; i < at; i = text::NextCharPos(line, i)) {
        if (line[i] == ' ' || line[i] == '<' || line[i] == '\t' || line[i] == ',')
            start = i + 1;
    }
    if (start == 0 && line.find(':') != std::string_view::npos && line.find(':') < at)
        start = line.find(':') + 1;
    if (start < line.size() && line[start] == '"')
        return std::string(line);  // quoted already
    std::string out(line);
    out.insert(at + 1, "\"");
    out.insert(start, "\"");
    return out;
}

HeaderCheck CheckDraftHeader(std::vector<std::string>& paragraphs) {
    HeaderCheck c;
    bool inAddress = false;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        std::string& p = paragraphs[i];
        if (text::Contains(p, kCheckSeparator))
            break;
        if ((p.starts_with("To:") || p.starts_with("Subject:")) && p.size() < 10)
            c.complete = false;
        if (StartsAddressField(p))
            inAddress = true;
        else if (!IsContinuation(p))
            inAddress = false;
        if (inAddress && text::Contains(p, ".@")) {
            std::string fixed = QuoteDottedLocalPart(p);
            if (fixed != p) {
                p = std::move(fixed);
                c.repaired.push_back(i);
            }
        }
    }
    return c;
}

bool IsOutgoingDraftName(std::string_view path) {
    const std::string lower = text::ToLowerAscii(path);
    return text::Contains(lower, ".tmp") || text::Contains(lower, "/out/");
}

std::string OutgoingText(const std::vector<DraftParagraph>& ps, bool isDraft, int tabToSpace) {
    std::string out;
    std::size_t i = 0;
    std::string boundary;
    if (isDraft) {
        // The header, up to and including the separator.
        while (i < ps.size()) {
            const std::string t = ps[i].Text();
            const bool separator = t.starts_with(kCheckSeparator);
            if (!separator && StartsAddressFieldNoCase(t)) {
                std::string field = t;
                while (i + 1 < ps.size() && IsContinuation(ps[i + 1].Text()))
                    field += ps[++i].Text();
                WriteAddressField(out, std::move(field), tabToSpace);
            } else {
                if (boundary.empty() && !separator)
                    boundary = ExtractBoundary(t);
                Put(out, ExpandLeadingTab(t, tabToSpace));
            }
            ++i;
            if (separator)
                break;
        }
    }
    if (boundary.empty()) {
        for (; i < ps.size(); ++i)
            PutDisplayed(out, i, ps);
        return out;
    }
    // Multipart: the text up to the first boundary line and the first part's header as
    // stored, the first part's text as displayed, every later part as stored.
    const std::string b = "--" + boundary;
    for (; i < ps.size(); ++i) {
        PutParagraphText(out, i, ps);
        if (ps[i].Text() == b) {
            ++i;
            break;
        }
    }
    for (; i < ps.size(); ++i) {
        PutParagraphText(out, i, ps);
        if (ps[i].Text().empty()) {
            ++i;
            break;
        }
    }
    for (; i < ps.size(); ++i) {
        if (ps[i].Text() == b) {
            for (; i < ps.size(); ++i)
                PutParagraphText(out, i, ps);
            break;
        }
        PutDisplayed(out, i, ps);
    }
    return out;
}

bool WriteOutgoingFile(const std::string& path, const std::string& text,
                       const std::optional<std::string>& forwardTail, std::string& error) {
    // A write-protected draft is not replaced behind the user's back.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        error = "the file is write-protected";
        return false;
    }
    if (!forwardTail)
        return editor::ReplaceFileWrite(path, text, error);
    std::string all;
    all.reserve(text.size() + forwardTail->size());
    all += text;
    all += *forwardTail;
    return editor::ReplaceFileWrite(path, all, error);
}

}  // namespace varnel::mail
