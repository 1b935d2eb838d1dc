// Date-time formatting for the "#DATETIME" macro.
#include "mail/DateTimeMacro.h"

#include <cstdio>

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

using namespace std::chrono;

std::string Num(int v, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, v);
    return buf;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Length of the run of letter c (any case) at pos.
std::size_t RunOf(std::string_view f, std::size_t pos, char c) {
    std::size_t n = 0;
    while (pos + n < f.size() && Lower(f[pos + n]) == c)
        ++n;
    return n;
}

bool StartsNoCase(std::string_view f, std::size_t pos, std::string_view word) {
    return text::StartsWithNoCase(f.substr(pos), word);
}

// "am/pm", "a/p" or "ampm" outside quoted text: the hours of this format count 1 to 12.
bool HasHalfDayMark(std::string_view f) {
    for (std::size_t i = 0; i < f.size(); i += text::CharLengthAt(f, i)) {
        if (f[i] == '"' || f[i] == '\'') {
            const std::size_t close = f.find(f[i], i + 1);
            if (close == std::string_view::npos)
                return false;
            i = close;
        } else if (StartsNoCase(f, i, "am/pm") || StartsNoCase(f, i, "a/p") ||
                   StartsNoCase(f, i, "ampm")) {
            return true;
        }
    }
    return false;
}

class Formatter {
  public:
    Formatter(const LocalDateTime& t, const DateTimeLocale& l) : t_(t), l_(l) {}

    std::string Run(std::string_view f, int depth = 0) {
        std::string out;
        bool afterHour = false;
        const int hour = HasHalfDayMark(f) ? (t_.hour + 11) % 12 + 1 : t_.hour;
        for (std::size_t i = 0; i < f.size();) {
            if (text::IsDoubleByteAt(f, i)) {
                out += f.substr(i, 2);
                i += 2;
                continue;
            }
            const char c = Lower(f[i]);
            if (f[i] == '"' || f[i] == '\'') {
                std::size_t close = f.find(f[i], i + 1);
                std::size_t end = close == std::string_view::npos ? f.size() : close;
                out += f.substr(i + 1, end - i - 1);
                i = end == f.size() ? end : end + 1;
                continue;
            }
            if (StartsNoCase(f, i, "am/pm") || StartsNoCase(f, i, "a/p")) {
                const bool full = StartsNoCase(f, i, "am/pm");
                const bool pm = t_.hour >= 12;
                std::string s = full ? (pm ? "pm" : "am") : (pm ? "p" : "a");
                if (f[i] == 'A')
                    s = text::ToUpperAscii(s);
                out += s;
                i += full ? 5 : 3;
                continue;
            }
            if (StartsNoCase(f, i, "ampm")) {
                out += t_.hour >= 12 ? "PM" : "AM";
                i += 4;
                continue;
            }
            std::size_t n = 1;
            switch (c) {
                case 'c':
                    if (depth < 2)
                        out += Run(l_.shortDateFormat, depth + 1) + " " +
                               Run(l_.longTimeFormat, depth + 1);
                    break;
                case 'd':
                    n = RunOf(f, i, 'd');
                    out += Day(n, depth);
                    break;
                case 'm':
                    n = std::min<std::size_t>(RunOf(f, i, 'm'), 4);
                    if (afterHour && n <= 2)
                        out += n == 2 ? Num(t_.minute, 2) : std::to_string(t_.minute);
                    else
                        out += Month(n);
                    break;
                case 'y':
                    n = RunOf(f, i, 'y');
                    out += n <= 2 ? Num(static_cast<int>(t_.date.year()) % 100, 2)
                                  : Num(static_cast<int>(t_.date.year()), 4);
                    break;
                case 'h':
                    n = std::min<std::size_t>(RunOf(f, i, 'h'), 2);
                    out += n == 2 ? Num(hour, 2) : std::to_string(hour);
                    break;
                case 'n':
                    n = std::min<std::size_t>(RunOf(f, i, 'n'), 2);
                    out += n == 2 ? Num(t_.minute, 2) : std::to_string(t_.minute);
                    break;
                case 's':
                    n = std::min<std::size_t>(RunOf(f, i, 's'), 2);
                    out += n == 2 ? Num(t_.second, 2) : std::to_string(t_.second);
                    break;
                case 'z':
                    n = RunOf(f, i, 'z') >= 3 ? 3 : 1;
                    out += n == 3 ? Num(t_.millisecond, 3) : std::to_string(t_.millisecond);
                    break;
                case 't':
                    n = std::min<std::size_t>(RunOf(f, i, 't'), 2);
                    if (depth < 2)
                        out += Run(n == 2 ? l_.longTimeFormat : l_.shortTimeFormat, depth + 1);
                    break;
                case '/':
                    out += l_.dateSeparator;
                    break;
                case ':':
                    out += l_.timeSeparator;
                    break;
                default:
                    out += f[i];
                    break;
            }
            // "hh:mm" shows minutes: separators between do not end the hour token.
            if (c >= 'a' && c <= 'z')
                afterHour = c == 'h';
            i += n;
        }
        return out;
    }

  private:
    std::string Day(std::size_t n, int depth) {
        const unsigned wd = t_.weekday.c_encoding();
        switch (n) {
            case 1:
                return std::to_string(static_cast<unsigned>(t_.date.day()));
            case 2:
                return Num(static_cast<int>(static_cast<unsigned>(t_.date.day())), 2);
            case 3:
                return l_.shortDayNames[wd];
            case 4:
                return l_.longDayNames[wd];
            case 5:
                return depth < 2 ? Run(l_.shortDateFormat, depth + 1) : std::string();
            default:
                return depth < 2 ? Run(l_.longDateFormat, depth + 1) : std::string();
        }
    }

    std::string Month(std::size_t n) {
        const unsigned m = static_cast<unsigned>(t_.date.month());
        switch (n) {
            case 1:
                return std::to_string(m);
            case 2:
                return Num(static_cast<int>(m), 2);
            case 3:
                return l_.shortMonthNames[m - 1];
            default:
                return l_.longMonthNames[m - 1];
        }
    }

    const LocalDateTime& t_;
    const DateTimeLocale& l_;
};

}  // namespace

DateTimeLocale JapaneseDateTimeLocale() {
    DateTimeLocale l;
    // 日 月 火 水 木 金 土, and the same with 曜日.
    l.shortDayNames = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                       "\x96\xD8", "\x8B\xE0", "\x93\x79"};
    for (std::size_t i = 0; i < 7; ++i)
        l.longDayNames[i] = l.shortDayNames[i] + "\x97\x6A\x93\xFA";
    l.longDateFormat = "yyyy'\x94\x4E'm'\x8C\x8E'd'\x93\xFA'";  // yyyy年m月d日
    return l;
}

LocalDateTime LocalNow(const platform::Clock& clock) {
    const auto now = clock.Now();
    const auto local = now + minutes{clock.UtcOffsetMinutes(now)};
    const auto day = floor<days>(local);
    const auto ms = duration_cast<milliseconds>(local - day).count();
    LocalDateTime t{year_month_day{day}, weekday{day}};
    t.hour = static_cast<int>(ms / 3'600'000);
    t.minute = static_cast<int>(ms / 60'000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

std::string FormatDateTime(std::string_view format, const LocalDateTime& t,
                           const DateTimeLocale& locale) {
    return Formatter(t, locale).Run(format);
}

std::optional<MacroEdit> FindDateTimeMacro(const std::vector<std::string>& lines,
                                           const platform::Clock& clock,
                                           const DateTimeLocale& locale) {
    static constexpr std::string_view kMacro = "#DATETIME";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::size_t p = text::Find(line, kMacro);
        if (p == text::npos)
            continue;
        MacroEdit e{i, p, kMacro.size(), {}};
        std::string format = "yyyy/mm/dd (ddd) hh:nn";
        const std::size_t after = p + kMacro.size();
        if (after < line.size() && line[after] == '#') {
            std::size_t close = text::FindChar(line, '#', after + 1);
            if (close == text::npos) {
                format = "c";
            } else {
                format = line.substr(after + 1, close - after - 1);
                e.length = close + 1 - p;
            }
        }
        e.text = FormatDateTime(format, LocalNow(clock), locale);
        return e;
    }
    return std::nullopt;
}

bool ExpandDateTimeMacro(std::vector<std::string>& lines, const platform::Clock& clock,
                         const DateTimeLocale& locale) {
    auto e = FindDateTimeMacro(lines, clock, locale);
    if (!e)
        return false;
    lines[e->line].replace(e->pos, e->length, e->text);
    return true;
}

}  // namespace varnel::mail
