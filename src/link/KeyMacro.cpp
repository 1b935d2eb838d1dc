// Keystroke macro parser. Characters map to keys as on a US keyboard, the layout the
// mailer's macros were written against: an upper-case letter is Shift + the letter.
#include "link/KeyMacro.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace varnel::link {
namespace {

using platform::KeyEvent;

constexpr std::uint8_t kShift = 0x10, kCtrl = 0x11, kAlt = 0x12, kEnter = 0x0D;
constexpr std::uint8_t kNumLock = 0x90;
constexpr std::size_t kMaxNameLength = 20;

struct NamedKey {
    std::string_view name;
    std::uint8_t vk;
};

constexpr std::array<NamedKey, 41> kKeyNames{{
    {"BACKSPACE", 0x08}, {"BKSP", 0x08},    {"BREAK", 0x03},      {"BS", 0x08},
    {"CAPSLOCK", 0x14},  {"CLEAR", 0x0C},   {"DEL", 0x2E},        {"DELETE", 0x2E},
    {"DOWN", 0x28},      {"END", 0x23},     {"ENTER", 0x0D},      {"ESC", 0x1B},
    {"ESCAPE", 0x1B},    {"F1", 0x70},      {"F10", 0x79},        {"F11", 0x7A},
    {"F12", 0x7B},       {"F13", 0x7C},     {"F14", 0x7D},        {"F15", 0x7E},
    {"F16", 0x7F},       {"F2", 0x71},      {"F3", 0x72},         {"F4", 0x73},
    {"F5", 0x74},        {"F6", 0x75},      {"F7", 0x76},         {"F8", 0x77},
    {"F9", 0x78},        {"HELP", 0x2F},    {"HOME", 0x24},       {"INS", 0x2D},
    {"LEFT", 0x25},      {"NUMLOCK", 0x90}, {"PGDN", 0x22},       {"PGUP", 0x21},
    {"PRTSC", 0x2A},     {"RIGHT", 0x27},   {"SCROLLLOCK", 0x91}, {"TAB", 0x09},
    {"UP", 0x26},
}};

bool IsExtended(std::uint8_t vk) {
    return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E;
}

// A key with the modifiers the layout needs for a character.
struct LayoutKey {
    std::uint8_t vk = 0;
    bool shift = false;
};

std::optional<LayoutKey> KeyForChar(char c) {
    if (c >= 'a' && c <= 'z')
        return LayoutKey{static_cast<std::uint8_t>(c - 'a' + 'A'), false};
    if (c >= 'A' && c <= 'Z')
        return LayoutKey{static_cast<std::uint8_t>(c), true};
    if (c >= '0' && c <= '9')
        return LayoutKey{static_cast<std::uint8_t>(c), false};
    static constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
    if (auto p = kShiftedDigits.find(c); p != std::string_view::npos)
        return LayoutKey{static_cast<std::uint8_t>('0' + p), true};
    struct Punct {
        char plain, shifted;
        std::uint8_t vk;
    };
    static constexpr Punct kPunct[] = {{';', ':', 0xBA}, {'=', '+', 0xBB}, {',', '<', 0xBC},
                                       {'-', '_', 0xBD}, {'.', '>', 0xBE}, {'/', '?', 0xBF},
                                       {'`', '~', 0xC0}, {'[', '{', 0xDB}, {'\\', '|', 0xDC},
                                       {']', '}', 0xDD}, {'\'', '"', 0xDE}};
    for (const Punct& p : kPunct) {
        if (c == p.plain)
            return LayoutKey{p.vk, false};
        if (c == p.shifted)
            return LayoutKey{p.vk, true};
    }
    switch (c) {
        case ' ':
            return LayoutKey{0x20, false};
        case '\t':
            return LayoutKey{0x09, false};
        case '\r':
            return LayoutKey{kEnter, false};
        default:
            return std::nullopt;
    }
}

class Parser {
  public:
    KeyMacroResult Run(std::string_view macro) {
        if (macro.empty())
            return std::move(r_);
        std::size_t i = 0;
        while (i < macro.size()) {
            const char c = macro[i];
            switch (c) {
                case '+':
                    Hold(kShift);
                    ++i;
                    break;
                case '^':
                    Hold(kCtrl);
                    ++i;
                    break;
                case '%':
                    Hold(kAlt);
                    ++i;
                    break;
                case '(':
                    inGroup_ = true;
                    ++i;
                    break;
                case ')':
                    inGroup_ = false;
                    ReleaseHeld();
                    ++i;
                    break;
                case '~':
                    Send(LayoutKey{kEnter, false}, 1);
                    AfterKey();
                    ++i;
                    break;
                case '{':
                    if (!Brace(macro, i)) {
                        Problem("No Close");
                        ReleaseHeld();  // a held Alt must not outlive the macro
                        return std::move(r_);
                    }
                    break;
                default:
                    if (auto k = KeyForChar(c)) {
                        Send(*k, 1);
                        AfterKey();
                    } else {
                        Problem("Invalid KeyName");
                    }
                    ++i;
                    break;
            }
        }
        ReleaseHeld();
        r_.complete = true;
        return std::move(r_);
    }

  private:
    // Handles "{...}" at i and moves i past it; false when the closing brace is missing.
    bool Brace(std::string_view macro, std::size_t& i) {
        if (macro.substr(i, 3) == "{{}") {
            Send(LayoutKey{0xDB, true}, 1);
            AfterKey();
            i += 3;
            return true;
        }
        const std::size_t close = macro.find('}', i + 1);
        if (close == std::string_view::npos)
            return false;
        std::string_view name = macro.substr(i + 1, close - i - 1);
        i = close + 1;
        if (name.empty() && i < macro.size() && macro[i] == '}') {
            Send(LayoutKey{0xDD, true}, 1);
            AfterKey();
            ++i;
            return true;
        }
        int count = 1;
        if (const std::size_t blank = name.find(' '); blank != std::string_view::npos) {
            const auto parsed = ParseCount(name.substr(blank + 1));
            if (!parsed) {
                Problem("Invalid Key Name");
                return true;
            }
            count = *parsed;
            name = name.substr(0, blank);
        }
        if (name.size() == 1) {
            if (auto k = KeyForChar(name[0])) {
                Send(*k, count);
                AfterKey();
            } else {
                Problem("Invalid KeyName");
            }
            return true;
        }
        const unsigned vk = name.size() <= kMaxNameLength ? KeyNameCode(name) : 0;
        if (vk == 0) {
            Problem("Invalid Key Name");
            return true;
        }
        // NumLock only changes the sender's own keyboard state; nothing is typed.
        if (vk != kNumLock)
            Send(LayoutKey{static_cast<std::uint8_t>(vk), false}, count);
        AfterKey();
        return true;
    }

    // Decimal digits only, clamped: "{DOWN 999999999999}" must not loop for ever.
    static std::optional<int> ParseCount(std::string_view s) {
        if (s.empty() ||
            !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        if (s.size() > 9)
            return kMaxKeyRepeat;
        int n = 0;
        for (char c : s)
            n = n * 10 + (c - '0');
        return std::min(n, kMaxKeyRepeat);
    }

    void Hold(std::uint8_t vk) {
        if (std::find(held_.begin(), held_.end(), vk) != held_.end())
            return;
        held_.push_back(vk);
        r_.events.push_back(KeyEvent{vk, true, false});
    }

    void ReleaseHeld() {
        for (auto it = held_.rbegin(); it != held_.rend(); ++it)
            r_.events.push_back(KeyEvent{*it, false, false});
        held_.clear();
    }

    void AfterKey() {
        if (!inGroup_)
            ReleaseHeld();
    }

    void Send(LayoutKey k, int count) {
        const bool pressShift =
            k.shift && std::find(held_.begin(), held_.end(), kShift) == held_.end();
        if (pressShift)
            r_.events.push_back(KeyEvent{kShift, true, false});
        const bool ext = IsExtended(k.vk);
        for (int n = 0; n < count; ++n) {
            r_.events.push_back(KeyEvent{k.vk, true, ext});
            r_.events.push_back(KeyEvent{k.vk, false, ext});
        }
        if (pressShift)
            r_.events.push_back(KeyEvent{kShift, false, false});
    }

    // A problem is told where it arose: before the keys that follow it.
    void Problem(std::string text) {
        r_.problems.push_back(std::move(text));
        r_.problemAt.push_back(r_.events.size());
    }

    KeyMacroResult r_;
    std::vector<std::uint8_t> held_;
    bool inGroup_ = false;
};

}  // namespace

unsigned KeyNameCode(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    const auto it =
        std::lower_bound(kKeyNames.begin(), kKeyNames.end(), upper,
                         [](const NamedKey& k, const std::string& n) { return k.name < n; });
    return it != kKeyNames.end() && it->name == upper ? it->vk : 0;
}

KeyMacroResult ParseKeyMacro(std::string_view macro) {
    return Parser().Run(macro);
}

}  // namespace varnel::link
