// Raw mail decoding for the Decode commands.
#include "mail/RawMailDecoder.h"

#include "mail/Base64.h"
#include "mail/Boundary.h"
#include "mail/EncodedWords.h"
#include "mail/JisKana.h"
#include "mail/JisRepair.h"
#include "mail/TextReplace.h"
#include "text/HexEscape.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

constexpr std::string_view kSeparator = "--------";

bool EndsHeader(const std::string& p) {
    return p.empty() || p == kSeparator;
}

bool IsContinuation(const std::string& p) {
    return !p.empty() && (p[0] == ' ' || p[0] == '\t');
}

// Outlook writes the "(" of an escape sequence as "\(": drop each backslash and keep the
// character after it as it is.
std::string RemoveOutlookBackslashes(std::string_view p) {
    std::string out;
    out.reserve(p.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '\\' && i + 1 < p.size())
            ++i;
        out += p[i];
    }
    return out;
}

// Encoded words of a header paragraph, in the word's own bytes.
std::string DecodeHeaderWords(std::string p) {
    const std::string lower = text::ToLowerAscii(p);
    for (const char* prefix : {"=?iso-2022-jp?b?", "?iso-2022-jp?b?", "=?shift_jis?b?"}) {
        if (text::Contains(lower, prefix))
            return DecodeEncodedWords(p, prefix);
    }
    for (const std::string_view prefix : {"=?x-sjis?q?", "=?iso-8859-1?q?"}) {
        if (!text::Contains(lower, prefix))
            continue;
        // Word by word from left to right; each word is decoded on its own so the line
        // is copied once.
        std::string out;
        std::size_t pos = 0;
        for (std::size_t at; (at = text::Find(lower, prefix, pos)) != text::npos;) {
            const std::size_t close = p.find("?=", at + prefix.size());
            const std::size_t end = close == std::string::npos ? p.size() : close + 2;
            out.append(p, pos, at - pos);
            out += DecodeQWord(std::string_view(p).substr(at, end - at), 0, prefix.size());
            pos = end;
        }
        out.append(p, pos);
        return out;
    }
    return p;
}

// "=XX" decoded; an "=" without two hex digits is kept with what follows it.
std::string DecodeQuotedPrintable(std::string_view s) {
    return text::DecodeHexEscapes(s, '=');
}

// Control codes some tools use in place of escape sequences, and stray designations.
void NormaliseEscapes(std::string& p) {
    ReplaceAllText(p, "\x1b$B\x0f", "\x1b$B");
    ReplaceAllText(p, "\x0f", "\x1b(J");
    ReplaceAllText(p, "\x0e", "\x1b(I");
    ReplaceAllText(p, std::string_view("#\x01", 2), "$\"");
    ReplaceAllText(p, "\x1b$(", "\x1b$");
    ReplaceAllText(p, "\x1b)I", "");
    ReplaceAllText(p, "\x1b-A", "");
}

// Whether the last escape sequence of p leaves kanji or kana mode open; unchanged when p
// has none.
void TrackOpenMode(std::string_view p, bool& open) {
    const std::size_t e = p.rfind('\x1b');
    if (e == std::string_view::npos)
        return;
    const std::string_view seq = p.substr(e, 3);
    open = seq == "\x1b$B" || seq == "\x1b(I";
}

class Decoder {
  public:
    Decoder(const std::vector<std::string>& paras, bool zenkaku) : p_(paras), zenkaku_(zenkaku) {}

    std::vector<std::string> Run() {
        ScanHeader();
        std::size_t i = HeaderPass();
        if (multipart_ && !boundary_.empty())
            i = SkipToFirstPart(i);
        if (base64_)
            Base64Body(i);
        else
            TextBody(i);
        return std::move(out_);
    }

  private:
    void ScanHeader() {
        for (std::size_t i = 0; i < p_.size() && !EndsHeader(p_[i]); ++i) {
            if (p_[i].starts_with("X-Mailer: ") &&
                text::Contains(text::ToLowerAscii(p_[i]), "outlook"))
                outlook_ = true;
        }
    }

    std::size_t HeaderPass() {
        if (p_.empty() || !p_[0].starts_with("X-Status:"))
            out_.emplace_back("X-Status: READ");
        std::string subject;
        bool inSubject = false;
        std::size_t i = 0;
        for (; i < p_.size() && !EndsHeader(p_[i]); ++i) {
            std::string p = p_[i];
            if (outlook_ && text::Contains(p, "\x1b\\("))
                p = RemoveOutlookBackslashes(p);
            const std::string lower = text::ToLowerAscii(p);
            if (text::Contains(lower, "quoted-printable"))
                quotedPrintable_ = true;
            else if (text::Contains(lower, "content-transfer-encoding: base64"))
                base64_ = true;
            else
                p = DecodeHeaderWords(std::move(p));
            if (lower.starts_with("content-type: multipart/")) {
                multipart_ = true;
                boundary_ = ExtractBoundary(p);  // p may be decoded: lower is stale
            } else if (multipart_ && boundary_.empty()) {
                boundary_ = ExtractBoundary(p);
            }
            if (inSubject && IsContinuation(p)) {
                subject += StripLeadingBlanks(p);
                continue;
            }
            if (inSubject) {
                out_.push_back(std::move(subject));
                subject.clear();
                inSubject = false;
            }
            if (p.starts_with("Subject:")) {
                subject = std::move(p);
                inSubject = true;
                continue;
            }
            out_.push_back(std::move(p));
        }
        if (inSubject)
            out_.push_back(std::move(subject));
        out_.emplace_back(kSeparator);
        return i < p_.size() ? i + 1 : i;
    }

    // The first part's header is read for its encoding and not shown.
    std::size_t SkipToFirstPart(std::size_t i) {
        const std::string marker = "--" + boundary_;
        std::size_t b = i;
        while (b < p_.size() && !p_[b].starts_with(marker))
            ++b;
        if (b >= p_.size())
            return i;  // no part: decode the body as it stands
        for (++b; b < p_.size() && !p_[b].empty(); ++b) {
            const std::string lower = text::ToLowerAscii(p_[b]);
            if (text::Contains(lower, "encoding: base64"))
                base64_ = true;
            else if (text::Contains(lower, "encoding: quoted"))
                quotedPrintable_ = true;
        }
        return b < p_.size() ? b + 1 : b;
    }

    void Base64Body(std::size_t i) {
        Base64Decoder d;
        std::string bytes;
        bool stop = false;
        for (; i < p_.size() && !stop; ++i) {
            for (const char c : p_[i]) {
                if (c == '?' || !d.Feed(c, bytes)) {
                    stop = true;
                    break;
                }
            }
        }
        d.Flush(bytes);
        std::size_t pos = 0;
        while (pos <= bytes.size()) {
            std::size_t nl = bytes.find("\r\n", pos);
            if (nl == std::string::npos) {
                if (pos < bytes.size())
                    out_.push_back(bytes.substr(pos));
                break;
            }
            out_.push_back(bytes.substr(pos, nl - pos));
            pos = nl + 2;
        }
    }

    // One raw paragraph with the quoted-printable joins of the next ones; advances i.
    std::string TakeQuotedPrintable(std::size_t& i) {
        std::string cur = p_[i];
        while (i + 1 < p_.size()) {
            if (cur.ends_with('=')) {
                cur.pop_back();
                const std::string& next = p_[++i];
                const std::string head = text::ToLowerAscii(next.substr(0, 2));
                if (head == "1b" || head == "20" || head == "3d")
                    cur += '=';  // the line break split an escape
                cur += next;
            } else if (cur.size() >= 2 && cur[cur.size() - 2] == '=') {
                cur += p_[++i];
            } else {
                break;
            }
        }
        return DecodeQuotedPrintable(cur);
    }

    void TextBody(std::size_t i) {
        while (i < p_.size()) {
            std::string para;
            bool open = false;
            // A paragraph that ends inside kanji or kana text is joined with the next one;
            // the last paragraph of the text ends the join.
            while (true) {
                std::string piece = quotedPrintable_ ? TakeQuotedPrintable(i) : p_[i];
                ++i;
                NormaliseEscapes(piece);
                piece = RepairDamagedJis(piece);
                TrackOpenMode(piece, open);
                para += piece;
                if (!open || i >= p_.size())
                    break;
            }
            if (zenkaku_)
                JisKanaToFullWidth(para);
            out_.push_back(std::move(para));
        }
    }

    const std::vector<std::string>& p_;
    bool zenkaku_;
    std::vector<std::string> out_;
    bool outlook_ = false;
    bool quotedPrintable_ = false;
    bool base64_ = false;
    bool multipart_ = false;
    std::string boundary_;
};

}  // namespace

std::vector<std::string> DecodeRawMail(const std::vector<std::string>& paragraphs, bool zenkaku) {
    return Decoder(paragraphs, zenkaku).Run();
}

}  // namespace varnel::mail
