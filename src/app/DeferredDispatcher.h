// The deferred-action dispatcher: work that must wait for the mailer is queued as
// flags and done one item per tick of Timer1, in a fixed order.
#pragma once

#include <deque>
#include <string>
#include <string_view>

#include "platform/Timer.h"

namespace varnel::app {

// Marker in PendingFocusFile: a folder command was sent; the mailer must now hear about
// the mail on screen.
inline constexpr std::string_view kNeedsUpdate = "NeedsUpdate";

// A folder command (Move or Copy) that waits for its turn.
struct FolderNotice {
    std::string kind;      // "Move" or "Copy"
    std::string mailFile;  // the mail it is about
    std::string target;    // destination folder index file; "" = the trash
};

// The queued work, held by the main window and read and changed by the commands.
struct DeferredState {
    bool PendingKeys = false;  // PendingKeysText waits to be sent as keystrokes
    std::string PendingKeysText;
    int DeferredStep = 0;       // reply sequence: 0 idle, started at 1
    bool StartupPhase = false;  // the second start-up phase has yet to run
    bool AddressBookPending = false;
    std::string AddressBookText;   // what the address-book step appends
    int AddressBookTries = 0;      // ticks spent waiting for a just-started address book
    std::string PendingFocusFile;  // "", kNeedsUpdate, or a mail file awaiting a folder command
    std::string PendingMoveKind = "Move";  // kind of the command for PendingFocusFile
    std::string PendingFolderTarget;       // its destination; "" = the trash
    // Folder notices behind PendingFocusFile, oldest first. A second deletion while the
    // first still waits must not overwrite it: the mailer would never hear of it.
    std::deque<FolderNotice> WaitingFolderNotices;

    // Queues a folder command for mailFile: it takes PendingFocusFile when that is free
    // (or only owes an update, which the new command's own update will cover), else it
    // waits behind the commands already queued.
    void QueueFolderNotice(FolderNotice notice);
    // Moves the next waiting notice into PendingFocusFile; false when none waits.
    bool PromoteWaitingNotice();
    // True while a folder command for mailFile is queued and not yet sent.
    bool AwaitsFolderCommand(const std::string& mailFile) const;
};

// What the dispatcher makes happen; the main window carries it out.
class DeferredActions {
  public:
    virtual ~DeferredActions() = default;
    virtual void SendPendingKeys(const std::string& keys) = 0;
    virtual void SendFocusCommand() = 0;
    virtual void SendReplyCommand() = 0;  // the reply command and the update after it
    virtual void MarkShownMailRead() = 0;
    // The update command; it re-enables Timer1 so that a focus command follows.
    virtual void SendUpdateCommand() = 0;
    virtual void RunSecondPhase() = 0;
    virtual void RunAddressBookStep() = 0;
    virtual void SendFolderCommandFor(const std::string& mailFile) = 0;
    virtual int NextMailMode() const = 0;
};

class DeferredDispatcher {
  public:
    DeferredDispatcher(DeferredState& state, platform::Timer& timer1, DeferredActions& actions)
        : state_(state), timer1_(timer1), actions_(actions) {}

    // One tick of Timer1: disables the timer, then does the first duty that applies:
    // pending keys, the reply sequence, the second start-up phase, the address-book
    // step, the pending folder notice, and otherwise a focus command.
    void OnTimer1();

  private:
    void ReplySequenceStep();
    void KeepGoingWhileNoticesWait();

    DeferredState& state_;
    platform::Timer& timer1_;
    DeferredActions& actions_;
};

}  // namespace varnel::app
