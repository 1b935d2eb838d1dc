#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

#include "mail/NkfConverter.h"
#include "text/Cp932.h"

using namespace varnel::mail;

namespace {

// One-step glibc conversion; nullopt when iconv refuses the input.
std::optional<std::string> Iconv(const char* from, std::string_view in) {
    iconv_t cd = iconv_open("CP932", from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    char buf[64];
    char* inp = const_cast<char*>(in.data());
    std::size_t inleft = in.size();
    char* outp = buf;
    std::size_t outleft = sizeof buf;
    const std::size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
    const std::size_t r2 =
        r == static_cast<std::size_t>(-1) ? r : iconv(cd, nullptr, nullptr, &outp, &outleft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || r2 == static_cast<std::size_t>(-1) || inleft)
        return std::nullopt;
    return std::string(buf, static_cast<std::size_t>(outp - buf));
}

std::string Jis(unsigned char j1, unsigned char j2) {
    return std::string("\x1b$B") + static_cast<char>(j1) + static_cast<char>(j2) + "\x1b(B";
}

}  // namespace

// Every cell of rows 1-84 against glibc, through both EUC-JP-MS and ISO-2022-JP-3 where
// glibc converts the cell and its two converters agree with each other.
TEST(NkfConverter, MatchesIconvOnRows1To84) {
    int compared = 0;
    int row13 = 0;
    int duplicates = 0;
    for (int row = 1; row <= 84; ++row) {
        for (int cell = 1; cell <= 94; ++cell) {
            const auto j1 = static_cast<unsigned char>(row + 0x20);
            const auto j2 = static_cast<unsigned char>(cell + 0x20);
            const std::string euc{static_cast<char>(j1 | 0x80), static_cast<char>(j2 | 0x80)};
            const std::string ours = JisToSjis(Jis(j1, j2));
            ASSERT_EQ(ours.size(), 2u) << row << "-" << cell;
            EXPECT_EQ(EucToSjis(euc), ours) << row << "-" << cell;
            EXPECT_EQ(NkfConvertString(euc, "-s"), ours);
            const auto viaEuc = Iconv("EUC-JP-MS", euc);
            const auto viaJis = Iconv("ISO-2022-JP-3", Jis(j1, j2));
            std::optional<std::string> ref;
            if (viaEuc && viaJis)
                ref = *viaEuc == *viaJis ? viaEuc : std::nullopt;
            else
                ref = viaEuc ? viaEuc : viaJis;
            if (!ref)
                continue;
            ++compared;
            row13 += row == 13;
            if (ours == *ref)
                continue;
            // CP932 holds some characters twice (NEC row 13 and row 2); iconv's encoder
            // picks one code. Ours must then be the other code of the same character.
            ++duplicates;
            EXPECT_EQ(varnel::text::Cp932ToUtf8(ours), varnel::text::Cp932ToUtf8(*ref))
                << "row " << row << " cell " << cell;
        }
    }
    EXPECT_GT(compared, 6800);
    EXPECT_LE(duplicates, 13);
    EXPECT_GE(row13, 80);  // NEC special characters: circled digits, Roman numerals...
    EXPECT_EQ(JisToSjis(Jis(0x2D, 0x21)), "\x87\x40");
}

TEST(NkfConverter, HalfWidthKanaAllForms) {
    for (int c = 0x21; c <= 0x5F; ++c) {
        const std::string want(1, static_cast<char>(c + 0x80));
        const std::string k(1, static_cast<char>(c));
        EXPECT_EQ(JisToSjis("\x1b(I" + k + "\x1b(B"), want);
        EXPECT_EQ(JisToSjis("\x0e" + k + "\x0f"), want);
        EXPECT_EQ(EucToSjis("\x8e" + want), want);
    }
}

TEST(NkfConverter, ModesAndOddInput) {
    struct Case {
        std::string in, want;
    } cases[] = {
        {"a\x1b$B$\"\x1b(Jb\x1b$@$\"\x1b(Bc",
         "a\x82\xa0"
         "b\x82\xa0"
         "c"},
        {"\x1b$B$\"", "\x82\xa0"},                             // no closing ESC "(B"
        {"\x1b$B$\"$", "\x82\xa0$"},                           // odd byte kept
        {"\x1b$(D0!\x1b(B", "\x81\xac"},                       // JIS X 0212 substitute
        {"\x1b$Bu!\x1b(B", "\x81\xac"},                        // row 85: no CP932 place
        {"\x1b$By!\x1b(B", "\xed\x40"},                        // row 89: NEC-selected IBM
        {"\x1b$B$\"\r\n$\"", "\x82\xa0\r\n\x82\xa0"},          // CR LF pass through
        {"x\x1bzy", "x\x1bzy"},                                // unknown escape kept
        {"\x1b$B$\"\x0e\x31\x0f$\"", "\x82\xa0\xb1\x82\xa0"},  // SI returns to kanji
    };
    for (const auto& c : cases)
        EXPECT_EQ(JisToSjis(c.in), c.want) << c.in;
    EXPECT_EQ(EucToSjis("\x8f\xb0\xa1x"),
              "\x81\xac"
              "x");
    EXPECT_EQ(EucToSjis("a\xa4"), "a\xa4");
    EXPECT_EQ(NkfConvertString("\x1b$B$\"", "-j"), "\x1b$B$\"");
    EXPECT_TRUE(NkfAvailable());
}
