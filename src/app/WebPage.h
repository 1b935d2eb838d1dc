// The shown text as a web page ("Show with Browser"): every character escaped, the
// charset declared, and web links made live.
#pragma once

#include <string>
#include <vector>

namespace varnel::app {

// paragraphs are CP932 text without line ends (Western single-byte text when latin). The
// page is UTF-8, or windows-1252 for Western text; each paragraph ends in "<br>", and
// each link beginning with "http://", "https://" or "ftp://" becomes an anchor.
std::string TextAsWebPage(const std::vector<std::string>& paragraphs, bool latin);

// "&", "<", ">", double and single quotes as character references.
std::string HtmlEscape(std::string_view text);

}  // namespace varnel::app
