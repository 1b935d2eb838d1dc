// The reformat: a first stage that removes TABs and re-joins lines another mailer
// wrapped at about 72 columns, and a second that joins the lines of a paragraph and
// cuts them again at MaxLength. The output is built in a new list, so a long text
// costs one pass and never shifts the lines behind the current one.
#include "mail/Reformat.h"

#include <algorithm>
#include <bitset>
#include <memory>

#include "mail/QuoteLines.h"
#include "text/Sjis.h"

namespace varnel::mail {

namespace {

using text::CharLengthAt;
using text::IsDoubleByteAt;

constexpr std::string_view kWideBlank = "\x81\x40";  // 　
// Quote prefixes longer than this are cut: deeper nesting would leave no room for text.
constexpr std::size_t kMaxPrefix = 16;

// A set of characters compared whole: a double-byte character by its code, a single
// byte only as a single-byte character. Blanks in a setting (the loader puts one after
// every double-byte character) separate entries.
class CharSet {
  public:
    explicit CharSet(std::string_view chars) {
        for (std::size_t i = 0; i < chars.size(); i += CharLengthAt(chars, i)) {
            if (IsDoubleByteAt(chars, i))
                wide_.set(Code(chars, i));
            else if (chars[i] != ' ')
                narrow_.set(static_cast<unsigned char>(chars[i]));
        }
    }
    // The character at s[at] (whole) is in the set.
    bool Has(std::string_view s, std::size_t at) const {
        if (at >= s.size())
            return false;
        if (IsDoubleByteAt(s, at))
            return wide_.test(Code(s, at));
        return narrow_.test(static_cast<unsigned char>(s[at]));
    }
    bool HasWide(std::string_view s, std::size_t at) const {
        return IsDoubleByteAt(s, at) && wide_.test(Code(s, at));
    }

  private:
    static unsigned Code(std::string_view s, std::size_t at) {
        return static_cast<unsigned char>(s[at]) * 256u + static_cast<unsigned char>(s[at + 1]);
    }
    std::bitset<65536> wide_;
    std::bitset<256> narrow_;
};

// Fixed tables of the list rules.
// １２３４５６７８９０
const CharSet& WideDigits() {
    static const CharSet s(
        "\x82\x50\x82\x51\x82\x52\x82\x53\x82\x54\x82\x55\x82\x56\x82\x57"
        "\x82\x58\x82\x4f");
    return s;
}
// 。）．　
const CharSet& WideListPunctuation() {
    static const CharSet s("\x81\x42\x81\x6a\x81\x44\x81\x40");
    return s;
}
// ①..⑳ (0x8740-0x8753), Ⅰ..Ⅹ (0x8754-0x875D), ⅰ..ⅹ (0xEEEF-0xEEF8)
const CharSet& Numerals() {
    static const CharSet s = [] {
        std::string t;
        for (int c = 0x40; c <= 0x5D; ++c)
            t += {'\x87', static_cast<char>(c)};
        for (int c = 0xEF; c <= 0xF8; ++c)
            t += {'\xEE', static_cast<char>(c)};
        return CharSet(t);
    }();
    return s;
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The compiled options.
struct Rules {
    explicit Rules(const ReformatOptions& o)
        : L(static_cast<std::size_t>(std::max(o.MaxLength, 1))),
          quoteChar(o.QuoteChar),
          avoidBegin(o.AvoidBeginChar),
          avoidEnd(o.AvoidEndChar),
          endWide(o.EndCharZenkaku),
          endNarrow(o.EndCharHankaku),
          deleteTab(o.DeleteTab) {}
    std::size_t L;
    std::string quoteChar;
    CharSet avoidBegin, avoidEnd, endWide;
    std::string endNarrow;
    bool deleteTab;
};

bool LastCharIsSingleByte(std::string_view s) {
    return !s.empty() && !text::IsTrailPosition(s, s.size() - 1);
}

// One trailing blank goes when the character before it is single-byte (a blank after
// a double-byte character may be a deliberate gap).
void DropTrailingBlank(std::string& s) {
    if (s.size() >= 2 && s.back() == ' ' &&
        LastCharIsSingleByte(std::string_view(s).substr(0, s.size() - 1)))
        s.pop_back();
    else if (s.size() == 1 && s == " ")
        s.clear();
}

// Stage 1: TABs out; a line of 70 to 78 columns followed by a short line with the same
// quote prefix was wrapped by another mailer and is joined with it.
void RemoveTabsAndRejoin(std::vector<std::string>& lines, std::size_t first, const Rules& r) {
    std::vector<std::string> out(std::make_move_iterator(lines.begin()),
                                 std::make_move_iterator(lines.begin() + first));
    out.reserve(lines.size());
    for (std::size_t i = first; i < lines.size(); ++i) {
        std::string line = std::move(lines[i]);
        if (!line.empty()) {
            const auto tabs = static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
            if (tabs)
                line = text::RemoveChar(line, '\t');
            const std::size_t width = line.size() + 8 * tabs;
            if (width >= 70 && width <= 78 && i + 1 < lines.size() && !lines[i + 1].empty() &&
                lines[i + 1].size() <= 39 &&
                QuotePrefix(lines[i + 1], r.quoteChar) == QuotePrefix(line, r.quoteChar)) {
                std::string_view rest = lines[i + 1];
                while (!rest.empty() &&
                       (rest.front() == '>' || rest.front() == ' ' || rest.front() == '\t'))
                    rest.remove_prefix(1);
                if (line.size() >= 2 && LastCharIsSingleByte(line) && !rest.empty() &&
                    static_cast<unsigned char>(rest.front()) < 127)
                    line += ' ';
                line += rest;
                ++i;  // the next line is used up
            }
        }
        out.push_back(std::move(line));
    }
    lines = std::move(out);
}

// The line ends a sentence: its last character (trailing blanks and full-width blanks
// aside) is a sentence end.
bool EndsSentence(std::string_view s, const Rules& r) {
    while (!s.empty()) {
        if (s.back() == ' ') {
            s.remove_suffix(1);
        } else if (s.size() >= 2 && s.substr(s.size() - 2) == kWideBlank &&
                   text::IsTrailPosition(s, s.size() - 1)) {
            s.remove_suffix(2);
        } else {
            break;
        }
    }
    if (s.empty())
        return false;
    if (text::IsTrailPosition(s, s.size() - 1))
        return r.endWide.Has(s, s.size() - 2);
    return r.endNarrow.find(s.back()) != std::string::npos;
}

// A quoted header line of another mailer: "From:", "Sent:", "To:", "Cc:" or "Subject:"
// at its start, and none of the others.
bool IsQuotedHeaderLine(std::string_view s) {
    if (s.find(':') == std::string_view::npos)
        return false;
    std::size_t sum = 0;
    for (std::string_view name : {"From:", "Sent:", "To:", "Cc:", "Subject:"}) {
        const std::size_t at = text::Find(s, name);
        if (at != text::npos)
            sum += at + 1;
    }
    return sum >= 1 && sum <= 5;
}

// The next line starts a list item.
bool StartsListItem(std::string_view n) {
    for (std::size_t o = 0; o < 3 && o < n.size(); o += 1) {
        if (text::IsTrailPosition(n, o))
            continue;
        if (WideDigits().Has(n, o) && IsDoubleByteAt(n, o) && WideListPunctuation().Has(n, o + 2))
            return true;
        if (Numerals().Has(n, o) && IsDoubleByteAt(n, o))
            return true;
        if (IsAsciiDigit(n[o]) && o + 1 < n.size() &&
            std::string_view(".) ").find(n[o + 1]) != std::string_view::npos)
            return true;
    }
    if (n.size() >= 2 && (n[0] == '*' || n[0] == '-') && (n[1] == ' ' || n[1] == '.'))
        return true;
    if (n.size() >= 2 && n[0] == ' ' && (n[1] == '*' || n[1] == '-'))
        return true;
    return n.size() >= 3 && n[1] == '.' &&
           std::string_view(".-*").find(n[2]) != std::string_view::npos;
}

bool HasLink(std::string_view s) {
    if (s.find(':') == std::string_view::npos)
        return false;
    return text::Contains(s, "http:") || text::Contains(s, "https:") || text::Contains(s, "ftp:");
}

// Length of the link that starts at s[at]: up to a blank, a control byte, a double-byte
// character or one of the characters that end a link in running text.
std::size_t LinkLength(std::string_view s, std::size_t at) {
    std::size_t e = at;
    while (e < s.size()) {
        const auto c = static_cast<unsigned char>(s[e]);
        if (c <= ' ' || c >= 0x7F ||
            std::string_view("\"<>'`{}|\\^").find(static_cast<char>(c)) != std::string_view::npos)
            break;
        ++e;
    }
    return e - at;
}

// The first link (any case) that starts in head, as [start, end) measured in whole
// (head is whole's beginning); npos when there is none.
std::pair<std::size_t, std::size_t> FirstLink(std::string_view head, std::string_view whole) {
    // ":" and "/" are never trail bytes: a plain byte search rules most lines out.
    if (head.find("://") == std::string_view::npos)
        return {text::npos, text::npos};
    std::size_t best = text::npos;
    for (std::string_view scheme : {"http://", "https://", "ftp://"}) {
        const std::size_t at = text::FindNoCase(head, scheme);
        if (at < best)
            best = at;
    }
    if (best == text::npos)
        return {text::npos, text::npos};
    return {best, best + LinkLength(whole, best)};
}

// Where to cut the text s (prefix length n, total length total; s holds at least its
// first L + 16 bytes and any link that starts before L): the number of bytes of the
// first piece. Always more than n, so every piece carries text and the cut progresses.
std::size_t BreakPosition(std::string_view s, std::size_t total, std::size_t n, const Rules& r) {
    const std::size_t L = r.L;
    const std::size_t least = text::NextCharPos(s, n);
    if (total <= L)
        return total;
    // A link that runs past L stays whole: cut after it when it starts the line, else
    // before it.
    const auto [linkStart, linkEnd] = FirstLink(s.substr(0, std::min(s.size(), L + 8)), s);
    if (linkStart < L && linkEnd > L) {
        // After the link, the blank that follows it ends the line too.
        const std::size_t b = linkStart > n                             ? linkStart
                              : linkEnd < s.size() && s[linkEnd] == ' ' ? linkEnd + 1
                                                                        : linkEnd;
        return std::max(b, least);
    }
    std::size_t pos = 0;
    while (pos < L && pos < s.size())
        pos = text::NextCharPos(s, pos);
    if (pos >= s.size())
        return std::max(s.size(), least);
    if (s[pos] == ' ')
        return std::max(pos + 1, least);
    if (IsDoubleByteAt(s, pos)) {
        // Kinsoku: characters that may not begin a line stay on this one (a few may
        // overhang), and one that may not end a line goes to the next.
        std::size_t b = pos;
        while (b < total && b < L + 5 && r.avoidBegin.HasWide(s, b))
            b += 2;
        if (b + 2 > L && b < total) {
            for (int k = 0;
                 k < 6 && b >= 2 && text::IsTrailPosition(s, b - 1) && r.avoidEnd.HasWide(s, b - 2);
                 ++k)
                b -= 2;
        }
        return std::max(b, least);
    }
    // Inside a single-byte word: back to the blank or double-byte character before it,
    // unless that leaves the line much too short.
    const std::size_t floor = L > 40 ? L - 40 : 0;
    std::size_t b = pos;
    while (b > floor && b > n) {
        const std::size_t prev = text::PrevCharPos(s, b);
        if (b - prev == 2 || s[prev] == ' ')
            break;
        b = prev;
    }
    if (b + 38 < L || b <= n)
        b = pos;
    return std::max(b, least);
}

bool OnlyBlanks(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

// Stage 2 for one line: cuts prefix + rest into pieces. The text of next (may be
// empty) is appended once the remaining text is short enough. Pieces are cut from a
// window at the front of the rest, so a long line costs time in proportion to its length.
class Recutter {
  public:
    Recutter(const Rules& r, std::vector<std::string>& out) : r_(r), out_(out) {}

    // Returns true when next was used; the last piece is then left in last for the
    // caller to look at again, the others are pushed.
    bool Cut(std::string_view prefix, std::string_view rest, std::string_view contPrefix,
             std::string_view next, std::string& last) {
        bool used = false;
        std::string joined;
        std::string w;
        for (;;) {
            if (!used && !next.empty() && prefix.size() + rest.size() <= r_.L + 10) {
                joined = std::string(rest) + std::string(next);
                rest = joined;
                used = true;
            }
            const std::size_t n = prefix.size();
            const std::size_t total = n + rest.size();
            Window(w, prefix, rest, r_.L + 16);
            // A link that runs to the window's end is taken in whole.
            const auto [linkStart, linkEnd] =
                FirstLink(std::string_view(w).substr(0, std::min(w.size(), r_.L + 8)), w);
            if (linkStart != text::npos && linkStart >= n && linkEnd >= w.size() &&
                w.size() < total)
                Window(w, prefix, rest, linkStart - n + LinkLength(rest, linkStart - n) + 1);
            const std::size_t b = BreakPosition(w, total, n, r_);
            std::string piece = w.substr(0, b);
            rest = rest.substr(b - n);
            DropTrailingBlank(piece);
            if (rest.empty() || OnlyBlanks(rest)) {
                if (used) {
                    last = std::move(piece);
                } else {
                    out_.push_back(std::move(piece));
                }
                return used;
            }
            out_.push_back(std::move(piece));
            prefix = contPrefix;
        }
    }

  private:
    static void Window(std::string& w, std::string_view prefix, std::string_view rest,
                       std::size_t size) {  // size: bytes of rest
        w.assign(prefix);
        w.append(rest.substr(0, size));
    }
    const Rules& r_;
    std::vector<std::string>& out_;
};

void JoinAndRecut(std::vector<std::string>& lines, std::size_t first, const Rules& r) {
    std::vector<std::string> out(std::make_move_iterator(lines.begin()),
                                 std::make_move_iterator(lines.begin() + first));
    out.reserve(lines.size() + lines.size() / 4);
    Recutter cutter(r, out);
    std::size_t i = first;
    std::string cur;
    bool haveCur = false;
    for (;;) {
        if (!haveCur) {
            if (i >= lines.size())
                break;
            cur = std::move(lines[i++]);
        }
        haveCur = false;
        if (cur.empty() || cur.starts_with(".-") || cur.starts_with("..")) {
            out.push_back(std::move(cur));
            continue;
        }
        DropTrailingBlank(cur);
        const std::string whole = QuotePrefix(cur, r.quoteChar);
        std::string p = whole.size() > kMaxPrefix
                            ? whole.substr(0, text::SnapToCharStart(whole, kMaxPrefix))
                            : whole;
        std::string line = p + cur.substr(whole.size());

        std::string q, next;
        if (i < lines.size()) {
            q = QuotePrefix(lines[i], r.quoteChar);
            std::string_view body = std::string_view(lines[i]).substr(q.size());
            if (!body.empty()) {
                if (CharLengthAt(body, 0) == 1)
                    next = " ";
                next += body;
            }
        }
        const bool indentOfQ = p == q + std::string(kWideBlank);
        const bool keepApart =
            EndsSentence(line, r) || (p != q && !indentOfQ) || IsQuotedHeaderLine(line) ||
            StartsListItem(next) || text::Contains(p, "      ") ||
            (line.size() > 2 && !next.empty() && LastCharIsSingleByte(line) &&
             LastCharIsSingleByte(std::string_view(line).substr(0, line.size() - 1)) &&
             line.size() < r.L && first != 0) ||
            HasLink(line);
        if (keepApart)
            next.clear();
        const std::string contPrefix = indentOfQ ? q : p;
        std::string last;
        if (cutter.Cut(p, std::string_view(line).substr(p.size()), contPrefix, next, last)) {
            ++i;  // the next line's text went into this paragraph
            cur = std::move(last);
            haveCur = true;
        }
    }
    lines = std::move(out);
}

}  // namespace

ReformatOptions DefaultReformatOptions() {
    ReformatOptions o;
    o.AvoidBeginChar =
        "\x81\x40\x81\x44\x81\x43\x81\x42\x81\x41\x81\x45\x81\x48\x81\x49\x81\x6a\x81\x6c\x81\x6e"
        "\x81\x70\x81\x72\x81\x74\x81\x76\x81\x78\x81\x7a";
    o.AvoidEndChar = "\x81\x69\x81\x6b\x81\x6d\x81\x6f\x81\x71\x81\x73\x81\x75\x81\x77\x81\x79";
    o.EndCharZenkaku = "\x81\x42\x81\x44\x81\x48\x81\x47\x81\x6a";
    return o;
}

void ReformatLines(std::vector<std::string>& lines, std::size_t first,
                   const ReformatOptions& options) {
    if (first >= lines.size())
        return;
    const Rules r(options);
    const bool endedEmpty = lines.back().empty();
    if (r.deleteTab)
        RemoveTabsAndRejoin(lines, first, r);
    JoinAndRecut(lines, first, r);
    if (endedEmpty && (lines.empty() || !lines.back().empty()))
        lines.emplace_back();
}

}  // namespace varnel::mail
