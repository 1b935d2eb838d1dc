// Opening a received mail or a draft.
#include "mail/OpenMail.h"

#include "mail/AfterBodyPass.h"
#include "mail/DraftHeader.h"
#include "mail/ForwardDraft.h"
#include "mail/MailNames.h"
#include "text/Sjis.h"

namespace varnel::mail {

namespace {

void Run(const DraftTools::Edit& edit, std::vector<std::string>& lines) {
    if (edit)
        edit(lines);
}

void LoadDraft(OpenedMail& m, std::string_view bytes, const HeaderOptions& o,
               const DraftTools& tools, const platform::Clock& clock,
               const DateTimeLocale& locale) {
    DraftLoad d = LoadForwardDraft(bytes);
    m.lines = std::move(d.lines);
    m.forwardDraft = d.forward;
    m.forwardTail = std::move(d.forwardTail);
    m.switchNoRfc822On = d.noRfc822;
    m.switchNoFwdHtmlOn = d.noFwdHtml;
    if (o.ListRecipients)
        Run(tools.applyRecipientTemplate, m.lines);
    StripAddressBackslashes(m.lines, 0);
    if (d.forward) {
        Run(tools.deleteForwardedHeader, m.lines);
        if (d.xForwardIndex && *d.xForwardIndex < m.lines.size() &&
            m.lines[*d.xForwardIndex].starts_with("X-Forward:"))
            m.lines.erase(m.lines.begin() + static_cast<std::ptrdiff_t>(*d.xForwardIndex));
        if (o.NoFwdHTML || d.noFwdHtml)
            Run(tools.deleteHtmlParts, m.lines);
        if (o.NoRfc822 || d.noRfc822)
            Run(tools.simplifyMultipart, m.lines);
    }
    DeleteHeaderFields(m.lines, o.DeleteHeader);
    if (d.dispositionNotification)
        m.dateTimeMacro = FindDateTimeMacro(m.lines, clock, locale);
    m.caretLine = PlaceCaretInBody(m.lines);
}

// Received mail whose body has lines longer than AutoReformat is shown reformatted
// from its first body line on (the shown lines may lack the hidden recipient lines).
void ReformatLongLines(OpenedMail& m, const HeaderOptions& o, const DecodeState& s) {
    DecodedMail& d = *m.decoded;
    if (!WantsAutoReformat(o.Header, s.markRead, o.AutoReformat, d.longestLine))
        return;
    const std::size_t bodyLines = d.bodyLineCount;
    if (bodyLines <= m.lines.size())
        KeepAttachmentLines(m.lines, d.attachments, [&](std::vector<std::string>& lines) {
            ReformatLines(lines, lines.size() - bodyLines, o.Reformat);
        });
}

}  // namespace

bool IsDraftFile(std::string_view path) {
    const std::string name = text::ToLowerAscii(FileNameOf(path));
    return name.ends_with(".tmp") || IsInOutFolder(path);
}

DisplayList OpenMailLines(std::string_view path, std::string_view bytes,
                          const HeaderOptions& options, const DecodeState& state,
                          const DraftTools& tools, const platform::Clock& clock,
                          const DateTimeLocale& locale) {
    if (IsDraftFile(path))
        return DisplayList(
            OpenMailCore(path, std::string(bytes), options, state, tools, clock, locale).lines);
    DisplayList shown;
    OpenedMail m;
    m.decoded = DecodeMailLines(path, bytes, options, state, shown);
    if (!WantsAutoReformat(options.Header, state.markRead, options.AutoReformat,
                           m.decoded->longestLine))
        return shown;
    m.lines = shown.Strings();
    ReformatLongLines(m, options, state);
    return DisplayList(std::move(m.lines));
}

OpenedMail OpenMailCore(std::string_view path, const std::optional<std::string>& bytes,
                        const HeaderOptions& options, const DecodeState& state,
                        const DraftTools& tools, const platform::Clock& clock,
                        const DateTimeLocale& locale) {
    OpenedMail m;
    m.draft = IsDraftFile(path);
    m.exists = bytes.has_value();
    if (!m.draft) {
        m.showRecipientsNow = options.ShowTo;
        if (bytes) {
            m.decoded = DecodeMailForDisplay(path, *bytes, options, state);
            m.lines = std::move(m.decoded->lines);  // the editor text has one owner
            m.showRecipientsNow = m.decoded->showRecipientsNow;
            ReformatLongLines(m, options, state);
        }
        m.focusInCompanion = options.NextMailMode == 2 && IsMailFile(path);
    } else if (bytes) {
        LoadDraft(m, *bytes, options, tools, clock, locale);
    }
    m.updateCurrentMail = IsMailFile(path);
    return m;
}

}  // namespace varnel::mail
