// Date field parser: strict field order, any failure gives no date.
#include "mail/MailDate.h"

#include <array>
#include <charconv>

namespace varnel::mail {

namespace {

using namespace std::chrono;

void SkipBlanks(std::string_view& s) {
    while (!s.empty() && (s[0] == ' ' || s[0] == '\t'))
        s.remove_prefix(1);
}

// Digits up to the separator sep (the separator is consumed). nullopt when the
// separator is missing or the digits do not convert.
std::optional<int> NumberBefore(std::string_view& s, char sep) {
    std::size_t end = s.find(sep);
    if (end == std::string_view::npos || end == 0)
        return std::nullopt;
    int v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + end, v);
    if (ec != std::errc() || p != s.data() + end)
        return std::nullopt;
    s.remove_prefix(end + 1);
    return v;
}

std::optional<int> NumberOf(std::string_view s) {
    if (!s.empty() && s[0] == '+')
        s.remove_prefix(1);
    int v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size())
        return std::nullopt;
    return v;
}

struct NamedZone {
    std::string_view name;
    int hours;
};
constexpr std::array<NamedZone, 11> kZones{{{"UTC", 0},
                                            {"GMT", 0},
                                            {"JST", 9},
                                            {"EDT", -4},
                                            {"EST", -5},
                                            {"CDT", -5},
                                            {"CST", -6},
                                            {"MDT", -6},
                                            {"MST", -7},
                                            {"PDT", -7},
                                            {"PST", -8}}};

// Offset of the zone from UTC in minutes.
std::optional<int> ZoneMinutes(std::string_view zone) {
    for (const auto& z : kZones) {
        if (zone.starts_with(z.name))
            return z.hours * 60;
    }
    // A zone may be followed by a comment, with or without a blank or TAB before it:
    // "+0900 (JST)", "+0900(JST)", "+0900\t(JST)".
    const auto endsToken = [&](std::size_t n) {
        return zone.size() == n || zone[n] == ' ' || zone[n] == '\t' || zone[n] == '(';
    };
    if (zone.starts_with("UT") && endsToken(2))
        return 0;
    // Numeric: sign and four digits.
    if (zone.size() < 5 || !endsToken(5))
        return std::nullopt;
    std::string_view num = zone.substr(0, 5);
    if (num[0] != '+' && num[0] != '-')
        return std::nullopt;
    auto hh = NumberOf(num.substr(1, 2));
    auto mm = NumberOf(num.substr(3, 2));
    if (!hh || !mm || *hh > 23 || *mm > 59 || num[1] == '+' || num[3] == '+')
        return std::nullopt;
    int minutes = *hh * 60 + *mm;
    return num[0] == '-' ? -minutes : minutes;
}

}  // namespace

std::optional<MailTime> ParseMailDate(std::string_view s) {
    // The day name and its comma, when present, stand before the first digit.
    std::size_t comma = s.find(',');
    std::size_t digit = s.find_first_of("0123456789");
    if (comma != std::string_view::npos && (digit == std::string_view::npos || comma < digit))
        s.remove_prefix(comma + 1);
    SkipBlanks(s);

    auto day = NumberBefore(s, ' ');
    if (!day)
        return std::nullopt;
    SkipBlanks(s);
    static constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    if (s.size() < 4 || s[3] != ' ')
        return std::nullopt;
    std::size_t m = kMonths.find(s.substr(0, 3));
    if (m == std::string_view::npos || m % 3 != 0)
        return std::nullopt;
    s.remove_prefix(4);
    SkipBlanks(s);
    auto year = NumberBefore(s, ' ');
    if (!year || *year < 0)
        return std::nullopt;
    if (*year < 80)
        *year += 2000;
    else if (*year < 1900)
        *year += 1900;
    SkipBlanks(s);
    auto hours = NumberBefore(s, ':');
    auto minutes = hours ? NumberBefore(s, ':') : std::nullopt;
    auto seconds = minutes ? NumberBefore(s, ' ') : std::nullopt;
    if (!seconds || *hours < 0 || *hours > 23 || *minutes < 0 || *minutes > 59 || *seconds < 0 ||
        *seconds > 59)
        return std::nullopt;

    const year_month_day ymd{std::chrono::year{*year},
                             std::chrono::month{static_cast<unsigned>(m / 3 + 1)},
                             std::chrono::day{static_cast<unsigned>(*day)}};
    if (*day < 1 || !ymd.ok())
        return std::nullopt;
    SkipBlanks(s);
    auto zone = ZoneMinutes(s);
    if (!zone)
        return std::nullopt;
    MailTime t = sys_days{ymd} + std::chrono::hours{*hours} + std::chrono::minutes{*minutes} +
                 std::chrono::seconds{*seconds};
    return t - std::chrono::minutes{*zone};
}

bool DatesDisagree(MailTime sent, MailTime received, int minutesToCorrect) {
    if (minutesToCorrect <= 0)
        return false;
    auto apart = sent > received ? sent - received : received - sent;
    return apart > std::chrono::minutes{minutesToCorrect};
}

}  // namespace varnel::mail
