// Text to a web page.
#include "app/WebPage.h"

#include "app/LinkScan.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::app {

// The escaped characters are all below 0x40, so none of them is ever the trail byte of a
// double-byte character: escaping byte by byte is safe.
std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string TextAsWebPage(const std::vector<std::string>& paragraphs, bool latin) {
    std::string page = std::string("<html><head><meta charset=\"") +
                       (latin ? "windows-1252" : "utf-8") + "\"></head><body>\r\n";
    for (const std::string& p : paragraphs) {
        std::size_t done = 0;
        for (std::size_t from = 0; from < p.size();) {
            const std::optional<LinkSpan> link = NextLink(p, from);
            if (!link)
                break;
            const std::string_view text = std::string_view(p).substr(link->start, link->length);
            from = link->start + std::max<std::size_t>(link->length, 1);
            if (!text::StartsWithNoCase(text, "http://") &&
                !text::StartsWithNoCase(text, "https://") &&
                !text::StartsWithNoCase(text, "ftp://"))
                continue;
            const std::string escaped = HtmlEscape(text);
            page += HtmlEscape(std::string_view(p).substr(done, link->start - done));
            page += "<a href=\"" + escaped + "\">" + escaped + "</a>";
            done = link->start + link->length;
        }
        page += HtmlEscape(std::string_view(p).substr(done));
        page += "<br>\r\n";
    }
    page += "</body></html>\r\n";
    return latin ? page : text::Cp932ToUtf8(page);
}

}  // namespace varnel::app
