// Draft tools from the settings.
#include "app/DraftToolsFrom.h"

#include <filesystem>
#include <memory>

#include "editor/ReplaceFile.h"
#include "mail/ForwardDraftTools.h"
#include "mail/RecipientTemplate.h"

namespace varnel::app {

int LocalHhmm(const platform::Clock& clock) {
    constexpr long long kDay = 24 * 60;
    const auto now = clock.Now();
    const auto local = now + std::chrono::minutes(clock.UtcOffsetMinutes(now));
    const long long m =
        std::chrono::duration_cast<std::chrono::minutes>(local.time_since_epoch()).count();
    const long long inDay = (m % kDay + kDay) % kDay;
    return static_cast<int>(inDay / 60 * 100 + inDay % 60);
}

mail::DraftTools DraftToolsFrom(const Settings& s, const std::string& settingsPath,
                                const platform::Clock& clock) {
    mail::DraftTools tools;
    const ViewSettings& v = s.view;
    // recipient.csv is read when a draft asks for the template, not at every open.
    const std::string csv =
        (std::filesystem::path(settingsPath).parent_path() / "recipient.csv").string();
    mail::TemplateInputs in;
    in.greetings = {v.Greeting1, v.Greeting2, v.Greeting3};
    in.hhmm = LocalHhmm(clock);
    tools.applyRecipientTemplate = [csv, in](std::vector<std::string>& lines) mutable {
        std::string bytes, error;
        mail::RecipientTable table;
        if (editor::ReplaceFileRead(csv, bytes, error)) {
            table = mail::ParseRecipientTable(bytes);
            in.table = &table;
        }
        mail::ApplyRecipientTemplate(lines, in);
    };
    const std::string forwardHeader = v.ForwardHeader;
    tools.deleteForwardedHeader = [forwardHeader](std::vector<std::string>& lines) {
        mail::DeleteForwardedHeader(lines, forwardHeader);
    };
    tools.deleteHtmlParts = [](std::vector<std::string>& lines) { mail::DeleteHtmlPart(lines); };
    tools.simplifyMultipart = [forwardHeader](std::vector<std::string>& lines) {
        mail::SimplifyMultipart(lines, forwardHeader);
    };
    return tools;
}

}  // namespace varnel::app
