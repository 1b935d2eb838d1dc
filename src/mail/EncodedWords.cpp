// RFC 2047 encoded-word decoding.
#include "mail/EncodedWords.h"

#include <algorithm>

#include "mail/Base64.h"
#include "mail/Charset.h"
#include "text/HexEscape.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

void AppendByte(std::string& out, int b) {
    if (b != 0)  // a NUL would end the display line early
        out += static_cast<char>(b);
}

// "=XX" decoded; with underscoreIsBlank, "_" becomes a blank (RFC 2047 "Q").
void DecodeQuotedPrintable(std::string_view s, bool underscoreIsBlank, std::string& out) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '=' && i + 2 < s.size()) {
            if (const int b = text::HexPairAt(s, i + 1); b >= 0) {
                AppendByte(out, b);
                i += 2;
                continue;
            }
        }
        if (c == '_' && underscoreIsBlank)
            out += ' ';
        else if (c != ' ' && c != '\t')
            AppendByte(out, static_cast<unsigned char>(c));
    }
}

struct Word {
    std::size_t end = 0;  // just after "?="
    std::string charset;  // lower-cased
    bool base64 = false;
    std::string_view data;
};

// Parses "=?charset?B|Q?data?=" at pos. Whitespace inside data is allowed (folding).
// noCloseFrom: once no "?=" follows some position, none follows any later one; keeping
// that position makes a text full of unclosed words cost linear time.
bool ParseWordAt(std::string_view s, std::size_t pos, Word& w, std::size_t& noCloseFrom) {
    if (s.substr(pos, 2) != "=?")
        return false;
    const std::size_t cs = pos + 2;
    const std::size_t q1 = s.substr(0, std::min(s.size(), cs + 65)).find('?', cs);
    if (q1 == std::string_view::npos || q1 == cs)
        return false;
    const std::string_view charset = s.substr(cs, q1 - cs);
    if (charset.find_first_of(" \t\"=;") != std::string_view::npos)
        return false;
    if (q1 + 2 >= s.size() || s[q1 + 2] != '?')
        return false;
    const char e = s[q1 + 1];
    if (e != 'B' && e != 'b' && e != 'Q' && e != 'q')
        return false;
    const std::size_t data = q1 + 3;
    if (data >= noCloseFrom)
        return false;
    const std::size_t close = s.find("?=", data);
    if (close == std::string_view::npos) {
        noCloseFrom = data;
        return false;
    }
    w.end = close + 2;
    w.charset = text::ToLowerAscii(charset);
    w.base64 = e == 'B' || e == 'b';
    w.data = s.substr(data, close - data);
    return true;
}

bool IsBlankRun(std::string_view s) {
    for (const char c : s) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

}  // namespace

std::string DecodeEncodedWords(std::string_view s, std::string_view prefix) {
    if (prefix.empty())
        return std::string(s);
    const std::string lower = text::ToLowerAscii(s);
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t q = text::Find(lower, prefix, pos);
        if (q == text::npos)
            break;
        Base64Decoder b64;
        std::string bytes;
        std::size_t i = q + prefix.size();
        bool ok = false;
        for (; i < s.size(); ++i) {
            if (s[i] == '?') {
                ok = true;
                break;
            }
            if (!b64.Feed(s[i], bytes))
                break;
        }
        if (!ok) {  // leave the broken word as it stands and look further on
            out.append(s.substr(pos, q + prefix.size() - pos));
            pos = q + prefix.size();
            continue;
        }
        b64.Flush(bytes);
        out.append(s.substr(pos, q - pos));
        out += bytes;
        ++i;  // the "?"
        if (i < s.size() && s[i] == '=')
            ++i;
        pos = i;
    }
    out.append(s.substr(pos));
    return out;
}

std::string DecodeQWord(std::string_view line, std::size_t p, std::size_t n) {
    if (p > line.size())
        return std::string(line);
    std::string out(line.substr(0, p));
    const std::size_t start = std::min(line.size(), p + n);
    std::size_t end = line.find("?=", start);
    const std::size_t restAt = end == std::string_view::npos ? line.size() : end + 2;
    if (end == std::string_view::npos)
        end = line.size();
    const std::string_view body = line.substr(start, end - start);
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '=' && i + 2 < body.size()) {
            if (const int b = text::HexPairAt(body, i + 1); b >= 0) {
                AppendByte(out, b);
                i += 2;
                continue;
            }
        }
        AppendByte(out, static_cast<unsigned char>(body[i]));
    }
    out.append(line.substr(restAt));
    return out;
}

std::string DecodeMimeWords(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    // The run of adjacent words in one charset whose bytes are gathered before converting.
    std::string runCharset;
    std::string runBytes;
    Base64Decoder runB64;
    bool inRun = false;
    auto flush = [&] {
        if (!inRun)
            return;
        runB64.Flush(runBytes);
        out += CharsetToCp932(runBytes, runCharset);
        runBytes.clear();
        inRun = false;
    };
    std::size_t noCloseFrom = text::npos;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t at = text::Find(s, "=?", pos);
        Word w;
        if (at == text::npos) {
            flush();
            out.append(s.substr(pos));
            break;
        }
        if (!ParseWordAt(s, at, w, noCloseFrom)) {
            flush();
            out.append(s.substr(pos, at + 2 - pos));
            pos = at + 2;
            continue;
        }
        const std::string_view gap = s.substr(pos, at - pos);
        if (!(inRun && IsBlankRun(gap))) {
            flush();
            out.append(gap);
        } else if (w.charset != runCharset) {
            flush();
        }
        if (!inRun) {
            inRun = true;
            runCharset = w.charset;
        }
        bool ok = true;
        if (w.base64) {
            Base64Decoder trial = runB64;
            std::string bytes;
            for (const char c : w.data) {
                if (!trial.Feed(c, bytes)) {
                    ok = false;
                    break;
                }
            }
            if (ok) {
                runB64 = trial;
                runBytes += bytes;
            }
        } else {
            runB64.Flush(runBytes);
            DecodeQuotedPrintable(w.data, true, runBytes);
        }
        if (!ok) {  // not Base64 after all: keep the word's text
            flush();
            out.append(s.substr(at, w.end - at));
        }
        pos = w.end;
    }
    flush();
    return out;
}

}  // namespace varnel::mail
