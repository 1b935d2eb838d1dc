// The settings that opening and showing a mail reads, named after the settings keys.
// The application fills this from its settings; the mail library never reads them itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "mail/Reformat.h"

namespace varnel::mail {

struct AlertRule {
    std::string text;          // AlertStringN, lower-cased; an empty one ends the list
    std::uint32_t colour = 0;  // AlertColorN
};

struct HeaderOptions {
    bool Header = false;           // full header
    bool ShowTo = true;            // recipient lines in the summary header
    int MaxTo = 10;                // more addresses than this hide the recipient lines
    std::string HeaderList = ",";  // "," + lower-cased list of names with ":"
    std::string DeleteHeader;      // field names removed from drafts, as written
    bool FixAddress = false;       // repair suspicious addresses in the file
    bool AddDate = true;           // add a Date taken from Received when there is none
    int MinutesToCorrect = -120;   // in minutes; the date check runs only when positive
    bool NotifyDispositionMode = false;
    int TabToSpace = 4;       // blanks for a leading TAB; negative keeps the TAB
    std::string MyAddresses;  // lower-cased
    std::string MailingList;  // lower-cased
    bool NoRfc822 = false;
    bool NoFwdHTML = false;
    bool ListRecipients = true;
    int NextMailMode = 0;      // 0 by number, 1 mailer, 2 second companion, -1 thread
    bool AlertEnabled = true;  // AlertColor1 is not 0
    std::array<AlertRule, 5> Alerts{};
    int AutoReformat = 0;  // received mail with longer body lines is reformatted
    ReformatOptions Reformat = DefaultReformatOptions();
};

}  // namespace varnel::mail
