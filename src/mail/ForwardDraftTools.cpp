// Forward-draft tools, on the draft's lines.
#include "mail/ForwardDraftTools.h"

#include "mail/Boundary.h"
#include "mail/DraftHeader.h"
#include "text/Sjis.h"

namespace varnel::mail {

namespace {

using Lines = std::vector<std::string>;

bool IsContinuation(std::string_view p) {
    return !p.empty() && (p.front() == ' ' || p.front() == '\t');
}

void Erase(Lines& lines, std::size_t first, std::size_t count) {
    const auto b = lines.begin() + static_cast<std::ptrdiff_t>(first);
    lines.erase(b, b + static_cast<std::ptrdiff_t>(count));
}

std::string Lower(std::string_view s) {
    return text::ToLowerAscii(s);
}

}  // namespace

void DeleteForwardedHeader(Lines& lines, std::string_view forwardHeader) {
    std::string mimeState;
    for (const std::string& l : lines) {
        if (l.empty())
            break;
        if (Lower(l.substr(0, 13)) == "content-type:" && text::Contains(Lower(l), "multipart/"))
            mimeState = "content-type:mime-version:";
    }
    const std::string kept = ":to:cc:date:from:subject:" + std::string(forwardHeader) + mimeState;
    std::size_t start = 5;
    while (start < lines.size() && !lines[start].starts_with("X-Status:"))
        ++start;
    if (start >= lines.size())
        return;
    Erase(lines, start, 1);
    bool deleting = false;
    for (std::size_t i = start; i < lines.size() && text::CharCount(lines[i]) >= 3;) {
        const std::string& p = lines[i];
        if (IsContinuation(p)) {
            if (deleting)
                Erase(lines, i, 1);
            else
                ++i;
            continue;
        }
        const std::size_t colon = text::FindChar(p, ':');
        deleting = colon != text::npos &&
                   !text::Contains(kept, ":" + Lower(std::string_view(p).substr(0, colon + 1)));
        if (deleting)
            Erase(lines, i, 1);
        else
            ++i;
    }
    StripAddressBackslashes(lines, start);
}

void DeleteHtmlPart(Lines& lines) {
    std::size_t ct = 0;
    while (ct < lines.size() &&
           !Lower(lines[ct]).starts_with("content-type: multipart/alternative;"))
        ++ct;
    if (ct >= lines.size())
        return;
    std::string boundary = ExtractBoundary(lines[ct]);
    if (boundary.empty() && ct + 1 < lines.size())
        boundary = ExtractBoundary(lines[ct + 1]);
    if (boundary.empty())
        return;
    const std::string b = "--" + boundary;
    std::size_t first = ct + 1;
    while (first < lines.size() && lines[first] != b)
        ++first;
    std::size_t second = first + 1;
    while (second < lines.size() && lines[second] != b)
        ++second;
    std::size_t closing = second + 1;
    while (closing < lines.size() && !lines[closing].starts_with(b + "--"))
        ++closing;
    if (closing >= lines.size())
        return;
    // The Content-Type field goes with its continuation lines; the header fields after
    // it stay (in a forwarded header they are the forwarded mail's own). The header's
    // end, the preamble and the first boundary line go, so the first alternative's own
    // fields join the header and its empty line ends it.
    std::size_t ctEnd = ct + 1;
    while (ctEnd < first && IsContinuation(lines[ctEnd]))
        ++ctEnd;
    std::size_t headerEnd = ctEnd;
    while (headerEnd < first && !lines[headerEnd].empty() && !lines[headerEnd].starts_with("--"))
        ++headerEnd;
    Erase(lines, second, closing - second + 1);
    Erase(lines, headerEnd, first - headerEnd + 1);
    Erase(lines, ct, ctEnd - ct);
}

namespace {

// The flattening on a copy: false, with the copy half changed, when the structure is
// not all there.
bool Flatten(Lines& lines, std::string_view forwardHeader) {
    // The draft's own boundary and the line that declares it.
    std::size_t d = 0;
    std::string outer;
    for (; d < lines.size() && !lines[d].empty() && !lines[d].starts_with("--"); ++d) {
        outer = ExtractBoundary(lines[d]);
        if (!outer.empty())
            break;
    }
    if (outer.empty())
        return false;
    std::size_t f = d + 1;
    while (f < lines.size() && !text::Contains(lines[f], outer))
        ++f;
    if (f >= lines.size())
        return false;
    // Walk to the forwarded mail's own boundary.
    const bool keepMime = text::Contains(forwardHeader, "mime-version:");
    const bool keepType = text::Contains(forwardHeader, "content-type:");
    std::size_t r = text::npos, c = text::npos, i = f + 1;
    std::string inner;
    while (i < lines.size() && inner.empty()) {
        const std::string lower = Lower(lines[i]);
        if (lower.starts_with("mime-version:") && !keepMime) {
            Erase(lines, i, 1);
            continue;
        }
        if (text::Contains(lines[i], outer))
            r = i;
        if (lower.starts_with("content-type:"))
            c = i;
        if (text::Contains(lower, "boundary=")) {
            inner = ExtractBoundary(lines[i]);
            if (inner.empty() && i + 1 < lines.size())
                inner = ExtractBoundary("boundary=" + lines[i + 1]), ++i;
        }
        if (!inner.empty() && c != text::npos && !keepType) {
            Erase(lines, c, i - c + 1);
            i = c;
            break;
        }
        ++i;
    }
    if (inner.empty())
        return false;
    std::size_t x = i;
    while (x < lines.size() && !text::Contains(lines[x], inner))
        ++x;
    std::size_t e = x;
    while (e < lines.size() && !lines[e].empty())
        ++e;
    if (e >= lines.size())
        return false;
    // The first part's header, its boundary line and the preamble, then the forwarded
    // header; the empty line ending the message/rfc822 part header stays.
    std::size_t j = e;
    Erase(lines, j, 1);
    while (j > 0 && !lines[j - 1].empty())
        Erase(lines, --j, 1);
    if (j > 0)
        Erase(lines, --j, 1);
    while (j > 0 && !lines[j - 1].empty())
        Erase(lines, --j, 1);
    // The outer boundary line before the message/rfc822 part, its Content-Type and empty
    // line go, so the forwarded text follows the new text. When the new text stands before
    // that boundary line (no part of its own), the line itself becomes the first inner
    // boundary, with the empty line as the empty header of the forwarded text.
    if (r != text::npos && r != f && r + 2 < lines.size())
        Erase(lines, r, 3);
    else if (f + 1 < lines.size() && Lower(lines[f + 1]).starts_with("content-type:"))
        Erase(lines, f + 1, 1);
    lines[f] = "--" + inner;
    const std::size_t at = text::FindNoCase(lines[d], "boundary=");
    lines[d] = lines[d].substr(0, at + 9) + "\"" + inner + "\"";
    return true;
}

}  // namespace

void SimplifyMultipart(Lines& lines, std::string_view forwardHeader) {
    // Every change waits until the whole structure has been found.
    Lines work = lines;
    if (Flatten(work, forwardHeader))
        lines = std::move(work);
}

}  // namespace varnel::mail
