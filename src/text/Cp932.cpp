// CP932 <-> UTF-8 through glibc iconv (CP932 -> UTF-8 through a table taken from it),
// with visible substitutes for bad input.
#include "text/Cp932.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

#include "text/Sjis.h"

namespace varnel::text {
namespace {

// One iconv descriptor per direction for the life of the process; the UI thread is
// the only caller, but keep it thread-local so tests may run in parallel threads.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns how many input bytes were consumed. The
    // output goes straight into out with room for growth bytes per input byte, so one
    // call usually converts everything (small output buffers make iconv convert parts
    // of its input twice).
    std::size_t Run(std::string_view in, std::string& out, std::size_t growth) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        lastError_ = 0;
        char* inp = const_cast<char*>(in.data());
        std::size_t inleft = in.size();
        while (inleft > 0) {
            const std::size_t used = out.size();
            out.resize(used + inleft * growth + 16);
            char* outp = out.data() + used;
            std::size_t outleft = out.size() - used;
            const std::size_t r = iconv(cd_, &inp, &inleft, &outp, &outleft);
            const int error = r == static_cast<std::size_t>(-1) ? errno : 0;
            out.resize(static_cast<std::size_t>(outp - out.data()));
            lastError_ = error;
            if (error != 0 && error != E2BIG)
                break;
        }
        return in.size() - inleft;
    }
    // Why the last Run stopped short: EILSEQ (bad input) or EINVAL (cut off).
    int LastError() const { return lastError_; }

  private:
    iconv_t cd_;
    int lastError_ = 0;
};

Converter& FromCp932() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}
Converter& ToCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

std::size_t Utf8SequenceLength(unsigned char c) {
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1;
}

// CP932 -> UTF-8 by table: what iconv gives for each single byte and each lead/trail
// pair, asked once per process (about 16,000 small calls, well under a millisecond).
// An entry holds the UTF-8 bytes in its upper three bytes and their count in its low
// byte; 0 marks a byte or pair iconv rejects. The single bytes have one table for each
// way of writing control bytes, taken from the plain one through AppendCaretEscaped.
class Cp932Table {
  public:
    Cp932Table() {
        Converter& c = FromCp932();
        std::string out;
        for (int b = 0; b < 256; ++b) {
            const char one[1] = {static_cast<char>(b)};
            out.clear();
            if (c.Run({one, 1}, out, 3) == 1)
                single_[0][b] = Pack(out);
            else if (c.LastError() == EINVAL)  // a lead byte cut off
                lead_[b] = true;
        }
        for (int b = 0; b < 0x80; ++b)
            usable_ = usable_ && !lead_[b];
        for (int b = 0; b < 256; ++b) {
            if (!lead_[b])
                continue;
            for (int t = 0; t < 256; ++t) {
                const char two[2] = {static_cast<char>(b), static_cast<char>(t)};
                out.clear();
                if (c.Run({two, 2}, out, 3) == 2)
                    pair_[b - 0x80][t] = Pack(out);
            }
        }
        for (int b = 0; b < 256; ++b) {
            single_[1][b] = Escaped(single_[0][b], false);
            single_[2][b] = Escaped(single_[0][b], true);
        }
        for (const auto& row : pair_)
            for (const std::uint32_t e : row)
                pairsHoldNoControls_ = pairsHoldNoControls_ && Escaped(e, false) == e;
    }

    // False when an entry could not hold what iconv gives (the iconv path is taken).
    bool Usable(Controls controls) const {
        return usable_ && (controls == Controls::kKeep || pairsHoldNoControls_);
    }

    void Append(std::string_view s, std::string& out, Controls controls) const {
        const auto& single = single_[static_cast<int>(controls)];
        const std::size_t used = out.size();
        out.resize(used + s.size() * 3);  // three bytes at most per input byte
        char* o = out.data() + used;
        const auto* p = reinterpret_cast<const unsigned char*>(s.data());
        const std::size_t n = s.size();
        for (std::size_t i = 0; i < n;) {
            const unsigned char c = p[i];
            if (c < 0x80 && single[c] == (std::uint32_t{c} << 8 | 1)) {
                *o++ = static_cast<char>(c);
                ++i;
                continue;
            }
            std::uint32_t e = single[c];
            std::size_t len = 1;
            if (lead_[c]) {
                e = i + 1 < n ? pair_[c - 0x80][p[i + 1]] : 0;
                len = 2;
            }
            if (e == 0) {
                // What iconv rejects becomes U+FFFD; a broken pair counts as one.
                e = kReplacement;
                len = CharLengthAt(s, i);
            }
            // Three bytes stored whatever the length: room for them is always left.
            o[0] = static_cast<char>(e >> 8);
            o[1] = static_cast<char>(e >> 16);
            o[2] = static_cast<char>(e >> 24);
            o += e & 0xFF;
            i += len;
        }
        out.resize(static_cast<std::size_t>(o - out.data()));
    }

  private:
    static constexpr std::uint32_t kReplacement = 0xBDBFEF03;  // EF BF BD, three bytes

    std::uint32_t Pack(std::string_view utf8) {
        if (utf8.empty() || utf8.size() > 3) {
            usable_ = false;  // beyond what an entry holds
            return 0;
        }
        std::uint32_t e = static_cast<std::uint32_t>(utf8.size());
        for (std::size_t k = 0; k < utf8.size(); ++k)
            e |= std::uint32_t{static_cast<unsigned char>(utf8[k])} << (8 * (k + 1));
        return e;
    }

    std::uint32_t Escaped(std::uint32_t e, bool keepLf) {
        if (e == 0)
            return 0;
        char bytes[3] = {static_cast<char>(e >> 8), static_cast<char>(e >> 16),
                         static_cast<char>(e >> 24)};
        std::string escaped;
        AppendCaretEscaped({bytes, e & 0xFF}, escaped, keepLf);
        return Pack(escaped);
    }

    // Indexed by Controls.
    std::array<std::array<std::uint32_t, 256>, 3> single_{};
    std::array<bool, 256> lead_{};
    std::array<std::array<std::uint32_t, 256>, 128> pair_{};  // lead bytes are above 0x7F
    bool usable_ = true;
    bool pairsHoldNoControls_ = true;
};

// Built on first use and never changed after: threads share it.
const Cp932Table& Table() {
    static const Cp932Table t;
    return t;
}

bool IsCaretEscaped(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

}  // namespace

void AppendCp932AsUtf8ByIconv(std::string_view s, std::string& out) {
    out.reserve(out.size() + s.size() * 3 + 16);
    while (!s.empty()) {
        // A CP932 character (one or two bytes) is at most three bytes of UTF-8.
        const std::size_t used = FromCp932().Run(s, out, 3);
        s.remove_prefix(used);
        if (s.empty())
            break;
        out += "\xEF\xBF\xBD";
        s.remove_prefix(CharLengthAt(s, 0));
    }
}

void AppendCp932AsUtf8(std::string_view s, std::string& out, Controls controls) {
    const Cp932Table& t = Table();
    if (t.Usable(controls)) {
        t.Append(s, out, controls);
    } else if (controls == Controls::kKeep) {
        AppendCp932AsUtf8ByIconv(s, out);
    } else {
        std::string utf8;
        AppendCp932AsUtf8(s, utf8, Controls::kKeep);
        AppendCaretEscaped(utf8, out, controls == Controls::kCaretButLf);
    }
}

void AppendCaretEscaped(std::string_view utf8, std::string& out, bool keepLf) {
    std::size_t run = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (!IsCaretEscaped(c) || (keepLf && c == '\n'))
            continue;
        out.append(utf8, run, i - run);
        out += '^';
        out += static_cast<char>(c ^ 0x40);  // ESC -> "^[", BEL -> "^G", DEL -> "^?"
        run = i + 1;
    }
    out.append(utf8, run, utf8.size() - run);
}

std::string Cp932ToUtf8(std::string_view s) {
    std::string out;
    AppendCp932AsUtf8(s, out);
    return out;
}

std::string Utf8ToCp932(std::string_view s, std::string_view substitute) {
    std::string out;
    out.reserve(s.size() + 16);
    while (!s.empty()) {
        const std::size_t used = ToCp932().Run(s, out, 1);
        s.remove_prefix(used);
        if (s.empty())
            break;
        out += substitute;
        const std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(s[0]));
        s.remove_prefix(n <= s.size() ? n : s.size());
    }
    return out;
}

std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset) {
    const iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    out.reserve(bytes.size() * 2);
    char* inp = const_cast<char*>(bytes.data());
    std::size_t inleft = bytes.size();
    char buf[4096];
    // The last round passes no input and writes out any pending shift state.
    for (bool flushed = false; !flushed;) {
        char* outp = buf;
        std::size_t outleft = sizeof buf;
        const bool last = inleft == 0;
        const std::size_t r = last ? iconv(cd, nullptr, nullptr, &outp, &outleft)
                                   : iconv(cd, &inp, &inleft, &outp, &outleft);
        out.append(buf, static_cast<std::size_t>(outp - buf));
        if (r != static_cast<std::size_t>(-1)) {
            flushed = last;
        } else if (errno != E2BIG) {
            // An invalid or cut-off sequence: a visible substitute, then on after its byte.
            out += "\xEF\xBF\xBD";
            if (inleft > 0) {
                ++inp;
                --inleft;
            } else {
                flushed = true;
            }
        }
    }
    iconv_close(cd);
    return out;
}

bool IsNonAsciiUtf8(std::string_view s) {
    bool wide = false;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t n;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        wide = true;
        i += n;
    }
    return wide;
}

}  // namespace varnel::text
