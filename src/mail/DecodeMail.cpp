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
    DisplayList shown;
    DecodedMail d = DecodeMailLines(path, bytes, options, state, shown);
    d.lines = shown.Strings();
    return d;
}

DecodedMail DecodeMailLines(std::string_view path, std::string_view bytes,
                            const HeaderOptions& options, const DecodeState& state,
                            DisplayList& shown) {
    DecodedMail d;
    const bool inOut = IsInOutFolder(path);
    d.fullHeader = options.Header || !state.markRead || inOut;
    if (state.startupPhase)
        d.readOnly = state.editSwitchGiven ? !inOut : true;

    // Lines are views into bytes: only the header block is held, the body streams through
    // its pass, and the lines shown as stored stay views.
    MailLines::Reader reader(bytes);
    std::vector<std::string_view> head;
    for (std::string_view line; reader.Next(line);) {
        head.push_back(line);
        if (EndsHeaderBlock(line))
            break;
    }
    HeaderPassResult h =
        RunHeaderPass(head, d.fullHeader, state.recipientOverride, state.europeanFontOn, options);
    DisplayList display(std::move(h.display));
    d.headerLineCount = display.size();

    BodyPassOptions bodyOptions{state.europeanFontOn, options.HeaderList};
    BodyPass pass(h.top, bodyOptions, display);
    // The terminating line (or a header's last line) is read for its boundary role.
    if (h.bodyStart > 0)
        pass.Terminator(head[h.bodyStart - 1]);
    for (std::string_view line;;) {
        reader.Skip(pass.SkipData(reader.Rest()));
        if (!reader.Next(line))
            break;
        pass.Feed(line);
    }
    BodyPassResult body = pass.Finish();
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
    d.bodyLineCount = display.size() - d.headerLineCount;
    const std::size_t listed = display.size();
    KeepShownLines(display, d.showRecipientsNow, h.recipientLines);
    // Only header lines are left out: the summary lines below move up by their number.
    d.attachments = std::move(body.attachments);
    for (AttachmentRecord& r : d.attachments)
        r.displayIndex -= listed - display.size();
    shown = std::move(display);

    d.datesDisagree = h.sentDate && h.receivedDate &&
                      DatesDisagree(*h.sentDate, *h.receivedDate, options.MinutesToCorrect);
    // Only the mailer's own mail files carry a status; other files are never written.
    if (state.markRead && IsMailFile(path)) {
        if (state.rewriteFile && state.headEditOnly)
            d.markReadEdit = MarkReadHeadEdit(bytes, h, d.datesDisagree, options);
        else if (state.rewriteFile)
            d.rewritten = MarkReadRewrite(bytes, h, d.datesDisagree, options);
        d.requests = RequestsAfterOpening(options, state);
    }
    return d;
}

}  // namespace varnel::mail
