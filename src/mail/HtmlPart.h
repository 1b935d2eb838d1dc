// The HTML part of a received mail, for the browser: found, its transfer encoding undone,
// its charset declared, and checked for active content.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

struct HtmlPart {
    bool found = false;
    std::string html;    // the part's bytes, with a charset declaration put in front when the
                         // part header names one
    bool risky = false;  // scripts, applets, objects or event handlers
};

// The first text/html part of mailBytes (the mail itself when its type is text/html).
HtmlPart ExtractHtmlPart(std::string_view mailBytes);

// True when html holds "<script", "<applet", "<object" (any case), a "javascript:" URL,
// or an event-handler attribute ("onload=", "onclick =", ...) inside a tag.
bool HasRiskyContent(std::string_view html);

}  // namespace varnel::mail
