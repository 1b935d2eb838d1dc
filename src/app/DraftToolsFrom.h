// The tools a newly opened draft goes through, set up from the settings: the recipient
// template (recipient.csv beside the settings file, greetings at the local time) and the
// forward-draft tools.
#pragma once

#include <string>

#include "app/Settings.h"
#include "mail/OpenMail.h"
#include "platform/Clock.h"

namespace varnel::app {

// Local time as the number hhmm.
int LocalHhmm(const platform::Clock& clock);

mail::DraftTools DraftToolsFrom(const Settings& s, const std::string& settingsPath,
                                const platform::Clock& clock);

}  // namespace varnel::app
