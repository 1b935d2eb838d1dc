// Command handling of the stand-in mailer.
#include "StandIn.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "Drafts.h"
#include "MacroCall.h"
#include "Maildir.h"
#include "Send.h"
#include "link/MailerDriver.h"
#include "link/OpenRequest.h"
#include "link/WindowWire.h"
#include "mail/MailNames.h"

namespace pelkmail {

using namespace varnel;
using platform::Delivery;
using platform::ExecuteResult;

namespace {

bool IsNumber(const std::string& s) {
    return s.size() == 4 && s.find_first_not_of("0123456789") == std::string::npos;
}

const char* Name(Delivery d) {
    switch (d) {
        case Delivery::Delivered:
            return "delivered";
        case Delivery::Refused:
            return "refused";
        case Delivery::NoServer:
            return "no viewer";
        case Delivery::Invalid:
            return "invalid";
    }
    return "?";
}

}  // namespace

StandIn::StandIn(StandInOptions options, platform::CommandChannel& toViewer, Starter start)
    : opt_(std::move(options)),
      toViewer_(toViewer),
      start_(std::move(start)),
      store_(opt_.home),
      log_(opt_.logFile, std::ios::app | std::ios::binary),
      settings_(LoadMailerSettings(opt_.home)) {
    if (!store_.Folders().empty())
        cursor_.indexFile = store_.Folders().front().indexFile;
}

void StandIn::Log(const std::string& line) {
    log_ << line << '\n';
    log_.flush();
}

void StandIn::Delay() const {
    if (opt_.answerDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(opt_.answerDelayMs));
}

ExecuteResult StandIn::Accept(std::function<void()> after) {
    Delay();
    return ExecuteResult{true, std::move(after)};
}

ExecuteResult StandIn::Refuse(const std::string& why) {
    Log("# refused: " + why);
    Delay();
    return ExecuteResult{false, {}};
}

ExecuteResult StandIn::OnCommand(const std::string& macro) {
    Log(macro);
    const auto call = ParseMacroCall(macro);
    if (!call)
        return Refuse("not a macro");
    const auto& a = call->args;
    const std::string& name = call->name;

    if ((name == "Focus" || name == "Update" || name == "Reply" || name == "Forward") &&
        a.size() == 2) {
        if (!IsNumber(a[1]))
            return Refuse("bad mail number " + a[1]);
        cursor_ = Cursor{a[0], std::stoi(a[1])};
        const std::string mailPath = StandInStore::MailPath(a[0], cursor_.number);
        if (name == "Focus")
            return Accept();
        if (name == "Update") {
            std::string error;
            if (!store_.SyncStatus(a[0], cursor_.number, error))
                return Refuse(error);
            Log("# index " + a[0] + " " + a[1] + " " + StandInStore::XStatusOf(mailPath));
            return Accept();
        }
        const auto original = StandInStore::ReadFile(mailPath);
        if (!original)
            return Refuse("no mail " + mailPath);
        const bool reply = name == "Reply";
        const std::string draft =
            reply ? ReplyDraft(*original, settings_.replyTemplate)
                  : ForwardDraft(*original, "pelk-forward-" + std::to_string(++drafts_));
        std::string error;
        const auto path = store_.StoreDraft(draft, error);
        if (!path)
            return Refuse(error);
        Log(std::string("# draft ") + *path);
        return Accept([this, p = *path] { HandOverDraft(p); });
    }
    if ((name == "Move" || name == "Copy") && a.size() == 3) {
        if (!IsNumber(a[2]))
            return Refuse("bad mail number " + a[2]);
        std::string error;
        const auto stored = store_.MoveOrCopy(name == "Move", a[0], a[1], std::stoi(a[2]), error);
        if (!stored)
            return Refuse(error);
        Log("# " + std::string(name == "Move" ? "moved" : "copied") + " to " + *stored);
        return Accept();
    }
    if (name == "View" && a.size() == 1) {
        static const std::set<std::string> kWhat{"Next", "Prev",     "First",
                                                 "Last", "NextRecv", "PrevRecv"};
        if (!kWhat.count(a[0]))
            return Refuse("unknown view " + a[0]);
        const auto target = Step(a[0]);
        if (!target) {
            Log("# view " + a[0] + ": no mail");
            return Accept();
        }
        return Accept([this, p = *target] { OpenInViewer(p); });
    }
    if (name == "Receive" && a.empty()) {
        std::string error;
        const auto got = store_.DeliverQueued(opt_.queueDir, error);
        if (!got && !error.empty())
            return Refuse(error);
        Log(got ? "# received " + *got : "# nothing queued");
        if (settings_.maildir.empty())
            return Accept();
        return Accept([this] { ReceiveFromMaildir(); });
    }
    if (name == "Realize" && a.size() == 3)
        return Accept();  // logged above; restoring attachments is not simulated
    return Refuse("unknown command");
}

ExecuteResult StandIn::OnAlias(const std::string& macro) {
    Log(macro);
    const auto call = ParseMacroCall(macro);
    if (!call || call->name != "Append" || call->args.size() != 1)
        return Refuse("not an address-book command");
    return Accept();
}

bool StandIn::HasWindow(const std::string& kind, const std::string& name,
                        bool companionOwner) const {
    if (companionOwner)
        return opt_.companion && kind == "class" && name == link::kCompanionClass;
    if (kind == "class" && name == link::kMailerMainClass)
        return opt_.windows.count("main") > 0;
    if (kind == "title" && name == link::kMailerThreadTitle)
        return opt_.windows.count("thread") > 0;
    return false;
}

ExecuteResult StandIn::OnWindows(const std::string& macro, bool companionOwner) {
    Log(macro);
    const auto r = link::ParseWindowMacro(macro);
    if (!r)
        return Refuse("not a window macro");
    if (!HasWindow(r->kind, r->name, companionOwner)) {
        Delay();
        return ExecuteResult{false, {}};  // no such window: the normal answer to a lookup
    }
    if (r->verb != "Keys")
        return Accept();
    const StandInWindow w = companionOwner                      ? StandInWindow::Companion
                            : r->name == link::kMailerMainClass ? StandInWindow::Main
                                                                : StandInWindow::Thread;
    auto actions = keys_.Feed(w, r->keys);
    return Accept([this, actions] { Apply(actions); });
}

void StandIn::Apply(const std::vector<KeyAction>& actions) {
    for (KeyAction a : actions) {
        std::optional<std::string> target;
        switch (a) {
            case KeyAction::SelectNext:
                target = Step("Next");
                break;
            case KeyAction::SelectPrev:
                target = Step("Prev");
                break;
            case KeyAction::SelectFirst:
                target = Step("First");
                break;
            case KeyAction::SelectLast:
                target = Step("Last");
                break;
            case KeyAction::OpenSelected:
                if (cursor_.number >= 0)
                    OpenInViewer(StandInStore::MailPath(cursor_.indexFile, cursor_.number));
                break;
            case KeyAction::ShowThreadWindow:
                opt_.windows.insert("thread");
                Log("# thread window shown");
                break;
            case KeyAction::CloseWindow:
                opt_.windows.erase("thread");
                Log("# thread window closed");
                break;
            case KeyAction::NextFolder:
                SwitchFolder(+1);
                break;
            case KeyAction::PreviousFolder:
                SwitchFolder(-1);
                break;
            case KeyAction::Find:
                Log("# find dialog");
                break;
            case KeyAction::Paste:
                Log("# paste");
                break;
        }
        if (target)
            Log("# selected " + *target);
    }
}

void StandIn::SwitchFolder(int direction) {
    const auto& folders = store_.Folders();
    if (folders.empty())
        return;
    const int n = static_cast<int>(folders.size());
    int pos = store_.FolderPosition(cursor_.indexFile);
    pos = pos < 0 ? 0 : ((pos + direction) % n + n) % n;
    cursor_ = Cursor{folders[static_cast<std::size_t>(pos)].indexFile, -1};
    Log("# folder " + cursor_.indexFile);
}

std::optional<std::string> StandIn::Step(const std::string& what) {
    if (what == "NextRecv")
        return StepRecv(+1);
    if (what == "PrevRecv")
        return StepRecv(-1);
    const auto numbers = StandInStore::MailNumbers(cursor_.indexFile);
    std::optional<int> pick;
    if (what == "First" && !numbers.empty()) {
        pick = numbers.front();
    } else if (what == "Last" && !numbers.empty()) {
        pick = numbers.back();
    } else if (what == "Next") {
        for (int n : numbers) {
            if (n > cursor_.number) {
                pick = n;
                break;
            }
        }
    } else if (what == "Prev") {
        for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) {
            if (*it < cursor_.number && cursor_.number >= 0) {
                pick = *it;
                break;
            }
        }
    }
    if (!pick)
        return std::nullopt;
    cursor_.number = *pick;
    return StandInStore::MailPath(cursor_.indexFile, *pick);
}

// The nearest unread mail in the given direction, across the folder list (the trash
// is skipped), starting after the cursor.
std::optional<std::string> StandIn::StepRecv(int direction) {
    const auto& folders = store_.Folders();
    const int count = static_cast<int>(folders.size());
    int pos = std::max(0, store_.FolderPosition(cursor_.indexFile));
    int from = cursor_.number;
    for (int visited = 0; visited <= count && count > 0; ++visited) {
        const auto& f = folders[static_cast<std::size_t>(pos)];
        if (!f.trash) {
            auto numbers = StandInStore::MailNumbers(f.indexFile);
            if (direction < 0)
                std::reverse(numbers.begin(), numbers.end());
            for (int n : numbers) {
                const bool after = from < 0 || (direction > 0 ? n > from : n < from);
                if (after &&
                    StandInStore::XStatusOf(StandInStore::MailPath(f.indexFile, n)) == "RECV") {
                    cursor_ = Cursor{f.indexFile, n};
                    return StandInStore::MailPath(f.indexFile, n);
                }
            }
        }
        pos = ((pos + direction) % count + count) % count;
        from = -1;
    }
    return std::nullopt;
}

void StandIn::OpenInViewer(const std::string& path) {
    const auto request = link::OpenRequestFor(path);
    const Delivery d =
        request ? toViewer_.Execute("Varnel32", "system", *request) : Delivery::Invalid;
    Log("# open " + path + ": " + Name(d));
    if (d == Delivery::NoServer)
        StartViewer(path);
}

long StandIn::StartViewer(const std::string& path) {
    const long pid = opt_.varnel.empty() ? -1 : start_({opt_.varnel, path});
    Log("# start " + opt_.varnel + " " + path +
        (pid > 0 ? ": pid " + std::to_string(pid) : ": failed"));
    return pid;
}

void StandIn::HandOverDraft(const std::string& path) {
    if (opt_.draftsByRequest) {
        const auto request = link::OpenRequestFor(path);
        const Delivery d =
            request ? toViewer_.Execute("Varnel32", "system", *request) : Delivery::Invalid;
        Log("# open " + path + ": " + Name(d));
        // A busy window may answer after the deadline and still open the draft.
        if (d == Delivery::Delivered || d == Delivery::Refused)
            watch_.HandedToWindow(path, opt_.runtimeDir + "/varnel32.system");
        else if (d == Delivery::NoServer)
            watch_.HandedToProcess(path, StartViewer(path));
        return;
    }
    watch_.HandedToProcess(path, StartViewer(path));
}

void StandIn::ReceiveFromMaildir() {
    const auto r = ReceiveMaildir(store_, settings_.maildir);
    for (const auto& f : r.stored)
        Log("# received " + f);
    for (const auto& e : r.errors)
        Log("# receive failed: " + e);
}

void StandIn::Send(const std::string& draft) {
    if (settings_.sendCommand.empty() && settings_.error.empty()) {
        Log("# kept " + draft +
            ": pelkmail.ini names no send command");  // a store that never sends
        return;
    }
    const SendOutcome o = SendDraft(store_, settings_, draft);
    if (o.ok)
        Log("# sent " + draft + " -> " + o.sentFile);
    if (!o.error.empty())
        Log("# send failed: " + draft + ": " + o.error +
            (o.reportFile.empty() ? "" : " (reported in " + o.reportFile + ")"));
    if (!o.ok && !o.reportFile.empty())
        OpenInViewer(o.reportFile);  // the user learns at once that the mail did not go
}

void StandIn::Tick() {
    for (const auto& draft : watch_.Finished())
        Send(draft);
    if (settings_.maildir.empty() || settings_.intervalSeconds <= 0)
        return;
    const long now = static_cast<long>(std::time(nullptr));
    if (now - lastReceive_ >= settings_.intervalSeconds) {
        lastReceive_ = now;
        ReceiveFromMaildir();
    }
}

}  // namespace pelkmail
