// Paragraph colours and link spans of the editor's text.
#include "editor/ColourRules.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// Bytes below 0x40 are never the second byte of a double-byte character, so these
// stand as characters of their own wherever a backward search meets them.
constexpr ByteSet kSureLinkStops("\t \"<>");
constexpr ByteSet kSureTagStops("\t\"*,/:;<>?");

// Walks back from a position to one that the scan of the whole text passes. A link
// starting at c ends at the first stop at or after c + 5, a tag name at the first tag
// stop after the first dot at or after c + 4, an HTML tag after the first ">" past its
// "<": a start before r whose span cannot be shown to end by r moves r back onto it.
// The walks spend a budget a little longer than the text before pos (what a scan from
// the start would cost); spent, or after many rounds, the answer is 0.
class ScanStart {
  public:
    ScanStart(std::string_view s, bool singleByte, bool htmlTags)
        : s_(s), singleByte_(singleByte), htmlTags_(htmlTags) {}

    std::size_t From(std::size_t pos) {
        std::size_t r = std::min(pos, s_.size());
        budget_ = r + kSpare;
        for (int round = 0; round < kRounds; ++round) {
            r = Boundary(r);
            if (r == 0)
                return 0;
            std::size_t open = htmlTags_ ? OpenHtmlTag(r) : kNone;
            if (open == kNone)
                open = OpenLink(r);
            if (open == kNone)
                open = OpenTagName(r);
            if (spent_)
                return 0;
            if (open == kNone)
                return r;
            r = open;
        }
        return 0;
    }

  private:
    static constexpr std::size_t kNone = std::string_view::npos;
    static constexpr int kRounds = 16;
    static constexpr std::size_t kSpare = 256;

    bool Spend() {
        if (budget_ == 0) {
            spent_ = true;
            return false;
        }
        --budget_;
        return true;
    }

    // r, or the nearest position before it that is surely a character boundary: the
    // byte before it cannot lead a double-byte character, or the byte at it cannot
    // end one.
    std::size_t Boundary(std::size_t r) {
        while (!singleByte_ && r > 0 && r < s_.size() &&
               text::IsLeadByte(static_cast<unsigned char>(s_[r - 1])) &&
               text::IsTrailByte(static_cast<unsigned char>(s_[r])) && Spend())
            --r;
        return r;
    }

    // A byte below 0x40 or a backslash. Every stop is one, and every link word ("http://",
    // "mailto:", "\\\\", "tag:", ...) holds one among its first seven bytes.
    static bool Marked(char c) { return static_cast<unsigned char>(c) < 0x40 || c == '\\'; }

    // Last marked position before k; kNone when none. Skips eight bytes at a time, and
    // at once the longest stretch an earlier search found without a marked byte.
    std::size_t PrevMarked(std::size_t k) {
        constexpr std::uint64_t kOnes = 0x0101010101010101;
        constexpr std::uint64_t kHighs = kOnes * 0x80;
        const std::size_t from = k;
        std::size_t hi = from;  // [k, hi) holds no marked byte
        while (k >= 8 && Spend()) {
            if (k > clearLo_ && k <= clearHi_) {
                hi = std::max(hi, clearHi_);
                k = clearLo_;
                continue;
            }
            std::uint64_t x;
            std::memcpy(&x, s_.data() + k - 8, 8);
            const std::uint64_t y = x ^ (kOnes * '\\');
            if ((((x - kOnes * 0x40) & ~x) | ((y - kOnes) & ~y)) & kHighs)
                break;  // a byte of these eight is marked
            k -= 8;
        }
        while (k > 0 && Spend() && !Marked(s_[k - 1]))
            --k;
        if (hi - k > clearHi_ - clearLo_) {
            clearLo_ = k;
            clearHi_ = hi;
        }
        return k == 0 ? kNone : k - 1;
    }

    // Last position at or before r holding a byte of set (all marked); kNone when none.
    std::size_t LastOf(const ByteSet& set, std::size_t r) {
        for (std::size_t k = std::min(r + 1, s_.size()); (k = PrevMarked(k)) != kNone;) {
            if (set(s_[k]))
                return k;
        }
        return kNone;
    }

    // Last position in [lo, r) where the link word start(c) begins; kNone when none. Only
    // the seven positions up to each marked byte are tried.
    template <typename Start>
    std::size_t LastStart(std::size_t lo, std::size_t r, Start start) {
        std::size_t untried = r;  // positions from here on are tried
        for (std::size_t k = std::min(r + 6, s_.size()); untried > lo;) {
            k = PrevMarked(k);
            if (k == kNone)
                return kNone;
            const std::size_t low = std::max(lo, k - std::min<std::size_t>(k, 6));
            for (std::size_t c = std::min(untried, k + 1); c-- > low && Spend();) {
                if (start(c))
                    return c;
            }
            untried = std::min(untried, low);
        }
        return kNone;
    }

    // Last position before r holding c; kNone when none.
    std::size_t Last(char c, std::size_t r) const {
        const void* at = memrchr(s_.data(), c, r);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - s_.data()) : kNone;
    }

    // The last "<" before r when no ">" follows it before r.
    std::size_t OpenHtmlTag(std::size_t r) const {
        const std::size_t lt = Last('<', r);
        return lt == kNone || std::memchr(s_.data() + lt + 1, '>', r - lt - 1) ? kNone : lt;
    }

    // The last link start that the last stop at or before r does not surely end.
    std::size_t OpenLink(std::size_t r) {
        const std::size_t stop = LastOf(kSureLinkStops, r);
        const std::size_t lo = stop == kNone ? 0 : stop - std::min<std::size_t>(stop, 4);
        return LastStart(lo, r, [&](std::size_t k) { return LinkStartLength(s_, k) != 0; });
    }

    // The last "tag:" that the last dot before the last tag stop at or before r does not
    // surely end (none starts within three bytes before that dot). Its ":" is a tag stop
    // itself, so without one only r - 3 on can start it.
    std::size_t OpenTagName(std::size_t r) {
        const std::size_t stop = LastOf(kSureTagStops, r);
        const std::size_t dot = stop == kNone ? kNone : Last('.', stop);
        const std::size_t lo = stop == kNone  ? r - std::min<std::size_t>(r, 3)
                               : dot == kNone ? 0
                                              : dot;
        return LastStart(lo, r, [&](std::size_t k) { return StartsAt(s_, k, "tag:"); });
    }

    std::string_view s_;
    bool singleByte_;
    bool htmlTags_;
    std::size_t budget_ = 0;
    bool spent_ = false;
    std::size_t clearLo_ = 0;  // a stretch known to hold no marked byte
    std::size_t clearHi_ = 0;
};

}  // namespace

std::size_t LinkScanStart(std::string_view s, std::size_t pos, const PaintProperties& look,
                          bool singleByte) {
    if (!look.ColorPrintF)
        return std::min(pos, s.size());
    return ScanStart(s, singleByte, look.ShowHTMLTagColor).From(pos);
}

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

std::vector<LinkSpan> FindLinks(std::string_view s, const PaintProperties& look, bool singleByte,
                                std::size_t from) {
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
    std::size_t i = from;
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
