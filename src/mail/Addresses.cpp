// Address splitting, checking and repair. Every search is double-byte aware: a trail
// byte 0x5C (in ソ, 表, 十) is never a backslash.
#include "mail/Addresses.h"

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

using text::npos;

// The ">" of an address, moved onto the ")" of a comment that follows it.
std::size_t ExtendOverComment(std::string_view s, std::size_t gt) {
    std::size_t k = gt + 1;
    while (k < s.size() && (s[k] == ' ' || s[k] == '\t'))
        ++k;
    if (k < s.size() && s[k] == '(') {
        std::size_t close = text::FindChar(s, ')', k);
        if (close != npos)
            return close;
    }
    return gt;
}

// A second address follows: at least nine characters after the ">".
bool EnoughAfter(std::string_view s, std::size_t gt) {
    return s.size() - (gt + 1) >= 9;
}

std::string Normalise(std::string_view a) {
    if (a.size() < 2)
        return {};
    std::size_t firstLen = text::CharLengthAt(a, 0);
    std::string first(a.substr(0, firstLen));
    std::string rest = text::RemoveChar(a.substr(firstLen), '\t');
    std::size_t b = rest.find_first_not_of(' ');
    rest = b == std::string::npos ? std::string() : rest.substr(b);
    if (first == " ")
        first = "\t";
    return first + rest;
}

std::size_t Count(std::string_view s, char c) {
    std::size_t n = 0;
    for (std::size_t p = text::FindChar(s, c); p != npos; p = text::FindChar(s, c, p + 1))
        ++n;
    return n;
}

}  // namespace

std::optional<AddressCut> FindAddressEnd(std::string_view s) {
    const std::size_t quote = text::FindChar(s, '"');
    std::size_t comma = text::FindChar(s, ',');
    std::size_t gt = text::FindChar(s, '>');
    if (gt != npos) {
        const std::size_t bare = gt;
        gt = ExtendOverComment(s, gt);
        // A comma inside the trailing comment ("<t@x.jp> (Sales, Tokyo)") ends nothing.
        if (comma != npos && comma > bare && comma < gt)
            comma = text::FindChar(s, ',', gt + 1);
    }

    if (comma != npos) {
        if (quote == npos || quote > comma)
            return AddressCut{comma + 1, false};
        std::size_t close = text::FindChar(s, '"', quote + 1);
        if (close == npos)
            return std::nullopt;
        std::size_t next = text::FindChar(s, ',', close + 1);
        if (next == npos)
            return std::nullopt;
        return AddressCut{next + 1, false};
    }
    if (gt == npos || !EnoughAfter(s, gt))
        return std::nullopt;
    if (quote == npos || quote > gt)
        return AddressCut{gt + 1, true};
    // A quoted display name comes first: the address ends at the first ">" after the
    // closing quote that is followed by a second address (nine characters and an "@").
    std::size_t close = text::FindChar(s, '"', quote + 1);
    if (close == npos)
        return std::nullopt;
    std::size_t end = text::FindChar(s, '>', close + 1);
    if (end == npos)
        return std::nullopt;
    end = ExtendOverComment(s, end);
    if (!EnoughAfter(s, end) || text::FindChar(s, '@', end + 1) == npos)
        return std::nullopt;
    return AddressCut{end + 1, true};
}

std::string BareAddress(std::string_view a) {
    std::string_view s = a;
    const std::string lower = text::ToLowerAscii(s.substr(0, 4));
    if (lower.starts_with("to:") || lower.starts_with("cc:") || lower.starts_with("bcc:")) {
        s.remove_prefix(text::FindChar(s, ':') + 1);
        while (!s.empty() && s[0] == ' ')
            s.remove_prefix(1);
    }
    std::size_t lt = text::FindChar(s, '<');
    if (lt != npos) {
        std::size_t gt = text::FindChar(s, '>', lt + 1);
        return std::string(s.substr(lt + 1, gt == npos ? npos : gt - lt - 1));
    }
    std::size_t b = 0;
    while (b < s.size() && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    std::size_t e = text::FindFirstOf(s, " ,(\t", b);
    return std::string(s.substr(b, e == npos ? npos : e - b));
}

bool SplitNextAddress(std::string& rest, std::string& pending, std::string_view ownAddresses,
                      bool& addressedToMe) {
    std::string s = pending + rest;
    pending.clear();
    auto cut = FindAddressEnd(s);
    bool whole = cut.has_value();
    std::string taken;
    if (whole) {
        taken = s.substr(0, cut->length);
        if (cut->addComma)
            taken += ',';
        rest = s.substr(cut->length);
    } else {
        taken = std::move(s);
        rest.clear();
    }
    pending = Normalise(taken);
    if (text::FindChar(pending, '@') != npos) {
        std::string bare = text::ToLowerAscii(BareAddress(pending));
        if (text::Contains(ownAddresses, bare))
            addressedToMe = true;
    }
    return whole;
}

bool IsSuspiciousAddress(std::string_view a) {
    if (text::FindFirstOf(a, "\\'\"[") != npos)
        return true;
    const bool open = text::FindChar(a, '(') != npos;
    const bool close = text::FindChar(a, ')') != npos;
    if (open != close)
        return true;
    const std::size_t lt = text::FindChar(a, '<');
    if (lt == npos)
        return false;
    // An "@" or "." only inside the angle brackets is fine; one in front of them (or
    // none at all) means a display name the mailer cannot take.
    const std::size_t at = text::FindChar(a, '@');
    const std::size_t dot = text::FindChar(a, '.');
    return at == npos || at < lt || dot == npos || dot < lt;
}

std::string QuoteDisplayName(std::string_view s) {
    std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::string(s);
    std::size_t last = s.find_last_not_of(" \t");
    std::string out(s.substr(0, first));
    out += '"';
    out += s.substr(first, last + 1 - first);
    out += '"';
    out += s.substr(last + 1);
    return out;
}

std::string RepairAddress(std::string_view address) {
    std::string a = text::RemoveChar(address, '\\');
    if (Count(a, '\'') >= 2)
        a = text::RemoveChar(a, '\'');
    const std::size_t lt = text::FindChar(a, '<');
    const std::size_t quote = text::FindChar(a, '"');
    if (quote != npos) {
        std::size_t close = text::FindChar(a, '"', quote + 1);
        if (close == npos || lt == npos || close >= lt)
            return text::RemoveChar(a, '"');
        std::string_view inner = std::string_view(a).substr(quote + 1, close - quote - 1);
        const bool open = text::FindChar(inner, '(') != npos;
        const bool shut = text::FindChar(inner, ')') != npos;
        if (text::FindFirstOf(inner, "@,.") == npos && open == shut)
            return a.substr(0, quote) + std::string(inner) + a.substr(close + 1);
        return a;
    }
    if (lt == npos)
        return a;
    const bool open = text::FindChar(a, '(') != npos;
    const bool shut = text::FindChar(a, ')') != npos;
    const bool bracket = text::FindFirstOf(a, "[]") != npos;
    // One wrap even when both a lone parenthesis and a bracket call for it.
    if (open != shut || bracket)
        return QuoteDisplayName(std::string_view(a).substr(0, lt)) + a.substr(lt);
    return a;
}

std::string RepairAddressList(std::string_view value) {
    std::string out;
    std::string_view rest = value;
    while (!rest.empty()) {
        auto cut = FindAddressEnd(rest);
        if (!cut) {
            out += RepairAddress(rest);
            break;
        }
        std::string_view piece = rest.substr(0, cut->length);
        if (cut->addComma)
            out += RepairAddress(piece) + ",";
        else
            out += RepairAddress(piece);
        rest.remove_prefix(cut->length);
    }
    return out;
}

}  // namespace varnel::mail
