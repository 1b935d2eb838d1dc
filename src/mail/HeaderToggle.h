// The header toggle: summary without recipients, summary with them, full header.
#pragma once

namespace varnel::mail {

struct HeaderModeSettings {
    bool header = false;  // Header
    bool showTo = true;   // ShowTo
};

// The next mode. showRecipientsNow tells whether the recipients were actually shown: a
// mail whose recipients were hidden by MaxTo first gets them shown (the caller reopens
// with RecipientOverride set), and only the next press goes to the full header.
HeaderModeSettings NextHeaderMode(HeaderModeSettings current, bool showRecipientsNow);

}  // namespace varnel::mail
