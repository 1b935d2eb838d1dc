// Attachment file names from MIME parameters.
#include "mail/AttachmentName.h"

#include <algorithm>
#include <vector>

#include "mail/Charset.h"
#include "mail/EncodedWords.h"
#include "mail/MimeParameters.h"
#include "text/Cp932.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

// RFC 2231: "charset'language'%XX..." in the first section, further sections appended.
// Escapes are decoded over the joined text of consecutive extended sections, so a "%"
// at the end of one section may take its digits from the next, and a character split
// between sections is converted whole.
std::string JoinRfc2231(std::vector<const MimeParameter*> parts) {
    std::stable_sort(parts.begin(), parts.end(), [](const auto* a, const auto* b) {
        return std::max(a->section, 0) < std::max(b->section, 0);
    });
    std::string charset;
    std::string bytes;
    std::string pending;  // escaped text of the current run of extended sections
    bool first = true;
    for (const auto* p : parts) {
        std::string_view v = p->value;
        if (p->extended && first) {
            const std::size_t q1 = v.find('\'');
            const std::size_t q2 = q1 == std::string_view::npos ? q1 : v.find('\'', q1 + 1);
            if (q2 != std::string_view::npos) {
                charset = std::string(v.substr(0, q1));
                v.remove_prefix(q2 + 1);
            }
        }
        first = false;
        if (p->extended) {
            pending += v;
        } else {
            bytes += PercentDecode(pending);
            pending.clear();
            bytes += v;
        }
    }
    bytes += PercentDecode(pending);
    return CharsetToCp932(bytes, charset);
}

// Control characters would break the summary line; a TAB becomes a blank.
std::string Clean(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); i += text::CharLengthAt(s, i)) {
        const std::size_t n = text::CharLengthAt(s, i);
        const auto c = static_cast<unsigned char>(s[i]);
        if (n == 1 && c == '\t')
            out += ' ';
        else if (n == 2 || (c >= 0x20 && c != 0x7F))
            out.append(s.substr(i, n));
    }
    return out;
}

}  // namespace

std::string ExtractAttachmentName(std::string_view field) {
    const auto params = ParseMimeParameters(field);
    std::vector<const MimeParameter*> filename2231, name2231;
    const MimeParameter* plain = nullptr;
    for (const auto& p : params) {
        if (p.name != "filename" && p.name != "name")
            continue;
        if (p.extended || p.section >= 0)
            (p.name == "filename" ? filename2231 : name2231).push_back(&p);
        else if (!plain)
            plain = &p;
    }
    std::string name;
    if (!filename2231.empty())
        name = JoinRfc2231(filename2231);
    else if (!name2231.empty())
        name = JoinRfc2231(name2231);
    else if (plain && !text::Contains(plain->value, "=?") && text::IsNonAsciiUtf8(plain->value))
        name = text::Utf8ToCp932(plain->value);  // a raw UTF-8 name (RFC 6532)
    else if (plain)
        name = CharsetToCp932(DecodeMimeWords(plain->value), "");
    return Clean(name);
}

}  // namespace varnel::mail
