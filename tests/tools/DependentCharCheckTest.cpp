// The machine-dependent character check: rewrites, alarms and the stop.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "tools/DependentCharCheck.h"

namespace varnel::tools {
namespace {

using Lines = std::vector<std::string>;

std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

TEST(DependentCharCheck, Rewrites) {
    struct Case {
        const char* what;
        std::string in, out;
    } cases[] = {
        {"small roman one", B({0xFA, 0x40}), B({0xEE, 0xEF})},
        {"roman one", B({0xFA, 0x4A}), B({0x87, 0x54})},
        {"kabushiki", B({0xFA, 0x58}), B({0x87, 0x8A})},
        {"because", B({0xFA, 0x5B}), B({0x81, 0xE6})},
        {"first IBM kanji", B({0xFA, 0x5C}), B({0xED, 0x40})},
        {"last IBM kanji (髙 row)", B({0xFC, 0x4B}), B({0xEE, 0xEC})},
        {"NEC twin", B({0x87, 0x90}), B({0x81, 0xE0})},
        {"NEC circled one stays", B({0x87, 0x40}), B({0x87, 0x40})},
        {"half-width ka ga ki gi", "\xb6\xde\xb7\xde", "\x83\x4b\x83\x4d"},
        {"ha pa", "\xca\xdf", "\x83\x70"},
        {"a with a voiced mark", "\xb1\xde", "\x83\x41\x81\x4a"},
        {"u voiced", "\xb3\xde", "\x83\x94"},
        {"lone lead byte at the end", "a\xfa", "a\xfa"},
        {"lone user-defined lead byte", "\xf0", "\xf0"},
        {"lead byte before CR", "\xfa\r", "\xfa\r"},
    };
    for (const auto& c : cases) {
        Lines l{"x" + c.in + "."};  // "." cannot be a trail byte
        EXPECT_FALSE(CheckDependentChars(l, false)) << c.what;
        EXPECT_EQ(l[0], "x" + c.out + ".") << c.what;
        EXPECT_EQ(RewriteDependentChars(c.in), c.out) << c.what;
    }
}

TEST(DependentCharCheck, EveryIbmCharacterKeepsItsMeaning) {
    for (int b = 0xFA; b <= 0xFC; ++b) {
        for (int t = 0x40; t <= 0xFC; ++t) {
            if (t == 0x7F || (b == 0xFC && t > 0x4B))
                continue;
            const std::string in = B({b, t});
            const std::string out = RewriteDependentChars(in);
            ASSERT_EQ(out.size(), 2u);
            EXPECT_LT(static_cast<unsigned char>(out[0]), 0xFA) << std::hex << b << t;
            EXPECT_EQ(text::Cp932ToUtf8(out), text::Cp932ToUtf8(in)) << std::hex << b << " " << t;
        }
    }
}

TEST(DependentCharCheck, AlarmsAndStop) {
    struct Seen {
        std::size_t line, pos;
        DependentChar kind;
        std::string text;
    };
    std::vector<Seen> seen;
    Lines current;
    DependentCharEvents ev;
    ev.lineChanged = [&](std::size_t n, const std::string& t) {
        if (current.size() <= n)
            current.resize(n + 1);
        current[n] = t;
    };
    ev.notice = [&](std::size_t n, std::size_t pos, DependentChar k) {
        seen.push_back({n, pos, k, n < current.size() ? current[n] : ""});
    };
    // Line 0: a half-width kana (2 bytes when full-width) then NEC ① and IBM 髙.
    Lines l{"\xb1" + B({0x87, 0x40}) + B({0xFB, 0xFC}), "ok", "a" + B({0xF0, 0x40}) + "b", "never"};
    EXPECT_TRUE(CheckDependentChars(l, true, ev));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].kind, DependentChar::WindowsOnly);
    EXPECT_EQ(seen[0].pos, 2u);  // after the full-width ア
    EXPECT_EQ(seen[0].text.substr(2, 2), B({0x87, 0x40}));
    EXPECT_EQ(seen[1].kind, DependentChar::OutsideX0208);
    EXPECT_EQ(seen[1].pos, 4u);
    EXPECT_EQ(seen[1].text.substr(4, 2), B({0xEE, 0xE0}));
    EXPECT_EQ(seen[2].kind, DependentChar::Unsendable);
    EXPECT_EQ(seen[2].line, 2u);
    EXPECT_EQ(seen[2].pos, 1u);
    EXPECT_EQ(l[0], "\x83\x41" + B({0x87, 0x40}) + B({0xEE, 0xE0}));  // kept
    EXPECT_EQ(l[3], "never");

    // Without the alarm, only the stop is reported.
    seen.clear();
    Lines quiet{B({0x87, 0x40}) + B({0xFA, 0x5C})};
    EXPECT_FALSE(CheckDependentChars(quiet, false, ev));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(DependentCharMessage(DependentChar::Unsendable), "送信できない機種依存文字です");
    EXPECT_FALSE(WantsDependentCharCheck("/home/u/.config/varnel32/Varnel32.INI"));
    EXPECT_TRUE(WantsDependentCharCheck("/home/u/pelk/out/0001.txt"));
}

}  // namespace
}  // namespace varnel::tools
