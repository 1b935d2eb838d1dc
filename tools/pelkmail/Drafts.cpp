// Reply and forward drafts.
#include "Drafts.h"

#include <vector>

#include "text/Sjis.h"

namespace pelkmail {

using namespace varnel;

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kSeparator = "--------";

std::vector<std::string_view> Lines(std::string_view s) {
    std::vector<std::string_view> lines;
    while (!s.empty()) {
        const std::size_t nl = s.find('\n');
        std::string_view line = s.substr(0, nl);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos)
            break;
        s.remove_prefix(nl + 1);
    }
    return lines;
}

// Index of the line that ends the header: the first empty one or one starting "-".
std::size_t HeaderEnd(const std::vector<std::string_view>& lines) {
    std::size_t i = 0;
    while (i < lines.size() && !lines[i].empty() && lines[i].front() != '-')
        ++i;
    return i;
}

std::string WithPrefix(std::string_view prefix, std::string_view subject) {
    if (text::StartsWithNoCase(subject, prefix))
        return std::string(subject);
    return std::string(prefix) + std::string(subject);
}

}  // namespace

std::string HeaderValue(std::string_view mail, std::string_view name) {
    const auto lines = Lines(mail);
    const std::size_t end = HeaderEnd(lines);
    const std::string key = std::string(name) + ":";
    for (std::size_t i = 0; i < end; ++i) {
        if (!text::StartsWithNoCase(lines[i], key))
            continue;
        std::string value(lines[i].substr(key.size()));
        for (std::size_t j = i + 1;
             j < end && (lines[j].front() == ' ' || lines[j].front() == '\t'); ++j)
            value += std::string(lines[j]);
        const auto b = value.find_first_not_of(" \t");
        return b == std::string::npos ? "" : value.substr(b);
    }
    return "";
}

std::string ReplyDraft(std::string_view original) {
    std::string to = HeaderValue(original, "Reply-To");
    if (to.empty())
        to = HeaderValue(original, "From");
    const std::string id = HeaderValue(original, "Message-ID");
    std::string d;
    auto add = [&](std::string_view line) {
        d += line;
        d += kCrLf;
    };
    add("To: " + to);
    add("Subject: " + WithPrefix("Re: ", HeaderValue(original, "Subject")));
    if (!id.empty()) {
        add("In-Reply-To: " + id);
        add("References: " + id);
    }
    add(kSeparator);
    add("");
    const auto lines = Lines(original);
    for (std::size_t i = HeaderEnd(lines); i < lines.size(); ++i) {
        if (i == HeaderEnd(lines) && lines[i].empty())
            continue;  // the blank line that ends the header
        add("> " + std::string(lines[i]));
    }
    return d;
}

std::string ForwardDraft(std::string_view original, std::string_view boundary) {
    std::string d;
    auto add = [&](std::string_view line) {
        d += line;
        d += kCrLf;
    };
    add("X-Forward: rfc822");
    add("To: ");
    add("Subject: " + WithPrefix("Fw: ", HeaderValue(original, "Subject")));
    add("MIME-Version: 1.0");
    add("Content-Type: multipart/mixed; boundary=\"" + std::string(boundary) + "\"");
    add(kSeparator);
    add("");
    add("");
    add("--" + std::string(boundary));
    add("Content-Type: message/rfc822");
    add("");
    const auto lines = Lines(original);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 && lines[i].starts_with("X-Status: "))
            continue;  // the mailer's own mark stays home
        if (i + 1 == lines.size() && lines[i].empty())
            continue;
        add(lines[i]);
    }
    add("--" + std::string(boundary) + "--");
    return d;
}

}  // namespace pelkmail
