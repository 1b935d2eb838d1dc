// Copies the settings that opening a mail reads into the mail library's option struct.
#include "app/HeaderOptionsFrom.h"

namespace varnel::app {

mail::HeaderOptions HeaderOptionsFrom(const Settings& s) {
    const ViewSettings& v = s.view;
    mail::HeaderOptions o;
    o.Header = v.Header;
    o.ShowTo = v.ShowTo;
    o.MaxTo = v.MaxTo;
    o.HeaderList = v.HeaderList;
    o.DeleteHeader = v.DeleteHeader;
    o.FixAddress = v.FixAddress;
    o.AddDate = v.AddDate;
    o.MinutesToCorrect = v.MinutesToCorrect;
    o.NotifyDispositionMode = v.NotifyDispositionMode;
    o.TabToSpace = v.TabToSpace;
    o.MyAddresses = v.MyAddresses;
    o.MailingList = v.MailingList;
    o.NoRfc822 = v.NoRfc822;
    o.NoFwdHTML = v.NoFwdHTML;
    o.ListRecipients = v.ListRecipients;
    o.NextMailMode = v.NextMailMode;
    o.AlertEnabled = s.alert.AlertEnabled;
    for (std::size_t i = 0; i < o.Alerts.size(); ++i) {
        o.Alerts[i].text = s.alert.AlertString[i];
        o.Alerts[i].colour = static_cast<std::uint32_t>(s.alert.AlertColor[i]);
    }
    o.AutoReformat = v.AutoReformat;
    o.Reformat = ReformatOptionsFrom(s);
    return o;
}

mail::ReformatOptions ReformatOptionsFrom(const Settings& s) {
    const ViewSettings& v = s.view;
    mail::ReformatOptions r;
    r.MaxLength = v.MaxLength;
    r.QuoteChar = v.QuoteChar;
    r.AvoidBeginChar = v.AvoidBeginChar;
    r.AvoidEndChar = v.AvoidEndChar;
    r.EndCharZenkaku = v.EndCharZenkaku;
    r.EndCharHankaku = v.EndCharHankaku;
    r.DeleteTab = v.DeleteTab;
    return r;
}

}  // namespace varnel::app
