// The half-width/full-width tables, built once in table order.
#include "tools/WidthTables.h"

namespace varnel::tools {
namespace {

struct Tables {
    std::array<unsigned char, kWidthTableSize> half{};
    std::array<std::uint16_t, kWidthTableSize> full{};
};

// Full-width partners of 0x21-0x40 (digits included), then 0x5B-0x60, then 0x7B-0x7E.
constexpr std::uint16_t kPunctuationAndDigits[] = {
    0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169,  // ! " # $ % & ' (
    0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,          // ) * + , - . /
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 0-7
    0x8257, 0x8258,                                                  // 8 9
    0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197,          // : ; < = > ? @
    0x816D, 0x818F, 0x816E, 0x814F, 0x8151, 0x8165,                  // [ \ ] ^ _ `
    0x816F, 0x8162, 0x8170, 0x8150,                                  // { | } ~
};

Tables Build() {
    Tables t;
    int i = 0;
    auto add = [&](int c, std::uint16_t code) {
        t.half[i] = static_cast<unsigned char>(c);
        t.full[i] = code;
        ++i;
    };
    int p = 0;
    for (int c = 0x21; c <= 0x40; ++c)
        add(c, kPunctuationAndDigits[p++]);
    for (int c = 0x5B; c <= 0x60; ++c)
        add(c, kPunctuationAndDigits[p++]);
    for (int c = 0x7B; c <= 0x7E; ++c)
        add(c, kPunctuationAndDigits[p++]);
    for (int c = 'A'; c <= 'Z'; ++c)
        add(c, static_cast<std::uint16_t>(0x8260 + (c - 'A')));
    for (int c = 'a'; c <= 'z'; ++c)
        add(c, static_cast<std::uint16_t>(0x8281 + (c - 'a')));
    return t;
}

const Tables& TheTables() {
    static const Tables t = Build();
    return t;
}

}  // namespace

const std::array<unsigned char, kWidthTableSize>& HalfWidthTable() {
    return TheTables().half;
}

const std::array<std::uint16_t, kWidthTableSize>& FullWidthTable() {
    return TheTables().full;
}

int HalfWidthIndex(unsigned char c) {
    const auto& half = HalfWidthTable();
    for (int i = 0; i < kWidthTableSize; ++i)
        if (half[i] == c)
            return i;
    return -1;
}

int FullWidthIndex(std::uint16_t code) {
    const auto& full = FullWidthTable();
    for (int i = 0; i < kWidthTableSize; ++i)
        if (full[i] == code)
            return i;
    return -1;
}

}  // namespace varnel::tools
