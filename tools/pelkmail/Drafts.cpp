// Reply and forward drafts.
#include "Drafts.h"

#include <vector>

#include "mail/Boundary.h"
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

// The lines of the mail's first text part: the whole body of a single-part mail; of a
// multipart mail the text of its first part without a non-text Content-Type, without
// the preamble, the boundary lines and the part's header.
std::vector<std::string_view> TextPartLines(std::string_view mail) {
    const auto lines = Lines(mail);
    std::size_t i = HeaderEnd(lines);
    if (i < lines.size() && lines[i].empty())
        ++i;  // the blank line that ends the header
    const std::string type = HeaderValue(mail, "Content-Type");
    const std::string boundary = text::Contains(text::ToLowerAscii(type), "multipart/")
                                     ? mail::ExtractBoundary(type)
                                     : std::string();
    if (boundary.empty())
        return {lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end()};
    const std::string b = "--" + boundary;
    while (i < lines.size()) {
        while (i < lines.size() && lines[i] != b)
            ++i;
        if (i >= lines.size())
            break;
        bool textPart = true;
        for (++i; i < lines.size() && !lines[i].empty(); ++i) {
            const std::string l = text::ToLowerAscii(lines[i]);
            if (l.starts_with("content-type:") && !text::Contains(l, "text/plain"))
                textPart = false;
        }
        if (i < lines.size())
            ++i;
        if (!textPart)
            continue;
        const std::size_t start = i;
        while (i < lines.size() && !lines[i].starts_with(b))
            ++i;
        std::size_t end = i;
        while (end > start && lines[end - 1].empty())
            --end;
        return {lines.begin() + static_cast<std::ptrdiff_t>(start),
                lines.begin() + static_cast<std::ptrdiff_t>(end)};
    }
    return {};
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

std::string ReplyDraft(std::string_view original, std::string_view replyTemplate) {
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
    if (!replyTemplate.empty())
        add(replyTemplate);
    add("");
    auto quoted = TextPartLines(original);
    if (!quoted.empty() && quoted.back().empty())
        quoted.pop_back();
    for (std::string_view line : quoted)
        add("> " + std::string(line));
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
    // The new text goes before the first boundary; the forwarded mail, status line and
    // attachments included, follows as stored.
    add("");
    add("");
    add("--" + std::string(boundary));
    add("Content-Type: message/rfc822");
    add("");
    d += original;
    if (!original.empty() && !original.ends_with('\n'))
        d += kCrLf;
    add("--" + std::string(boundary) + "--");
    return d;
}

}  // namespace pelkmail
