// Re-wrapping paragraphs that other mailers broke at odd widths, with the Japanese
// line-breaking rules (a line never begins with "、" or ends with "「"), and the rules
// that keep lists, quoted header lines and links as they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

// The settings of the reformat, as the settings loader stores them.
struct ReformatOptions {
    int MaxLength = 64;                   // line length in bytes, prefix included
    std::string QuoteChar = ">|:# -=";    // single-byte quote characters
    std::string AvoidBeginChar;           // characters that may not begin a line
    std::string AvoidEndChar;             // characters that may not end a line
    std::string EndCharZenkaku;           // double-byte sentence ends
    std::string EndCharHankaku = ".;)!?"; // single-byte sentence ends
    bool DeleteTab = true;                // first stage: TABs out, ~72-column breaks re-joined
};

// The default line-breaking characters (CP932): "　．，。、・？！）〕］｝〉》」』】" and
// "（〔［｛〈《「『【", and the double-byte sentence ends "。．？；）".
ReformatOptions DefaultReformatOptions();

// Reformats lines[first..]; lines before first (a header) stay. Lines beginning with
// ".-" or ".." (the display's marker lines) stay as they are. A first of 0 means a
// selection: short single-byte lines are joined there too.
void ReformatLines(std::vector<std::string>& lines, std::size_t first,
                   const ReformatOptions& options);

}  // namespace varnel::mail
