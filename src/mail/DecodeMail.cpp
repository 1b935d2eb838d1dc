// The one decode call: header pass, body pass, lines to show, status update.
#include "mail/DecodeMail.h"

#include "mail/BodyPass.h"
#include "mail/DisplayLines.h"
#include "mail/HeaderPass.h"
#include "mail/MailLines.h"
#include "mail/MailNames.h"
#include "mail/MarkRead.h"

namespace varnel::mail {

namespace {

MailerRequests RequestsAfterOpening(const HeaderOptions& o, const DecodeState& s) {
    MailerRequests r;
    if (o.NextMailMode == 0) {
        const bool folderCommandWaits =
            !s.pendingFocusFile.empty() && s.pendingFocusFile != "NeedsUpdate";
        if (folderCommandWaits)
            r.sendPendingFolderCommand = true;
        else
            r.updateThisMail = true;
        r.startTimer = true;
    } else {
        r.startTimer = true;
        if (o.NextMailMode == 2)
            r.pendingFocusFile = "NeedsUpdate";
    }
    return r;
}

}  // namespace

DecodedMail DecodeMailForDisplay(std::string_view path, std::string_view bytes,
                                 const HeaderOptions& options, const DecodeState& state) {
    DecodedMail d;
    const bool inOut = IsInOutFolder(path);
    d.fullHeader = options.Header || !state.markRead || inOut;
    if (state.startupPhase)
        d.readOnly = state.editSwitchGiven ? !inOut : true;

    const std::vector<std::string> mail = MailLines::Split(bytes).Texts();
    HeaderPassResult h =
        RunHeaderPass(mail, d.fullHeader, state.recipientOverride, state.europeanFontOn, options);
    d.display = std::move(h.display);
    d.headerLineCount = d.display.size();

    BodyPassOptions bodyOptions{state.europeanFontOn, options.HeaderList};
    BodyPassResult body = RunBodyPass(mail, h.bodyStart, h.top, bodyOptions, d.display);
    d.offerEuropeanFont = body.offerEuropeanFont;
    d.longestLine = body.longestLine;
    d.related = h.top.related;

    d.repliedFlag = h.hasStatus ? h.status == "RPLY" : state.repliedFlag;
    d.addressedToMe = h.addressedToMe;
    d.dispositionPending = h.dispositionPending;
    d.alertColour = h.alertColour;
    d.showRecipientsNow = h.showRecipientsNow;
    if (std::string n = MailNumberOf(path); !n.empty())
        d.mailNumber = std::stoi(n);
    d.lines = ShownLines(d.display, d.showRecipientsNow, h.recipientLines);

    d.datesDisagree = h.sentDate && h.receivedDate &&
                      DatesDisagree(*h.sentDate, *h.receivedDate, options.MinutesToCorrect);
    // Only the mailer's own mail files carry a status; other files are never written.
    if (state.markRead && IsMailFile(path)) {
        d.rewritten = MarkReadRewrite(bytes, h, d.datesDisagree, options);
        d.requests = RequestsAfterOpening(options, state);
    }
    return d;
}

}  // namespace varnel::mail
