// Word wrap and tab expansion.
#include "editor/WrapEngine.h"

#include <algorithm>

#include "editor/LineString.h"

namespace varnel::editor {

int WrapEngine::CellWidth() const {
    return std::max(1, metrics_.AverageCharWidth());
}

int WrapEngine::WrapWidth() const {
    const int cell = CellWidth();
    int w = cell * std::max(10, settings.column);
    if (settings.autoWrap)
        w = std::min(w, settings.textAreaWidth);
    // A window narrower than ten cells still gets lines of ten cells.
    return std::max(w, 10 * cell);
}

std::string WrapEngine::ExpandTabs(std::string_view text) const {
    const int stop = std::clamp(settings.tabCount, 1, 8);
    if (text.find('\t') == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    // Bytes and cells coincide (a double-byte character is two of each), so the column
    // is the output length.
    for (const char c : text) {
        if (c == '\t')
            out.append(static_cast<std::size_t>(stop - static_cast<int>(out.size() % stop)), ' ');
        else
            out += c;
    }
    return out;
}

int WrapEngine::ExpandedWidth(std::string_view text) const {
    if (text.find('\t') == std::string_view::npos)
        return metrics_.TextWidth(text);
    return metrics_.TextWidth(ExpandTabs(text));
}

std::size_t WrapEngine::WrapPosition(std::string_view text) const {
    const int width = WrapWidth();
    const std::size_t len = text.size();
    if (len == 0)
        return 0;
    // Gallop to a prefix wider than the line (or to the whole text), then bisect. Only
    // prefixes of about a line's length are measured, so long paragraphs stay linear.
    std::size_t fits = 0;
    std::size_t probe = std::max<std::size_t>(1, static_cast<std::size_t>(width / CellWidth()));
    for (;;) {
        probe = std::min(probe, len);
        if (ExpandedWidth(text.substr(0, probe)) > width)
            break;
        fits = probe;
        if (probe == len)
            return len;
        probe *= 2;
    }
    std::size_t lo = fits, hi = probe;  // width(lo) fits, width(hi) does not
    while (hi - lo > 1) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (ExpandedWidth(text.substr(0, mid)) > width)
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

bool WrapEngine::CutAllowedAt(std::string_view text, std::size_t k) const {
    if (k == 0 || k >= text.size())
        return false;
    const char before = text[k - 1];
    if (before == '\r' || before == '\n' || before == '\0')
        return false;
    return Rules().Snap(text, k) == k;
}

std::size_t WrapEngine::CutPosition(std::string_view text) const {
    const std::size_t fit = WrapPosition(text);
    if (fit >= text.size())
        return text.size();
    const CharRules rules = Rules();
    // Back onto a character start, then further back past line-end and NUL bytes.
    std::size_t k = rules.Snap(text, fit);
    while (k > 0 && !CutAllowedAt(text, k))
        k = rules.Prev(text, k);
    if (k > 0)
        return k;
    // Not even one character fits, or only bytes that must not end a piece: take the
    // first place where a cut is allowed.
    for (k = rules.Next(text, 0); k < text.size(); k = rules.Next(text, k)) {
        if (CutAllowedAt(text, k))
            return k;
    }
    return text.size();
}

void WrapEngine::CutParagraph(std::string_view text, std::string_view terminator,
                              std::vector<std::string>& out) const {
    for (;;) {
        const std::size_t k = CutPosition(text);
        if (k >= text.size())
            break;
        out.emplace_back(text.substr(0, k));
        text.remove_prefix(k);
    }
    std::string last(text);
    last += terminator;
    out.push_back(std::move(last));
}

namespace {
std::string_view TerminatorOf(std::string_view line) {
    if (HasCrLfEnd(line))
        return "\r\n";
    if (HasEofMark(line))
        return std::string_view("\0", 1);
    return {};
}
}  // namespace

std::vector<std::string> WrapEngine::WrapAll(const TSonStrings& lines) const {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.Count()) + lines.Count() / 4);
    std::string para;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        if (!HasHardEnd(line) && i + 1 < lines.Count()) {
            para += line;
            continue;
        }
        para += StripLineEnd(line);
        CutParagraph(para, TerminatorOf(line), out);
        para.clear();
    }
    return out;
}

std::vector<std::string> WrapEngine::WrapHardLines(std::vector<std::string>&& lines) const {
    std::vector<std::string> out;
    out.reserve(lines.size() + lines.size() / 4);
    for (std::string& line : lines) {
        if (!CutHardLine(line, out))
            out.push_back(std::move(line));
    }
    return out;
}

bool WrapEngine::CutHardLine(std::string_view line, std::vector<std::string>& out) const {
    const std::string_view text = StripLineEnd(line);
    if (CutPosition(text) >= text.size())
        return false;
    CutParagraph(text, TerminatorOf(line), out);
    return true;
}

WrapEngine::Key WrapEngine::CurrentKey() const {
    WrapSettings s = settings;
    if (!s.autoWrap)
        s.textAreaWidth = 0;  // the column alone limits the lines
    return {s, CellWidth(), metrics_.TextWidth("i"), metrics_.TextWidth("W"),
            metrics_.TextWidth("\x82\xa0")};
}

std::vector<std::string> WrapEngine::UnwrapAll(const TSonStrings& lines) const {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.Count()));
    std::string para;
    for (int i = 0; i < lines.Count(); ++i) {
        para += lines[i];
        if (HasHardEnd(lines[i]) || i + 1 == lines.Count()) {
            out.push_back(std::move(para));
            para.clear();
        }
    }
    return out;
}

}  // namespace varnel::editor
