// Drafts to standard messages.
#include "Outgoing.h"

#include <iconv.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <ctime>
#include <vector>

#include "RawMail.h"
#include "mail/Boundary.h"
#include "mail/MimeParameters.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace pelkmail {

using namespace varnel;

namespace {

constexpr std::size_t kMaxWordBytes = 42;  // 56 Base64 characters: a word stays within 75

// The JIS X 0208 code of a CP932 double-byte character, 0 when it has none there.
unsigned JisCode(unsigned char c1, unsigned char c2) {
    if (c1 >= 0xF0 || c2 < 0x40 || c2 == 0x7F || c2 > 0xFC)
        return 0;
    const unsigned lead = c1 >= 0xE0 ? c1 - 0x40u : c1;
    unsigned j1 = (lead - 0x81u) * 2u + 0x21u;
    unsigned j2;
    if (c2 >= 0x9F) {
        ++j1;
        j2 = c2 - 0x7Eu;
    } else {
        j2 = c2 - (c2 >= 0x80 ? 0x20u : 0x1Fu);
    }
    if (j1 > 0x74)
        return 0;
    // The assigned cells of JIS X 0208, as the system's EUC-JP decoder knows them.
    static const auto assigned = [] {
        std::array<bool, 94 * 94> a{};
        iconv_t cd = ::iconv_open("UTF-8", "EUC-JP");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return a;
        for (unsigned r = 0; r < 94; ++r) {
            for (unsigned c = 0; c < 94; ++c) {
                char in[2] = {static_cast<char>(0xA1 + r), static_cast<char>(0xA1 + c)};
                char out[8];
                char* ip = in;
                char* op = out;
                std::size_t il = 2, ol = sizeof out;
                a[r * 94 + c] = ::iconv(cd, &ip, &il, &op, &ol) != static_cast<std::size_t>(-1);
                ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        ::iconv_close(cd);
        return a;
    }();
    if (!assigned[(j1 - 0x21) * 94 + (j2 - 0x21)])
        return 0;
    return j1 << 8 | j2;
}

std::string Base64(std::string_view in) {
    static constexpr char k[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < in.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(in[i]) << 16;
        if (i + 1 < in.size())
            v |= static_cast<unsigned char>(in[i + 1]) << 8;
        if (i + 2 < in.size())
            v |= static_cast<unsigned char>(in[i + 2]);
        out += k[v >> 18 & 63];
        out += k[v >> 12 & 63];
        out += i + 1 < in.size() ? k[v >> 6 & 63] : '=';
        out += i + 2 < in.size() ? k[v & 63] : '=';
    }
    return out;
}

std::string Base64Lines(std::string_view in) {
    const std::string b = Base64(in);
    std::string out;
    for (std::size_t i = 0; i < b.size(); i += 76)
        out += b.substr(i, 76) + "\r\n";
    return out;
}

// The text's characters, each a byte string.
std::vector<std::string_view> Chars(std::string_view s) {
    std::vector<std::string_view> out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = text::CharLengthAt(s, i);
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

bool IsAddressField(std::string_view lowerName) {
    for (std::string_view n : {"to", "cc", "bcc", "from", "reply-to", "sender"}) {
        if (lowerName == n)
            return true;
    }
    return false;
}

struct WireText {
    std::string contentType;  // "text/plain; charset=..."
    std::string encoding;     // transfer encoding
    std::string body;         // ends with CR LF
};

WireText EncodeText(std::string_view cp932) {
    std::string text(cp932);
    if (!text.empty() && !text.ends_with("\r\n"))
        text += "\r\n";
    if (FitsIso2022Jp(text)) {
        std::string jis = Cp932ToIso2022Jp(text);
        bool longLine = false;
        for (auto line : Lines(jis))
            longLine = longLine || line.size() > 998;
        if (!longLine)
            return {"text/plain; charset=ISO-2022-JP", "7bit", std::move(jis)};
        return {"text/plain; charset=ISO-2022-JP", "base64", Base64Lines(jis)};
    }
    return {"text/plain; charset=UTF-8", "base64", Base64Lines(text::Cp932ToUtf8(text))};
}

std::string EncodedWord(std::string_view cp932Chunk, bool jis) {
    if (jis)
        return "=?ISO-2022-JP?B?" + Base64(Cp932ToIso2022Jp(cp932Chunk)) + "?=";
    return "=?UTF-8?B?" + Base64(text::Cp932ToUtf8(cp932Chunk)) + "?=";
}

std::string HeaderWireValue(const Field& f);

// A stored-form entity (CP932 headers and text) in wire form.
std::string ToWire(std::string_view crlf, int depth) {
    Part p = SplitPart(crlf);
    if (p.headerOnly || depth > 20)
        return std::string(crlf);
    for (auto& f : p.fields) {
        if (!f.name.empty() && !IsAscii(f.Value()))
            f.lines = {f.name + ": " + HeaderWireValue(f)};
    }
    const std::string ct = p.Value("Content-Type");
    const std::string type = ct.empty() ? "text/plain" : MediaType(ct);
    bool named = false;
    for (const auto& param : mail::ParseMimeParameters(ct))
        named = named || param.name == "name";
    for (const auto& param : mail::ParseMimeParameters(p.Value("Content-Disposition")))
        named = named || param.name == "filename";
    if (type.starts_with("multipart/")) {
        const std::string open = "--" + mail::ExtractBoundary(ct);
        if (open.size() == 2)
            return p.Join();
        std::string out, piece;
        bool inPart = false;
        auto flush = [&] {
            out += inPart ? ToWire(piece, depth + 1) : piece;
            piece.clear();
        };
        for (auto line : Lines(p.body)) {
            if (line.starts_with(open) &&
                (line.size() == open.size() || line.substr(open.size()) == "--")) {
                flush();
                out += std::string(line) + "\r\n";
                inPart = line.size() == open.size();
                continue;
            }
            piece += std::string(line) + "\r\n";
        }
        flush();
        p.body = out;
    } else if (type == "message/rfc822" && !named) {
        Part inner = SplitPart(p.body);
        inner.Remove("X-Status");  // the mailer's own mark stays home
        p.body = ToWire(inner.Join(), depth + 1);
    } else if (type == "text/plain" && !named && !IsAscii(p.body)) {
        const std::string cs = text::ToLowerAscii(ct);
        const std::string enc = text::ToLowerAscii(p.Value("Content-Transfer-Encoding"));
        if (cs.find("8859") == std::string::npos && enc.find("base64") == std::string::npos &&
            enc.find("quoted") == std::string::npos) {
            WireText w = EncodeText(p.body);
            p.Set("Content-Type", w.contentType);
            p.Set("Content-Transfer-Encoding", w.encoding);
            p.body = w.body;
        }
    }
    return p.Join();
}

std::string HeaderWireValue(const Field& f) {
    const std::string v = f.Value();
    return IsAddressField(text::ToLowerAscii(f.name)) ? EncodeAddresses(v) : EncodeWords(v);
}

// The addresses of a list, split at commas outside quotes, angle brackets and comments.
std::vector<std::string> SplitAddresses(std::string_view list) {
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false;
    int angle = 0, paren = 0;
    for (std::size_t i = 0; i < list.size();) {
        const std::size_t n = text::CharLengthAt(list, i);
        const char c = list[i];
        if (n == 1) {
            if (c == '"' && paren == 0)
                quoted = !quoted;
            else if (!quoted && c == '<')
                ++angle;
            else if (!quoted && c == '>' && angle > 0)
                --angle;
            else if (!quoted && c == '(')
                ++paren;
            else if (!quoted && c == ')' && paren > 0)
                --paren;
        }
        if (n == 1 && c == ',' && !quoted && angle == 0 && paren == 0) {
            out.push_back(cur);
            cur.clear();
        } else {
            cur.append(list.substr(i, n));
        }
        i += n;
    }
    out.push_back(cur);
    std::vector<std::string> trimmed;
    for (const auto& a : out) {
        const std::string t(text::TrimBlanks(a));
        if (!t.empty())
            trimmed.push_back(t);
    }
    return trimmed;
}

std::string EncodeOneAddress(std::string_view a) {
    if (IsAscii(a))
        return std::string(a);
    const std::size_t lt = text::FindChar(a, '<');
    if (lt != std::string_view::npos) {
        std::string name(text::TrimBlanks(a.substr(0, lt)));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        std::string out = name.empty() ? "" : EncodeWords(name) + " ";
        return out + std::string(a.substr(lt));
    }
    const std::size_t lp = text::FindChar(a, '(');
    const std::size_t rp = text::FindLast(a, ")");
    if (lp != std::string_view::npos && rp != std::string_view::npos && rp > lp)
        return std::string(a.substr(0, lp + 1)) + EncodeWords(a.substr(lp + 1, rp - lp - 1)) +
               std::string(a.substr(rp));
    return EncodeWords(a);
}

std::string Fold(std::string_view name, const std::vector<std::string>& items,
                 std::string_view separator) {
    std::string out;
    std::size_t col = name.size() + 2;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string item = items[i] + (i + 1 < items.size() ? std::string(separator) : "");
        if (i > 0 && col + item.size() > 76) {
            out += "\r\n ";
            col = 1;
        } else if (i > 0) {
            out += ' ';
            ++col;
        }
        out += item;
        col += item.size();
    }
    return out;
}

}  // namespace

bool FitsIso2022Jp(std::string_view cp932) {
    for (auto ch : Chars(cp932)) {
        const auto c = static_cast<unsigned char>(ch[0]);
        if (ch.size() == 1) {
            if (c >= 0x80 || c == 0x1B || c == 0x0E || c == 0x0F)
                return false;
        } else if (JisCode(c, static_cast<unsigned char>(ch[1])) == 0) {
            return false;
        }
    }
    return true;
}

std::string Cp932ToIso2022Jp(std::string_view cp932) {
    std::string out;
    bool kanji = false;
    for (auto ch : Chars(cp932)) {
        if (ch.size() == 2) {
            const unsigned j =
                JisCode(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1]));
            if (!kanji)
                out += "\x1b$B";
            kanji = true;
            out += static_cast<char>(j >> 8);
            out += static_cast<char>(j & 0xFF);
            continue;
        }
        if (kanji)
            out += "\x1b(B";  // back to ASCII before every line end
        kanji = false;
        out += ch;
    }
    if (kanji)
        out += "\x1b(B";
    return out;
}

std::string EncodeWords(std::string_view cp932) {
    if (IsAscii(cp932))
        return std::string(cp932);
    const bool jis = FitsIso2022Jp(cp932);
    std::vector<std::string> words;
    std::string chunk;
    auto size = [&](std::string_view s) {
        return jis ? Cp932ToIso2022Jp(s).size() : text::Cp932ToUtf8(s).size();
    };
    for (auto ch : Chars(cp932)) {
        const std::string next = chunk + std::string(ch);
        if (!chunk.empty() && size(next) > kMaxWordBytes) {
            words.push_back(EncodedWord(chunk, jis));
            chunk = std::string(ch);
        } else {
            chunk = next;
        }
    }
    if (!chunk.empty())
        words.push_back(EncodedWord(chunk, jis));
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i)
        out += (i ? "\r\n " : "") + words[i];
    return out;
}

std::string EncodeAddresses(std::string_view cp932) {
    std::vector<std::string> items;
    for (const auto& a : SplitAddresses(cp932))
        items.push_back(EncodeOneAddress(a));
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\r\n " : "") + items[i];
    return out;
}

std::string DateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, "%a, %d %b %Y %H:%M:%S %z", &tm);
    return buf;
}

std::string NewMessageId(std::string_view domain) {
    static std::atomic<unsigned> counter{0};
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::gmtime_r(&now, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &tm);
    std::string host(domain);
    if (host.empty()) {
        char name[256] = {};
        host = ::gethostname(name, sizeof name - 1) == 0 && name[0] ? name : "localhost";
    }
    return "<" + std::string(stamp) + "." + std::to_string(::getpid()) + "." +
           std::to_string(++counter) + ".pelkmail@" + host + ">";
}

std::optional<Outgoing> OutgoingMessage(std::string_view draft, const OutgoingOptions& options,
                                        std::string& error) {
    const std::string crlf = ToCrLf(draft);
    const auto lines = Lines(crlf);
    std::size_t sep = 0;
    while (sep < lines.size() && !lines[sep].starts_with("-------"))
        ++sep;
    if (sep == lines.size()) {
        error = "not a finished draft: no separator line";
        return std::nullopt;
    }
    std::string head;
    for (std::size_t i = 0; i < sep; ++i)
        head += std::string(lines[i]) + "\r\n";
    Part h = SplitPart(head + "\r\n");
    std::size_t start = sep + 1;
    if (start < lines.size() && lines[start].empty())
        ++start;
    std::string body;
    for (std::size_t i = start; i < lines.size(); ++i)
        body += std::string(lines[i]) + "\r\n";

    const std::string ct = h.Value("Content-Type");
    const std::string boundary =
        MediaType(ct).starts_with("multipart/") ? mail::ExtractBoundary(ct) : "";
    for (std::string_view drop :
         {"X-Forward", "X-Disposition-Notification", "X-Status", "MIME-Version", "Content-Type",
          "Content-Transfer-Encoding", "Date"})
        h.Remove(drop);
    std::erase_if(h.fields, [](const Field& f) { return f.name.empty() || f.Value().empty(); });
    if (h.Value("To").empty() && h.Value("Cc").empty() && h.Value("Bcc").empty()) {
        error = "the draft has no recipient";
        return std::nullopt;
    }

    Outgoing out;
    out.subject = h.Value("Subject");
    std::string wire;
    auto add = [&](std::string_view name, std::string_view value) {
        wire += std::string(name) + ": " + std::string(value) + "\r\n";
    };
    if (!h.Find("From") && !options.from.empty())
        add("From", EncodeAddresses(options.from));
    add("Date", options.date);
    if (!h.Find("Message-ID"))
        add("Message-ID", options.messageId);
    for (const auto& f : h.fields) {
        const std::string lower = text::ToLowerAscii(f.name);
        if (IsAscii(f.Value()) && !IsAddressField(lower)) {
            for (const auto& l : f.lines)
                wire += l + "\r\n";
        } else if (IsAddressField(lower) && IsAscii(f.Value())) {
            add(f.name, Fold(f.name, SplitAddresses(f.Value()), ","));
        } else {
            add(f.name, HeaderWireValue(f));
        }
    }
    wire += "MIME-Version: 1.0\r\n";
    if (boundary.empty()) {
        const WireText t = EncodeText(body);
        add("Content-Type", t.contentType);
        add("Content-Transfer-Encoding", t.encoding);
        out.message = wire + "\r\n" + t.body;
        return out;
    }
    // A forward draft: the typed text before the first boundary becomes the first part.
    const std::string open = "--" + boundary;
    std::size_t first = 0;
    const auto bodyLines = Lines(body);
    while (first < bodyLines.size() && bodyLines[first] != open)
        ++first;
    std::size_t textEnd = first;
    while (textEnd > 0 && text::TrimBlanks(bodyLines[textEnd - 1]).empty())
        --textEnd;
    std::string typed;
    for (std::size_t i = 0; i < textEnd; ++i)
        typed += std::string(bodyLines[i]) + "\r\n";
    std::string rest;
    for (std::size_t i = first; i < bodyLines.size(); ++i)
        rest += std::string(bodyLines[i]) + "\r\n";
    add("Content-Type", "multipart/mixed; boundary=\"" + boundary + "\"");
    std::string parts;
    if (!typed.empty() || first == bodyLines.size()) {
        const WireText t = EncodeText(typed);
        parts = open + "\r\nContent-Type: " + t.contentType +
                "\r\nContent-Transfer-Encoding: " + t.encoding + "\r\n\r\n" + t.body;
    }
    if (first == bodyLines.size())
        rest = open + "--\r\n";
    // The rest is a multipart body of its own; its wire form carries every part.
    const std::string wireRest =
        ToWire("Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n" + rest, 0);
    out.message = wire + "\r\n" + parts + std::string(SplitPart(wireRest).body);
    return out;
}

}  // namespace pelkmail
