// The deferred-action dispatcher.
#include "app/DeferredDispatcher.h"

namespace varnel::app {

void DeferredState::QueueFolderNotice(FolderNotice notice) {
    if (PendingFocusFile.empty() || PendingFocusFile == kNeedsUpdate) {
        PendingFocusFile = std::move(notice.mailFile);
        PendingMoveKind = std::move(notice.kind);
        PendingFolderTarget = std::move(notice.target);
    } else {
        WaitingFolderNotices.push_back(std::move(notice));
    }
}

bool DeferredState::PromoteWaitingNotice() {
    if (WaitingFolderNotices.empty())
        return false;
    FolderNotice n = std::move(WaitingFolderNotices.front());
    WaitingFolderNotices.pop_front();
    PendingFocusFile = std::move(n.mailFile);
    PendingMoveKind = std::move(n.kind);
    PendingFolderTarget = std::move(n.target);
    return true;
}

bool DeferredState::AwaitsFolderCommand(const std::string& mailFile) const {
    if (!mailFile.empty() && PendingFocusFile == mailFile)
        return true;
    for (const FolderNotice& n : WaitingFolderNotices) {
        if (n.mailFile == mailFile)
            return true;
    }
    return false;
}

void DeferredDispatcher::OnTimer1() {
    timer1_.SetEnabled(false);

    if (state_.PendingKeys) {
        state_.PendingKeys = false;
        actions_.SendPendingKeys(state_.PendingKeysText);
        KeepGoingWhileNoticesWait();
        return;
    }
    if (state_.DeferredStep > 0) {
        ReplySequenceStep();
        return;
    }
    if (state_.StartupPhase) {
        actions_.RunSecondPhase();
        state_.StartupPhase = false;
        KeepGoingWhileNoticesWait();
        return;
    }
    if (state_.AddressBookPending) {
        actions_.RunAddressBookStep();
        return;
    }
    if (state_.PendingFocusFile.empty())
        state_.PromoteWaitingNotice();
    if (!state_.PendingFocusFile.empty()) {
        if (state_.PendingFocusFile != kNeedsUpdate) {
            actions_.SendFolderCommandFor(state_.PendingFocusFile);
            return;
        }
        state_.PendingFocusFile.clear();
        state_.PromoteWaitingNotice();  // sent on the next tick
        if (actions_.NextMailMode() == 1)
            actions_.SendFocusCommand();
        else
            actions_.SendUpdateCommand();
        timer1_.SetEnabled(true);
        return;
    }
    actions_.SendFocusCommand();
}

// A folder notice waits (a deletion queued behind the keys of a mailer step): the timer
// keeps ticking so that it is sent even when the mailer opens nothing afterwards.
void DeferredDispatcher::KeepGoingWhileNoticesWait() {
    if (!state_.PendingFocusFile.empty() || !state_.WaitingFolderNotices.empty())
        timer1_.SetEnabled(true);
}

// Started at 1 by a deferred reply: the focus command on the next tick, the reply on
// the tick after, and five ticks later the status change with its update, which gives
// the mailer time to write the draft before the mail is touched.
void DeferredDispatcher::ReplySequenceStep() {
    ++state_.DeferredStep;
    switch (state_.DeferredStep) {
        case 2:
            actions_.SendFocusCommand();
            break;
        case 3:
            actions_.SendReplyCommand();
            break;
        case 8:
            state_.DeferredStep = 0;
            actions_.MarkShownMailRead();
            actions_.SendUpdateCommand();
            timer1_.SetEnabled(false);  // the sequence ends here, without a focus
            return;
        default:
            break;
    }
    timer1_.SetEnabled(true);
}

}  // namespace varnel::app
