// Header fields and body of a raw message.
#include "RawMail.h"

#include "text/Sjis.h"

namespace pelkmail {

using namespace varnel;

namespace {

bool IsFieldLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c <= 0x20 || c >= 0x7F)
            return false;
    }
    return true;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && text::StartsWithNoCase(a, b);
}

}  // namespace

std::string Field::Value() const {
    std::string v;
    for (std::size_t i = 0; i < lines.size(); ++i)
        v += i == 0 ? lines[0].substr(name.empty() ? 0 : name.size() + 1) : lines[i];
    const std::size_t b = v.find_first_not_of(" \t");
    return b == std::string::npos ? "" : v.substr(b);
}

const Field* Part::Find(std::string_view name) const {
    for (const auto& f : fields) {
        if (!f.name.empty() && SameName(f.name, name))
            return &f;
    }
    return nullptr;
}

std::string Part::Value(std::string_view name) const {
    const Field* f = Find(name);
    return f ? f->Value() : "";
}

void Part::Remove(std::string_view name) {
    std::erase_if(fields,
                  [&](const Field& f) { return !f.name.empty() && SameName(f.name, name); });
}

void Part::Set(std::string_view name, std::string_view value) {
    Field nf{std::string(name), {std::string(name) + ": " + std::string(value)}};
    for (auto& f : fields) {
        if (!f.name.empty() && SameName(f.name, name)) {
            f = std::move(nf);
            return;
        }
    }
    fields.push_back(std::move(nf));
}

std::string Part::Join() const {
    std::string out;
    for (const auto& f : fields) {
        for (const auto& l : f.lines) {
            out += l;
            out += "\r\n";
        }
    }
    if (!headerOnly)
        out += "\r\n";
    out += body;
    return out;
}

std::string ToCrLf(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 32);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r'))
            out += '\r';
        out += s[i];
    }
    return out;
}

std::vector<std::string_view> Lines(std::string_view s) {
    std::vector<std::string_view> lines;
    while (!s.empty()) {
        const std::size_t e = s.find("\r\n");
        if (e == std::string_view::npos) {
            lines.push_back(s);
            break;
        }
        lines.push_back(s.substr(0, e));
        s.remove_prefix(e + 2);
    }
    return lines;
}

Part SplitPart(std::string_view crlf) {
    Part p;
    std::size_t pos = 0;
    while (pos < crlf.size()) {
        std::size_t e = crlf.find("\r\n", pos);
        const bool last = e == std::string_view::npos;
        const std::string_view line = crlf.substr(pos, last ? std::string_view::npos : e - pos);
        if (line.empty() && !last) {
            p.body = std::string(crlf.substr(e + 2));
            return p;
        }
        if ((line.front() == ' ' || line.front() == '\t') && !p.fields.empty()) {
            p.fields.back().lines.emplace_back(line);
        } else {
            Field f;
            if (IsFieldLine(line))
                f.name = std::string(line.substr(0, line.find(':')));
            f.lines.emplace_back(line);
            p.fields.push_back(std::move(f));
        }
        if (last)
            break;
        pos = e + 2;
    }
    p.headerOnly = true;
    return p;
}

std::string MediaType(std::string_view contentType) {
    std::string t(text::TrimBlanks(contentType.substr(0, contentType.find(';'))));
    return text::ToLowerAscii(t);
}

bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        if (c >= 0xC2 && c <= 0xDF)
            n = 1;
        else if ((c & 0xF0) == 0xE0)
            n = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            n = 3;
        else if (c >= 0x80)
            return false;
        if (i + n >= s.size() && n > 0)
            return false;
        for (std::size_t k = 1; k <= n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += n + 1;
    }
    return true;
}

}  // namespace pelkmail
