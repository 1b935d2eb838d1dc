// Order of the deferred-action dispatcher, ticked by hand. The reply sequence and the
// focus after a folder notice are checked on the window (WritingReplyTest,
// MailerCommandsTest).
#include <gtest/gtest.h>

#include "app/DeferredDispatcher.h"
#include "fakes/Fakes.h"

namespace varnel::app {
namespace {

class RecordingActions : public DeferredActions {
  public:
    std::vector<std::string> done;
    int mode = 0;
    void SendPendingKeys(const std::string& keys) override { done.push_back("keys " + keys); }
    void SendFocusCommand() override { done.push_back("focus"); }
    void SendReplyCommand() override { done.push_back("reply"); }
    void MarkShownMailRead() override { done.push_back("read"); }
    void SendUpdateCommand() override {
        done.push_back("update");
        timer->SetEnabled(true);  // an update re-enables the timer
    }
    void RunSecondPhase() override { done.push_back("phase2"); }
    void RunAddressBookStep() override {
        done.push_back("addressbook");
        state->AddressBookPending = false;
    }
    void SendFolderCommandFor(const std::string& f) override {
        done.push_back("folder " + f);
        state->PendingFocusFile = std::string(kNeedsUpdate);
        timer->SetEnabled(true);
    }
    int NextMailMode() const override { return mode; }
    platform::Timer* timer = nullptr;
    DeferredState* state = nullptr;
};

struct Fixture {
    fakes::ManualTimer timer;
    DeferredState state;
    RecordingActions actions;
    DeferredDispatcher dispatcher{state, timer, actions};
    Fixture() {
        actions.timer = &timer;
        actions.state = &state;
        timer.onTick = [this] { dispatcher.OnTimer1(); };
        timer.SetEnabled(true);
    }
    // Ticks while the timer stays enabled, at most n times.
    void Run(int n) {
        for (int i = 0; i < n && timer.Tick(); ++i) {
        }
    }
};

TEST(DeferredDispatcherTest, PriorityOrder) {
    Fixture f;
    f.state.PendingKeys = true;
    f.state.PendingKeysText = "{DOWN}{ENTER}";
    f.state.StartupPhase = true;
    f.state.AddressBookPending = true;
    f.state.PendingFocusFile = "/p/in/0001.txt";
    f.state.DeferredStep = 0;
    // Each duty runs on its own tick; the keys go first and the timer stays off after.
    f.Run(1);
    EXPECT_EQ(f.actions.done.back(), "keys {DOWN}{ENTER}");
    EXPECT_FALSE(f.state.PendingKeys);
    for (const char* expected : {"phase2", "addressbook", "folder /p/in/0001.txt"}) {
        f.timer.SetEnabled(true);
        f.Run(1);
        EXPECT_EQ(f.actions.done.back(), expected);
    }
    // The folder command left "NeedsUpdate": mode 0 sends an update, then a focus follows.
    f.Run(2);
    EXPECT_EQ(f.actions.done,
              (std::vector<std::string>{"keys {DOWN}{ENTER}", "phase2", "addressbook",
                                        "folder /p/in/0001.txt", "update", "focus"}));
    EXPECT_TRUE(f.state.PendingFocusFile.empty());
    EXPECT_FALSE(f.timer.enabled);
}

}  // namespace
}  // namespace varnel::app
