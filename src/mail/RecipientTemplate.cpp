// The recipient template.
#include "mail/RecipientTemplate.h"

#include <charconv>
#include <optional>

#include "text/Sjis.h"

namespace varnel::mail {

namespace {

constexpr std::size_t kMaxEntries = 501;
constexpr std::size_t kMaxValue = 255;
constexpr std::size_t kRecipientsWindow = 8;
constexpr std::size_t kGreetingWindow = 15;
constexpr std::string_view kSeparator = "--------";
constexpr std::string_view kRecipients = "%recipients%";
constexpr std::string_view kCcMark = "\x81\x69\x8e\xca\x81\x6a";  // （写）

bool IsContinuation(std::string_view p) {
    return !p.empty() && (p.front() == ' ' || p.front() == '\t');
}

// The address of a header paragraph: between "<" and ">", or the text after the field
// name and the leading blanks up to the first ",".
std::string BareOf(std::string_view p) {
    const std::size_t lt = text::FindChar(p, '<');
    if (lt != text::npos) {
        const std::size_t gt = text::FindChar(p, '>', lt + 1);
        return std::string(p.substr(lt + 1, gt == text::npos ? text::npos : gt - lt - 1));
    }
    if (!IsContinuation(p)) {
        const std::size_t colon = text::FindChar(p, ':');
        if (colon != text::npos)
            p.remove_prefix(colon + 1);
    }
    while (!p.empty() && (p.front() == ' ' || p.front() == '\t'))
        p.remove_prefix(1);
    const std::size_t comma = text::FindChar(p, ',');
    return std::string(text::TrimBlanks(p.substr(0, comma)));
}

const std::string* Lookup(const RecipientTable& t, std::string_view key) {
    const auto it = t.find(key);
    return it == t.end() ? nullptr : &it->second;
}

// The recipients' lines, in header order.
std::vector<std::string> NameLines(const std::vector<std::string>& lines, std::size_t separator,
                                   const RecipientTable& table) {
    std::vector<std::string> names;
    bool inList = false, inCc = false, orgFound = false;
    std::optional<std::string> previousDomain;
    for (std::size_t i = 0; i < separator; ++i) {
        const std::string& p = lines[i];
        const std::string lower = text::ToLowerAscii(p.substr(0, 3));
        if (lower.starts_with("to:")) {
            inList = true;
            inCc = false;
        } else if (inList && lower.starts_with("cc:")) {
            inCc = true;
        } else if (!(inList && IsContinuation(p))) {
            inList = false;
            continue;
        }
        const std::string bare = BareOf(p);
        if (bare.empty())
            continue;
        const std::size_t at = text::FindChar(bare, '@');
        const std::string domain = at == text::npos ? std::string() : bare.substr(at);
        if (domain != previousDomain) {
            previousDomain = domain;
            orgFound = false;
            if (const std::string* org = domain.empty() ? nullptr : Lookup(table, domain)) {
                names.push_back(*org);
                orgFound = true;
            }
        }
        if (const std::string* name = Lookup(table, bare))
            names.push_back((inCc ? std::string(kCcMark) : orgFound ? "  " : "") + *name);
    }
    return names;
}

void FillGreeting(std::vector<std::string>& lines, std::size_t from, const TemplateInputs& in) {
    const std::size_t end = std::min(lines.size(), from + kGreetingWindow);
    for (std::size_t i = from; i < end; ++i) {
        for (std::size_t g = 0; g < 3; ++g) {
            const std::string macro = "%greeting" + std::to_string(g + 1) + "%";
            const std::size_t at = text::Find(lines[i], macro);
            if (at == text::npos)
                continue;
            const std::string text = GreetingAt(in.greetings[g], in.hhmm);
            if (!text.empty())
                lines[i].replace(at, macro.size(), text);
            return;
        }
    }
}

}  // namespace

RecipientTable ParseRecipientTable(std::string_view bytes) {
    RecipientTable t;
    while (!bytes.empty() && t.size() < kMaxEntries) {
        const std::size_t nl = bytes.find('\n');
        std::string_view line = bytes.substr(0, nl);
        bytes = nl == std::string_view::npos ? std::string_view() : bytes.substr(nl + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::size_t comma = text::FindChar(line, ',');
        if (comma == text::npos || comma == 0)
            continue;
        std::string_view value = line.substr(comma + 1);
        if (value.size() > kMaxValue)
            value = value.substr(0, text::SnapToCharStart(value, kMaxValue));
        t.emplace(std::string(line.substr(0, comma)), std::string(value));
    }
    return t;
}

std::string GreetingAt(std::string_view setting, int hhmm) {
    while (!setting.empty()) {
        const std::size_t slash = setting.find('/');
        if (slash == std::string_view::npos)
            return {};
        const std::string_view time = text::TrimBlanks(setting.substr(0, slash));
        setting.remove_prefix(slash + 1);
        const std::size_t end = setting.find('/');
        const std::string_view greeting = setting.substr(0, end);
        setting = end == std::string_view::npos ? std::string_view() : setting.substr(end + 1);
        int t = 0;
        const auto [p, ec] = std::from_chars(time.data(), time.data() + time.size(), t);
        if (ec == std::errc() && p == time.data() + time.size() && t > hhmm)
            return std::string(greeting);
    }
    return {};
}

void ApplyRecipientTemplate(std::vector<std::string>& lines, const TemplateInputs& in) {
    std::size_t separator = 0;
    while (separator < lines.size() && lines[separator] != kSeparator)
        ++separator;
    if (separator == lines.size())
        return;
    std::size_t from = separator + 1;
    for (std::size_t i = separator + 1; i <= separator + kRecipientsWindow && i < lines.size();
         ++i) {
        if (lines[i] != kRecipients)
            continue;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        std::vector<std::string> names;
        if (in.table)
            names = NameLines(lines, separator, *in.table);
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), names.begin(), names.end());
        from = i + names.size();
        break;
    }
    FillGreeting(lines, from, in);
}

}  // namespace varnel::mail
