// Address splitting, checking and repair. Every search is double-byte aware: a trail
// byte 0x5C (in ソ, 表, 十) is never a backslash.
#include "mail/Addresses.h"

#include <array>

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

using text::npos;

// Finds where successive addresses of one field end. Each separator's next position is
// remembered with the place the search started, so taking all addresses off a long
// field reads every byte a bounded number of times instead of once per address.
class AddressCutter {
  public:
    explicit AddressCutter(std::string_view s) : s_(s) {}

    // The end of the address that starts at from (a character boundary).
    std::optional<AddressCut> Next(std::size_t from) {
        const std::size_t quote = NextOf('"', from);
        std::size_t comma = NextOf(',', from);
        std::size_t gt = NextOf('>', from);
        if (gt != npos) {
            const std::size_t bare = gt;
            gt = ExtendOverComment(gt);
            // A comma inside the trailing comment ("<t@x.jp> (Sales, Tokyo)") ends nothing.
            if (comma != npos && comma > bare && comma < gt)
                comma = NextOf(',', gt + 1);
        }
        if (comma != npos) {
            if (quote == npos || quote > comma)
                return AddressCut{comma + 1 - from, false};
            const std::size_t close = NextOf('"', quote + 1);
            if (close == npos)
                return std::nullopt;
            const std::size_t next = NextOf(',', close + 1);
            if (next == npos)
                return std::nullopt;
            return AddressCut{next + 1 - from, false};
        }
        if (gt == npos || !EnoughAfter(gt))
            return std::nullopt;
        if (quote == npos || quote > gt)
            return AddressCut{gt + 1 - from, true};
        // A quoted display name comes first: the address ends at the first ">" after the
        // closing quote that is followed by a second address (nine characters and an "@").
        const std::size_t close = NextOf('"', quote + 1);
        if (close == npos)
            return std::nullopt;
        std::size_t end = NextOf('>', close + 1);
        if (end == npos)
            return std::nullopt;
        end = ExtendOverComment(end);
        if (!EnoughAfter(end) || NextOf('@', end + 1) == npos)
            return std::nullopt;
        return AddressCut{end + 1 - from, true};
    }

  private:
    struct Seen {
        std::size_t from = npos;  // where the search started
        std::size_t at = npos;    // what it found (npos: none up to the end)
    };

    std::size_t NextOf(char c, std::size_t from) {
        static constexpr std::string_view kChars = "\",>)@";
        Seen& seen = seen_[kChars.find(c)];
        // Nothing stands between seen.from and seen.at, so an answer found from an earlier
        // start holds for every later start up to it.
        if (seen.from != npos && from >= seen.from && (seen.at == npos || from <= seen.at))
            return seen.at;
        seen = {from, text::FindChar(s_, c, from)};
        return seen.at;
    }

    // The ">" of an address, moved onto the ")" of a comment that follows it.
    std::size_t ExtendOverComment(std::size_t gt) {
        std::size_t k = gt + 1;
        while (k < s_.size() && (s_[k] == ' ' || s_[k] == '\t'))
            ++k;
        if (k < s_.size() && s_[k] == '(') {
            const std::size_t close = NextOf(')', k);
            if (close != npos)
                return close;
        }
        return gt;
    }

    // A second address follows: at least nine characters after the ">".
    bool EnoughAfter(std::size_t gt) const { return s_.size() - (gt + 1) >= 9; }

    std::string_view s_;
    std::array<Seen, 5> seen_;
};

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
    return AddressCutter(s).Next(0);
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

namespace {

// The taken or unfinished address as the display shows it; notes an own address.
std::string TakeAddress(std::string_view taken, std::string_view ownAddresses,
                        bool& addressedToMe) {
    std::string a = Normalise(taken);
    if (text::FindChar(a, '@') != npos) {
        const std::string bare = text::ToLowerAscii(BareAddress(a));
        if (text::Contains(ownAddresses, bare))
            addressedToMe = true;
    }
    return a;
}

}  // namespace

bool SplitNextAddress(std::string& rest, std::string& pending, std::string_view ownAddresses,
                      bool& addressedToMe) {
    std::string s = pending + rest;
    pending.clear();
    const auto cut = FindAddressEnd(s);
    std::string taken;
    if (cut) {
        taken = s.substr(0, cut->length);
        if (cut->addComma)
            taken += ',';
        rest = s.substr(cut->length);
    } else {
        taken = std::move(s);
        rest.clear();
    }
    pending = TakeAddress(taken, ownAddresses, addressedToMe);
    return cut.has_value();
}

void SplitAddresses(std::string_view rest, std::string& pending, std::string_view ownAddresses,
                    bool& addressedToMe, const std::function<void(const std::string&)>& take) {
    const std::string s = pending + std::string(rest);
    pending.clear();
    AddressCutter cutter(s);
    std::string_view prefix;  // the TAB that starts every address after the first
    for (std::size_t from = 0;;) {
        const auto cut = cutter.Next(from);
        std::string taken(prefix);
        taken += std::string_view(s).substr(from, cut ? cut->length : npos);
        if (cut && cut->addComma)
            taken += ',';
        pending = TakeAddress(taken, ownAddresses, addressedToMe);
        if (!cut)
            return;
        take(pending);
        from += cut->length;
        prefix = "\t";
    }
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
    // Quoted names that need no quotes lose them; an unclosed quote, or one that runs
    // into the address, takes every quote with it. A pair that must stay ends the work.
    const std::size_t lt = text::FindChar(a, '<');
    std::string out;
    for (std::size_t pos = 0;;) {
        const std::size_t quote = text::FindChar(a, '"', pos);
        if (quote == npos) {
            out.append(a, pos);
            break;
        }
        const std::size_t close = text::FindChar(a, '"', quote + 1);
        if (close == npos || lt == npos || close >= lt) {
            out = text::RemoveChar(out + a.substr(pos), '"');
            break;
        }
        const std::string_view inner = std::string_view(a).substr(quote + 1, close - quote - 1);
        const bool open = text::FindChar(inner, '(') != npos;
        const bool shut = text::FindChar(inner, ')') != npos;
        if (text::FindFirstOf(inner, "@,.") != npos || open != shut)
            return out + a.substr(pos);
        out.append(a, pos, quote - pos);
        out += inner;
        pos = close + 1;
    }
    a = std::move(out);
    // Without quotes: a lone parenthesis or a bracket calls for a quoted display name.
    // Quotes dropped above come back here when the name needs them, so a repaired
    // address repairs to itself ("a<)" and "\"a\"<)" both give "\"a\"<)").
    if (lt == npos)
        return a;
    const std::size_t at = text::FindChar(a, '<');
    const bool open = text::FindChar(a, '(') != npos;
    const bool shut = text::FindChar(a, ')') != npos;
    const bool bracket = text::FindFirstOf(a, "[]") != npos;
    // One wrap even when both a lone parenthesis and a bracket call for it.
    if (open != shut || bracket)
        return QuoteDisplayName(std::string_view(a).substr(0, at)) + a.substr(at);
    return a;
}

namespace {

std::string RepairAddressListOnce(std::string_view value) {
    std::string out;
    AddressCutter cutter(value);
    for (std::size_t from = 0; from < value.size();) {
        const auto cut = cutter.Next(from);
        if (!cut) {
            out += RepairAddress(value.substr(from));
            break;
        }
        out += RepairAddress(value.substr(from, cut->length));
        if (cut->addComma)
            out += ',';
        from += cut->length;
    }
    return out;
}

}  // namespace

std::string RepairAddressList(std::string_view value) {
    // A repair can change how the field splits (dropped quotes, an added comma), so it
    // runs until the text stays as it is: the file the status update writes must come
    // back unchanged from the next open. Text that will not settle is left alone.
    std::string current(value);
    for (int round = 0; round < 8; ++round) {
        std::string next = RepairAddressListOnce(current);
        if (next == current)
            return current;
        current = std::move(next);
    }
    return std::string(value);
}

}  // namespace varnel::mail
