// Paragraph colours and link spans of the editor's text.
#include "editor/ColourRules.h"

#include <algorithm>

#include "text/Sjis.h"

namespace varnel::editor {

namespace {

std::size_t CharLen(std::string_view s, std::size_t i, bool singleByte) {
    if (i >= s.size())
        return 0;
    return singleByte ? 1 : text::CharLengthAt(s, i);
}

bool StartsAt(std::string_view s, std::size_t i, std::string_view token) {
    return s.compare(i, token.size(), token) == 0 && i + token.size() <= s.size();
}

// A set of bytes looked up in one step (the scans below test every byte of a page).
class ByteSet {
  public:
    constexpr explicit ByteSet(std::string_view bytes) {
        for (char c : bytes)
            has_[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool operator()(char c) const { return has_[static_cast<unsigned char>(c)]; }

  private:
    bool has_[256] = {};
};

// First character boundary at or after from that holds a single-byte character of
// set; s.size() when none. Starts walking at start, a boundary at or before from.
std::size_t FindStop(std::string_view s, std::size_t start, std::size_t from, const ByteSet& set,
                     bool singleByte) {
    for (std::size_t i = start; i < s.size();) {
        const std::size_t n = CharLen(s, i, singleByte);
        if (i >= from && n == 1 && set(s[i]))
            return i;
        i += n;
    }
    return s.size();
}

// Bytes that end a web link, a mail address or a path.
constexpr ByteSet kLinkStops("\t \"<>[]`{|}");
// First bytes of "http://", "https:/", "mailto:", "ftp:/", "file:", "\\\\", "tag:" and "<".
constexpr ByteSet kLinkFirstBytes("hmf\\t<");
// Bytes that end a tag name after its first dot.
constexpr ByteSet kTagStops("\t\"*,/:;<>?|");
constexpr ByteSet kQuote("\"");
constexpr ByteSet kDot(".");
constexpr ByteSet kTagClose(">");
// A marker line of an attachment; its first quoted text is the attachment's name.
constexpr std::string_view kAttachedMarker(".------ attached");

std::size_t LinkStartLength(std::string_view s, std::size_t i) {
    for (std::string_view t : {"http://", "https:/", "mailto:"}) {
        if (StartsAt(s, i, t))
            return t.size();
    }
    for (std::string_view t : {"ftp:/", "file:"}) {
        if (StartsAt(s, i, t))
            return t.size();
    }
    if (StartsAt(s, i, "\\\\"))
        return 2;
    return 0;
}

}  // namespace

bool StartsWithQuoteMark(std::string_view text, std::string_view quoteMarks, bool singleByte) {
    const std::size_t n = CharLen(text, 0, singleByte);
    if (n == 0)
        return false;
    const std::string_view first = text.substr(0, n);
    for (std::size_t i = 0; i < quoteMarks.size(); i += CharLen(quoteMarks, i, singleByte)) {
        if (quoteMarks.substr(i, CharLen(quoteMarks, i, singleByte)) == first)
            return true;
    }
    return false;
}

TColor ParagraphColour(std::string_view start, const PaintProperties& look, bool singleByte) {
    TColor colour = look.Font.Color;
    if (!look.ColorPrintF)
        return colour;
    if (StartsWithQuoteMark(start, look.QuotMarkStr, singleByte))
        colour = look.QuotMarkColor;
    // Header rules win over the quote rule; the names are case-sensitive.
    if (start.starts_with("..---"))
        return look.CREOFcolor;
    if (start.starts_with("Date:"))
        return look.DateColor;
    if (start.starts_with("From:"))
        return look.FromColor;
    if (start.starts_with("Subject:"))
        return look.SubjectColor;
    return colour;
}

std::vector<LinkSpan> FindLinks(std::string_view s, const PaintProperties& look, bool singleByte) {
    std::vector<LinkSpan> spans;
    if (!look.ColorPrintF)
        return spans;
    if (s.starts_with(kAttachedMarker)) {
        const std::size_t open = FindStop(s, 0, kAttachedMarker.size(), kQuote, singleByte);
        if (open < s.size()) {
            const std::size_t close = FindStop(s, open + 1, open + 1, kQuote, singleByte);
            if (close > open + 1)
                spans.push_back({open + 1, close, true});
        }
    }
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t n = CharLen(s, i, singleByte);
        if (n != 1) {
            i += n;
            continue;
        }
        // Every link, tag and HTML tag starts with one of these bytes.
        if (!kLinkFirstBytes(s[i])) {
            ++i;
            continue;
        }
        if (const std::size_t len = LinkStartLength(s, i)) {
            // A link is at least five bytes long before a stop byte may end it.
            const std::size_t end = FindStop(s, i + len, i + 5, kLinkStops, singleByte);
            spans.push_back({i, end, true});
            i = end;
            continue;
        }
        if (StartsAt(s, i, "tag:")) {
            const std::size_t dot = FindStop(s, i + 4, i + 4, kDot, singleByte);
            if (dot < s.size()) {
                const std::size_t end = FindStop(s, dot, dot + 1, kTagStops, singleByte);
                spans.push_back({i, end, true});
                i = end;
                continue;
            }
        }
        if (look.ShowHTMLTagColor && s[i] == '<') {
            const std::size_t close = FindStop(s, i + 1, i + 1, kTagClose, singleByte);
            if (close < s.size()) {
                spans.push_back({i, close + 1, false});
                i = close + 1;
                continue;
            }
        }
        ++i;
    }
    std::sort(spans.begin(), spans.end(),
              [](const LinkSpan& a, const LinkSpan& b) { return a.begin < b.begin; });
    return spans;
}

}  // namespace varnel::editor
