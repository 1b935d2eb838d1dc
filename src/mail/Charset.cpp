// Declared charset to CP932.
#include "mail/Charset.h"

#include "mail/NkfConverter.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

bool OneOf(std::string_view cs, std::initializer_list<std::string_view> names) {
    for (auto n : names) {
        if (cs == n)
            return true;
    }
    return false;
}

bool IsShiftJisFamily(std::string_view cs) {
    return OneOf(cs, {"shift_jis", "shift-jis", "sjis", "x-sjis", "cp932", "ms932", "windows-31j",
                      "ms_kanji", "csshiftjis", "cswindows31j", "ibm-943", "us-ascii", "ascii"});
}

// Only ordinary set names reach iconv: letters, digits and a few marks, no "/" options.
bool IsPlainCharsetName(std::string_view cs) {
    if (cs.size() > 40)
        return false;
    for (const char c : cs) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
              c == '.' || c == ':'))
            return false;
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

std::string CharsetToCp932(std::string_view bytes, std::string_view charset) {
    std::string cs = text::ToLowerAscii(text::TrimBlanks(charset));
    if (const auto star = cs.find('*'); star != std::string::npos)
        cs.resize(star);
    if (cs.starts_with("iso-2022-jp") || cs == "csiso2022jp" || cs == "jis")
        return JisToSjis(bytes);
    if (OneOf(cs, {"euc-jp", "eucjp", "x-euc-jp", "euc-jp-ms", "eucjp-ms", "cseucpkdfmtjapanese",
                   "eucjp-win"}))
        return EucToSjis(bytes);
    if (cs == "utf-8" || cs == "utf8")
        return text::Utf8ToCp932(bytes);
    if (OneOf(cs, {"iso-8859-1", "latin1", "iso_8859-1", "l1"}))
        return text::Utf8ToCp932(Latin1ToUtf8(bytes));
    // Any other set iconv knows (windows-1252, ISO-8859-15, KOI8-R, GB2312, ...) goes
    // through Unicode; the Shift_JIS family never does, so its NEC and IBM rows survive.
    if (!cs.empty() && !IsShiftJisFamily(cs) && IsPlainCharsetName(cs)) {
        if (auto utf8 = text::CharsetToUtf8(bytes, cs))
            return text::Utf8ToCp932(*utf8);
    }
    // Shift_JIS, CP932, ASCII and unknown sets keep their bytes; a raw JIS escape in
    // them is converted all the same, since some mailers label JIS names wrongly.
    if (bytes.find('\x1b') != std::string_view::npos)
        return JisToSjis(bytes);
    return std::string(bytes);
}

}  // namespace varnel::mail
