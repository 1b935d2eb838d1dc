// Recording fakes of the platform interfaces, shared by the core tests.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/CommandChannel.h"
#include "platform/FileDialog.h"
#include "platform/KeySink.h"
#include "platform/Launcher.h"
#include "platform/MainView.h"
#include "platform/Prompter.h"
#include "platform/Timer.h"
#include "platform/WindowDirectory.h"

namespace varnel::fakes {

// Answers from a script (default: the first button) and records every question.
class ScriptedPrompter : public platform::Prompter {
  public:
    std::deque<platform::Answer> script;
    std::vector<std::string> asked;
    std::vector<std::string> captions;  // of the boxes asked with a caption of their own
    // Runs while a box is "open", as events served by a dialog's own loop would.
    std::function<void()> whileOpen;
    platform::Answer AskTitled(const std::string& caption, const std::string& text,
                               platform::Buttons buttons, platform::Severity severity) override {
        captions.push_back(caption);
        return Ask(text, buttons, severity);
    }
    platform::Answer Ask(const std::string& text, platform::Buttons buttons,
                         platform::Severity) override {
        asked.push_back(text);
        if (whileOpen)
            whileOpen();
        if (!script.empty()) {
            auto a = script.front();
            script.pop_front();
            return a;
        }
        switch (buttons) {
            case platform::Buttons::Ok:
            case platform::Buttons::OkCancel:
                return platform::Answer::Ok;
            default:
                return platform::Answer::Yes;
        }
    }
};

class ManualClock : public platform::Clock {
  public:
    std::chrono::system_clock::time_point now{};
    int offsetMinutes = 540;
    std::chrono::system_clock::time_point Now() const override { return now; }
    int UtcOffsetMinutes(std::chrono::system_clock::time_point) const override {
        return offsetMinutes;
    }
};

// A timer that ticks only when the test says so.
class ManualTimer : public platform::Timer {
  public:
    int interval = 0;
    bool enabled = false;
    void SetInterval(int ms) override { interval = ms; }
    int Interval() const override { return interval; }
    void SetEnabled(bool on) override { enabled = on; }
    bool Enabled() const override { return enabled; }
    // Fires once if enabled; returns whether it fired.
    bool Tick() {
        if (!enabled || !onTick)
            return false;
        onTick();
        return true;
    }
};

struct SentMacro {
    std::string service, topic, macro;
};

class RecordingChannel : public platform::CommandChannel {
  public:
    std::vector<SentMacro> sent;
    platform::Delivery result = platform::Delivery::Delivered;
    // When set, answers each execute by (service, macro) instead of result.
    std::function<platform::Delivery(const std::string&, const std::string&)> answer;
    platform::Delivery Execute(const std::string& service, const std::string& topic,
                               const std::string& macro) override {
        sent.push_back({service, topic, macro});
        return answer ? answer(service, macro) : result;
    }
    std::vector<std::string> Macros() const {
        std::vector<std::string> m;
        for (const auto& s : sent)
            m.push_back(s.macro);
        return m;
    }
    // The macros sent to one service and topic.
    std::vector<std::string> To(const std::string& service, const std::string& topic) const {
        std::vector<std::string> m;
        for (const auto& s : sent) {
            if (s.service == service && s.topic == topic)
                m.push_back(s.macro);
        }
        return m;
    }
};

class RecordingLauncher : public platform::Launcher {
  public:
    std::vector<std::vector<std::string>> started;
    std::vector<std::string> opened;
    bool succeed = true;
    bool Start(const std::vector<std::string>& argv, std::string& error) override {
        started.push_back(argv);
        if (!succeed)
            error = "cannot start";
        return succeed;
    }
    bool OpenWithDesktop(const std::string& what, std::string& error) override {
        opened.push_back(what);
        if (!succeed)
            error = "cannot open";
        return succeed;
    }
};

// The main window: keeps what the core last showed and set, and counts the calls.
class RecordingView : public platform::MainView {
  public:
    std::string title;
    platform::ViewAppearance appearance;
    platform::WindowPlacement placement{145, 100, 670, 344};
    platform::WindowState state = platform::WindowState::Normal;
    platform::WindowIcon icon = platform::WindowIcon::Default;
    std::map<std::string, std::string, std::less<>> captions;
    std::map<std::string, bool, std::less<>> checked;
    std::map<std::string, bool, std::less<>> enabled;
    std::map<std::string, std::vector<int>, std::less<>> shortcuts;
    std::map<std::string, bool, std::less<>> visible;
    std::map<std::string, std::string, std::less<>> itemIcons;
    std::vector<std::string> popUps;  // "menu x y"
    int showTextCalls = 0;
    int broughtToFront = 0;
    int closeRequests = 0;

    void ShowText() override { ++showTextCalls; }
    void SetTitle(const std::string& t) override { title = t; }
    void ApplyAppearance(const platform::ViewAppearance& a) override { appearance = a; }
    platform::WindowPlacement Placement() const override { return placement; }
    void SetPlacement(const platform::WindowPlacement& p) override { placement = p; }
    platform::WindowState State() const override { return state; }
    void SetIcon(platform::WindowIcon i) override { icon = i; }
    void SetCaption(std::string_view item, const std::string& c) override {
        captions[std::string(item)] = c;
    }
    void SetChecked(std::string_view command, bool on) override {
        checked[std::string(command)] = on;
    }
    void SetEnabled(std::string_view command, bool on) override {
        enabled[std::string(command)] = on;
    }
    void SetShortcuts(std::string_view command, const std::vector<int>& codes) override {
        shortcuts[std::string(command)] = codes;
    }
    void SetVisible(std::string_view item, bool on) override { visible[std::string(item)] = on; }
    void SetItemIcon(std::string_view command, std::string_view icon) override {
        itemIcons[std::string(command)] = std::string(icon);
    }
    void PopUp(std::string_view menu, int x, int y) override {
        popUps.push_back(std::string(menu) + " " + std::to_string(x) + " " + std::to_string(y));
    }
    void BringToFront() override { ++broughtToFront; }
    void Close() override { ++closeRequests; }
};

// File dialogs answered from a script (nullopt = cancelled; an empty script cancels);
// every question is recorded.
class ScriptedFileDialog : public platform::FileDialog {
  public:
    struct Question {
        bool save;
        std::string startDir, proposedName, filter, defaultExt;
    };
    std::deque<std::optional<std::string>> script;
    std::vector<Question> asked;
    std::optional<std::string> AskOpen(const std::string& dir, const std::string& filter) override {
        asked.push_back({false, dir, {}, filter, {}});
        return Next();
    }
    std::optional<std::string> AskSave(const std::string& dir, const std::string& name,
                                       const std::string& filter, const std::string& ext) override {
        asked.push_back({true, dir, name, filter, ext});
        return Next();
    }

  private:
    std::optional<std::string> Next() {
        if (script.empty())
            return std::nullopt;
        auto a = script.front();
        script.pop_front();
        return a;
    }
};

// Other programs' windows, as a set of "class:NAME" and "title:NAME" entries; keys
// are recorded with the window they went to.
class RecordingWindows : public platform::WindowDirectory, public platform::KeySink {
  public:
    std::set<std::string> existing;
    std::vector<std::string> broughtToFront;
    std::vector<std::pair<std::string, std::vector<platform::KeyEvent>>> keys;
    bool deliverKeys = true;

    std::optional<platform::WindowHandle> FindByClass(const std::string& name) override {
        return Find("class", name);
    }
    std::optional<platform::WindowHandle> FindByTitle(const std::string& name) override {
        return Find("title", name);
    }
    bool BringToFront(const platform::WindowHandle& w) override {
        front_ = w.kind + ":" + w.name;
        broughtToFront.push_back(front_);
        return true;
    }
    bool SendKeyEvents(const std::vector<platform::KeyEvent>& events) override {
        keys.emplace_back(front_, events);
        return deliverKeys;
    }

  private:
    std::optional<platform::WindowHandle> Find(const std::string& kind, const std::string& name) {
        if (!existing.count(kind + ":" + name))
            return std::nullopt;
        return platform::WindowHandle{"Fake", kind, name};
    }
    std::string front_;
};

}  // namespace varnel::fakes
