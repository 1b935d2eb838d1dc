// Pick list contents. Every symbol lies in the first row of JIS X 0208, so the lists
// are cut from one string of two-byte characters.
#include "tools/PickLists.h"

#include <string_view>

namespace varnel::tools {
namespace {

// 〔〕［］｛｝〈〉《》『』【】‘’“”: nine pairs.
constexpr std::string_view kPairs =
    "\x81\x6b\x81\x6c\x81\x6d\x81\x6e\x81\x6f\x81\x70\x81\x71\x81\x72\x81\x73\x81\x74"
    "\x81\x77\x81\x78\x81\x79\x81\x7a\x81\x65\x81\x66\x81\x67\x81\x68";

// 〒→←↑↓※☆○◎◇□△▽★●◆■▲▼〓♭♪♂♀℃￠￡Å‰±×÷≠≦≧∞∴≒≡§⇒⇔∠≪≫♯¶〃々ゝゞヽヾ仝
constexpr std::string_view kSingles =
    "\x81\xa7\x81\xa8\x81\xa9\x81\xaa\x81\xab\x81\xa6\x81\x99\x81\x9b\x81\x9d\x81\x9e"
    "\x81\xa0\x81\xa2\x81\xa4\x81\x9a\x81\x9c\x81\x9f\x81\xa1\x81\xa3\x81\xa5\x81\xac"
    "\x81\xf3\x81\xf4\x81\x89\x81\x8a\x81\x8e\x81\x91\x81\x92\x81\xf0\x81\xf1\x81\x7d"
    "\x81\x7e\x81\x80\x81\x82\x81\x85\x81\x86\x81\x87\x81\x88\x81\xe0\x81\xdf\x81\x98"
    "\x81\xcb\x81\xcc\x81\xda\x81\xe1\x81\xe2\x81\xf2\x81\xf7\x81\x56\x81\x58\x81\x54"
    "\x81\x55\x81\x52\x81\x53\x81\x57";

void Cut(std::vector<std::string>& out, std::string_view s, std::size_t width) {
    for (std::size_t i = 0; i + width <= s.size(); i += width)
        out.emplace_back(s.substr(i, width));
}

std::vector<std::string> BuildSymbols() {
    std::vector<std::string> list;
    Cut(list, kPairs, 4);
    Cut(list, kSingles, 2);
    return list;
}

// α-ω are 0x83BF-0x83D6 and Α-Ω 0x839F-0x83B6 (JIS row 6 has no final sigma).
std::vector<std::string> BuildGreek() {
    std::vector<std::string> list;
    for (int base : {0xBF, 0x9F})
        for (int i = 0; i < 24; ++i)
            list.push_back(std::string{'\x83', static_cast<char>(base + i)});
    return list;
}

}  // namespace

const std::vector<std::string>& SymbolPickList() {
    static const std::vector<std::string> list = BuildSymbols();
    return list;
}

const std::vector<std::string>& GreekPickList() {
    static const std::vector<std::string> list = BuildGreek();
    return list;
}

}  // namespace varnel::tools
