// The decisions taken after the body pass: the automatic reformat and the offer to show
// the mail again in the European font.
#pragma once

#include <cstddef>

#include "text/Message.h"

namespace varnel::mail {

// Reformat the display list from the header line count on when the Header setting is
// off, the mail is being marked read, AutoReformat is positive and a shown body line is
// longer than it.
inline bool WantsAutoReformat(bool headerSetting, bool markRead, int autoReformat,
                              std::size_t longestLine) {
    return !headerSetting && markRead && autoReformat > 0 &&
           longestLine > static_cast<std::size_t>(autoReformat);
}

// Asked with Yes and No when BodyPassResult::offerEuropeanFont is set. On Yes the window
// switches EuropeanFontOn on, decodes the mail again and shows it in EuropeanFontName and
// EuropeanFontSize with the single-byte mode of the editor.
inline constexpr text::Message kEuropeanFontQuestion{
    "Non-ASCII character exists. Change to European font?",
    "特殊な文字があります　英文フォントで表示しますか"};
inline constexpr text::Message kEuropeanFontCaption{"Non-ASCII characters", "特殊な英文字"};

}  // namespace varnel::mail
