// Receiving: raw messages to the stored form, and the sources they come from.
#include "Import.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "RawMail.h"
#include "mail/Base64.h"
#include "mail/Boundary.h"
#include "mail/Charset.h"
#include "mail/EncodedWords.h"
#include "mail/MimeParameters.h"
#include "mail/NkfConverter.h"
#include "text/Cp932.h"
#include "text/HexEscape.h"
#include "text/Sjis.h"

namespace pelkmail {

namespace fs = std::filesystem;
using namespace varnel;

namespace {

constexpr int kMaxDepth = 20;

bool OneOf(std::string_view s, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), s) != names.end();
}

std::string CharsetOf(std::string_view contentType) {
    for (const auto& p : mail::ParseMimeParameters(contentType)) {
        if (p.name == "charset")
            return text::ToLowerAscii(text::TrimBlanks(p.value));
    }
    return "";
}

bool HasName(std::string_view contentType, std::string_view disposition) {
    for (const auto& p : mail::ParseMimeParameters(contentType)) {
        if (p.name == "name")
            return true;
    }
    for (const auto& p : mail::ParseMimeParameters(disposition)) {
        if (p.name == "filename")
            return true;
    }
    return text::StartsWithNoCase(text::TrimBlanks(disposition), "attachment");
}

// Western single-byte sets stay as they are: the viewer shows them in its European font.
bool IsWesternSingleByte(std::string_view cs) {
    return cs.starts_with("iso-8859") || cs.starts_with("iso8859") || cs.starts_with("latin") ||
           cs.starts_with("windows-125") || cs.starts_with("cp125") || cs == "us-ascii" ||
           cs == "ascii";
}

std::optional<std::string> ThroughIconv(std::string_view bytes, const std::string& charset) {
    iconv_t cd = ::iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    char buf[4096];
    char* in = const_cast<char*>(bytes.data());
    std::size_t left = bytes.size();
    while (left > 0) {
        char* o = buf;
        std::size_t room = sizeof buf;
        const std::size_t r = ::iconv(cd, &in, &left, &o, &room);
        out.append(buf, static_cast<std::size_t>(o - buf));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";  // an undecodable byte: CP932 has no place for it either
            ++in;
            --left;
        }
    }
    char* o = buf;
    std::size_t room = sizeof buf;
    ::iconv(cd, nullptr, nullptr, &o, &room);
    out.append(buf, static_cast<std::size_t>(o - buf));
    ::iconv_close(cd);
    return text::Utf8ToCp932(out);
}

std::optional<std::string> DecodeTransfer(std::string_view body, std::string_view cte) {
    const std::string enc = text::ToLowerAscii(text::TrimBlanks(cte));
    if (enc == "base64") {
        mail::Base64Decoder d;
        std::string out;
        for (char c : body) {
            if (c == '\r' || c == '\n')
                continue;
            if (!d.Feed(c, out))
                return std::nullopt;
        }
        d.Flush(out);
        return out;
    }
    if (enc == "quoted-printable") {
        std::string out;
        for (std::string_view line : Lines(body)) {
            while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
                line.remove_suffix(1);
            const bool soft = line.ends_with('=');
            if (soft)
                line.remove_suffix(1);
            out += text::DecodeHexEscapes(line, '=');
            if (!soft)
                out += "\r\n";
        }
        return out;
    }
    if (enc.empty() || OneOf(enc, {"7bit", "8bit", "binary"}))
        return std::string(body);
    return std::nullopt;  // uuencode and the like: left to the reader
}

// An unstructured or address field decoded to one CP932 line.
std::string DecodedField(const Field& f) {
    std::string v = f.Value();
    if (v.find('\x1b') != std::string::npos)
        v = mail::JisToSjis(v);
    else if (!IsAscii(v) && IsUtf8(v))
        v = text::Utf8ToCp932(v);
    return f.name + ": " + mail::DecodeMimeWords(v);
}

std::string ConvertEntity(std::string_view crlf, bool message, int depth);

std::string ConvertMultipart(const Part& p, const std::string& boundary, int depth) {
    const std::string open = "--" + boundary;
    std::string out;
    std::string piece;  // the part being gathered
    bool inPart = false, closed = false;
    auto flush = [&] {
        if (inPart)
            out += ConvertEntity(piece, false, depth + 1);
        else
            out += piece;
        piece.clear();
    };
    for (std::string_view line : Lines(p.body)) {
        std::string_view t = line;
        while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
            t.remove_suffix(1);
        if (!closed && t.starts_with(open) &&
            (t.size() == open.size() || t.substr(open.size()) == "--")) {
            flush();
            out += std::string(line) + "\r\n";
            inPart = t.size() == open.size();
            closed = !inPart;
            continue;
        }
        piece += std::string(line) + "\r\n";
    }
    if (!p.body.empty() && !p.body.ends_with("\r\n") && !piece.empty())
        piece.resize(piece.size() - 2);
    flush();
    return out;
}

// A text part in CP932, or nullopt to keep it as it came.
std::optional<Part> ConvertText(Part p) {
    const std::string ct = p.Value("Content-Type");
    const std::string cs = CharsetOf(ct);
    const auto decoded = DecodeTransfer(p.body, p.Value("Content-Transfer-Encoding"));
    if (!decoded)
        return std::nullopt;
    if (!cs.empty() && IsWesternSingleByte(cs) && decoded->find('\x1b') == std::string::npos) {
        if (*decoded == p.body)
            return std::nullopt;
        p.body = ToCrLf(*decoded);
        if (!p.body.empty() && !p.body.ends_with("\r\n"))
            p.body += "\r\n";
        p.Set("Content-Transfer-Encoding", "8bit");
        return p;
    }
    const auto converted = TextToCp932(*decoded, cs);
    if (!converted)
        return std::nullopt;
    if (*converted == p.body && IsAscii(p.body))
        return std::nullopt;  // plain ASCII text: nothing to change
    p.body = ToCrLf(*converted);
    if (!p.body.empty() && !p.body.ends_with("\r\n"))
        p.body += "\r\n";  // a boundary line may follow
    std::string type = "text/plain; charset=Shift_JIS";
    for (const auto& param : mail::ParseMimeParameters(ct)) {
        if (param.name != "charset" && param.section < 0 && !param.extended)
            type += "; " + param.name + "=\"" + param.value + "\"";
    }
    p.Set("Content-Type", type);
    p.Set("Content-Transfer-Encoding", "8bit");
    return p;
}

// message: the header of a whole message, whose Subject and address words are decoded.
std::string ConvertEntity(std::string_view crlf, bool message, int depth) {
    Part p = SplitPart(crlf);
    if (depth > kMaxDepth || p.headerOnly)
        return std::string(crlf);
    if (message) {
        for (auto& f : p.fields) {
            if (OneOf(text::ToLowerAscii(f.name), {"subject", "from", "to", "cc"}))
                f.lines = {DecodedField(f)};
        }
    }
    const Field* ctField = p.Find("Content-Type");
    const std::string ct = ctField ? ctField->Value() : "";
    const std::string type = ct.empty() ? "text/plain" : MediaType(ct);
    if (type.starts_with("multipart/")) {
        const std::string boundary = mail::ExtractBoundary(ct);
        if (!boundary.empty())
            p.body = ConvertMultipart(p, boundary, depth);
        return p.Join();
    }
    if (HasName(ct, p.Value("Content-Disposition")))
        return p.Join();
    if (type == "message/rfc822") {
        p.body = ConvertEntity(p.body, true, depth + 1);
        return p.Join();
    }
    if (type == "text/plain") {
        if (auto text = ConvertText(p))
            return text->Join();
    }
    return p.Join();
}

std::string ReadWhole(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    ok = static_cast<bool>(in) || in.eof();
    return s.str();
}

}  // namespace

std::optional<std::string> TextToCp932(std::string_view bytes, std::string_view charset) {
    std::string cs = text::ToLowerAscii(text::TrimBlanks(charset));
    if (cs.empty() || cs == "us-ascii" || cs == "ascii") {
        if (bytes.find('\x1b') != std::string_view::npos)
            return mail::JisToSjis(bytes);
        return std::string(bytes);
    }
    if (cs.starts_with("iso-2022-jp") || cs == "csiso2022jp" || cs == "jis" ||
        OneOf(cs, {"euc-jp", "eucjp", "x-euc-jp", "euc-jp-ms", "eucjp-ms", "eucjp-win"}) ||
        cs == "utf-8" || cs == "utf8")
        return mail::CharsetToCp932(bytes, cs);
    if (OneOf(cs, {"shift_jis", "shift-jis", "sjis", "x-sjis", "cp932", "windows-31j", "ms_kanji",
                   "csshiftjis", "x-ms-cp932"}))
        return std::string(bytes);
    return ThroughIconv(bytes, cs);
}

std::optional<std::string> StoredForm(std::string_view raw) {
    std::string crlf = ToCrLf(raw);
    Part top = SplitPart(crlf);
    if (top.fields.empty() || top.fields.front().name.empty() || top.headerOnly)
        return std::nullopt;
    top.Remove("X-Status");
    top.Remove("Status");
    top.Remove("X-Keywords");
    top.Remove("X-UID");
    return ConvertEntity(top.Join(), true, 0);
}

std::string ReceivedMail(std::string_view raw) {
    if (auto stored = StoredForm(raw))
        return "X-Status: RECV\r\n" + *stored;
    return "X-Status: RECV\r\n" + std::string(raw);
}

std::vector<std::string> SplitMbox(std::string_view mbox) {
    std::vector<std::string> out;
    std::string cur;
    bool have = false, blankBefore = true;
    std::size_t pos = 0;
    while (pos < mbox.size()) {
        std::size_t e = mbox.find('\n', pos);
        const std::size_t next = e == std::string_view::npos ? mbox.size() : e + 1;
        std::string_view line = mbox.substr(pos, next - pos);
        pos = next;
        if (line.starts_with("From ") && blankBefore) {
            if (have) {
                // The empty line before a "From " line separates messages.
                if (cur.ends_with("\r\n\r\n"))
                    cur.resize(cur.size() - 2);
                else if (cur.ends_with("\n\n"))
                    cur.pop_back();
                out.push_back(std::move(cur));
            }
            cur.clear();
            have = true;
            blankBefore = false;
            continue;
        }
        std::string_view t = line;
        if (t.ends_with('\n'))
            t.remove_suffix(1);
        if (t.ends_with('\r'))
            t.remove_suffix(1);
        blankBefore = t.empty();
        const std::size_t gt = line.find_first_not_of('>');
        if (gt > 0 && gt != std::string_view::npos && line.substr(gt).starts_with("From "))
            line.remove_prefix(1);
        if (have)
            cur += line;
    }
    if (have)
        out.push_back(std::move(cur));
    return out;
}

bool ReadSource(const std::string& path, std::vector<std::string>& messages, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        if (!fs::is_directory(path + "/new", ec) && !fs::is_directory(path + "/cur", ec)) {
            error = path + ": a directory that is not a Maildir";
            return false;
        }
        std::vector<std::string> files;
        for (const char* sub : {"/cur", "/new"}) {
            for (const auto& e : fs::directory_iterator(path + sub, ec)) {
                if (e.is_regular_file() && !e.path().filename().string().starts_with("."))
                    files.push_back(e.path().string());
            }
        }
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            bool ok = false;
            messages.push_back(ReadWhole(f, ok));
            if (!ok) {
                error = "cannot read " + f;
                return false;
            }
        }
        return true;
    }
    bool ok = false;
    const std::string bytes = ReadWhole(path, ok);
    if (!ok || !fs::is_regular_file(path, ec)) {
        error = "cannot read " + path;
        return false;
    }
    if (bytes.starts_with("From ")) {
        for (auto& m : SplitMbox(bytes))
            messages.push_back(std::move(m));
    } else {
        messages.push_back(bytes);
    }
    return true;
}

}  // namespace pelkmail
