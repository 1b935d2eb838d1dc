// INI reading from memory and single-line writes replacing the file as a whole.
#include "app/IniFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>

#include "editor/ReplaceFile.h"
#include "text/Sjis.h"

namespace varnel::app {

namespace {

namespace fs = std::filesystem;

// One line of the file: [start, contentEnd) is its text without the line end, end is
// past its line end.
struct Line {
    std::size_t start = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
};

// Lines end at LF, CR LF or a lone CR alike (files edited on other systems mix them).
std::vector<Line> SplitLines(std::string_view s) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t brk = s.find_first_of("\r\n", pos);
        Line line;
        line.start = pos;
        line.contentEnd = brk == std::string_view::npos ? s.size() : brk;
        line.end = line.contentEnd;
        if (brk != std::string_view::npos)
            line.end += (s[brk] == '\r' && brk + 1 < s.size() && s[brk + 1] == '\n') ? 2 : 1;
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

// A UTF-8 byte-order mark is not part of the first line.
constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::size_t BomLength(std::string_view s) {
    return s.starts_with(kBom) ? kBom.size() : 0;
}

std::string_view Content(std::string_view s, const Line& line) {
    return s.substr(line.start, line.contentEnd - line.start);
}

// The section name of a "[name]" line (lower-cased), or nothing.
std::optional<std::string> SectionOf(std::string_view content) {
    const std::string_view t = text::TrimBlanks(content);
    if (t.empty() || t[0] != '[')
        return std::nullopt;
    const std::size_t close = text::FindChar(t, ']', 1);
    if (close == text::npos)
        return std::nullopt;
    return text::ToLowerAscii(text::TrimBlanks(t.substr(1, close - 1)));
}

bool IsComment(std::string_view content) {
    const std::string_view t = text::TrimBlanks(content);
    return !t.empty() && (t[0] == ';' || t[0] == '#');
}

// Offset of the "=" of a key line, or npos for lines that are no key lines.
std::size_t EqualsOf(std::string_view content) {
    if (IsComment(content) || SectionOf(content))
        return text::npos;
    const std::size_t eq = text::FindChar(content, '=');
    if (eq == text::npos || text::TrimBlanks(content.substr(0, eq)).empty())
        return text::npos;
    return eq;
}

// The line end of the file's first line end; LF when it has none.
std::string LineEndOf(std::string_view s) {
    const std::size_t brk = s.find_first_of("\r\n");
    if (brk == std::string_view::npos || s[brk] == '\n')
        return "\n";
    return brk + 1 < s.size() && s[brk + 1] == '\n' ? "\r\n" : "\r";
}

// eol for a line inserted before offset at: a lone CR followed by the LF of a blank line
// would read as one CR LF and swallow that line, so it becomes CR LF there.
std::string EndBefore(const std::string& eol, std::string_view s, std::size_t at) {
    return eol == "\r" && at < s.size() && s[at] == '\n' ? "\r\n" : eol;
}

bool HasAny(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

std::optional<std::int64_t> ParseInteger(std::string_view t) {
    if (t.empty())
        return std::nullopt;
    std::size_t i = 0;
    int base = 10;
    bool negative = false;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        i = 2;
    } else if (t.size() > 1 && t[0] == '$') {
        base = 16;
        i = 1;
    } else if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        i = 1;
    }
    if (i >= t.size() || (base == 16 && t.size() - i > 8))
        return std::nullopt;
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        v = v * base + d;
        if (v > (std::int64_t{1} << 32))
            return std::nullopt;
    }
    if (base == 16)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return negative ? -v : v;
}

// Reads path whole. A missing file is empty contents, not an error.
bool ReadWhole(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    std::error_code ec;
    if (!fs::exists(path, ec))
        return true;
    return editor::ReplaceFileRead(path, bytes, error);
}

// Settings may live in a directory that does not exist yet; the first write makes it.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error) {
    return editor::ReplaceFileWrite(path, bytes, error, {.createDirectories = true});
}

}  // namespace

std::string IniFile::CanStore(std::string_view section, std::string_view key,
                              std::string_view value) {
    static constexpr std::string_view kBreaks("\r\n\0", 3);
    // The lines as written must read back as these names: no "]" inside the section (nor
    // a last byte that would pair with it as a double-byte character), no "=" in the key.
    const std::string sectionLine = "[" + std::string(section) + "]";
    if (text::TrimBlanks(section).empty() || HasAny(section, kBreaks) ||
        SectionOf(sectionLine) != text::ToLowerAscii(section))
        return "invalid section name";
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    if (key.empty() || text::TrimBlanks(key) != key || HasAny(key, kBreaks) || key[0] == '[' ||
        EqualsOf(keyLine) != key.size())
        return "invalid key name";
    if (HasAny(value, kBreaks))
        return "value contains a line break or NUL";
    if (text::TrimBlanks(value) != value)
        return "value starts or ends with a blank";
    return {};
}

IniFile::IniFile(std::string path, Writer writer)
    : path_(std::move(path)), writer_(std::move(writer)) {
    std::string ignored;
    ReadWhole(path_, bytes_, ignored);
    Index();
}

IniFile IniFile::FromBytes(std::string bytes, std::string path, Writer writer) {
    IniFile ini;
    ini.path_ = std::move(path);
    ini.bytes_ = std::move(bytes);
    ini.writer_ = std::move(writer);
    ini.Index();
    return ini;
}

void IniFile::Index() {
    entries_ = Parse(bytes_);
}

std::vector<IniFile::Entry> IniFile::Parse(std::string_view bytes) {
    std::vector<Entry> entries;
    std::string section;
    const std::string_view body = bytes.substr(BomLength(bytes));
    for (const Line& line : SplitLines(body)) {
        const std::string_view content = Content(body, line);
        if (auto name = SectionOf(content)) {
            section = std::move(*name);
            continue;
        }
        const std::size_t eq = EqualsOf(content);
        if (eq == text::npos)
            continue;
        entries.push_back({section, text::ToLowerAscii(text::TrimBlanks(content.substr(0, eq))),
                           std::string(text::TrimBlanks(content.substr(eq + 1)))});
    }
    return entries;
}

const IniFile::Entry* IniFile::Find(const std::vector<Entry>& entries, std::string_view section,
                                    std::string_view key) {
    const std::string s = text::ToLowerAscii(section);
    const std::string k = text::ToLowerAscii(key);
    for (const Entry& e : entries) {
        if (e.section == s && e.key == k)
            return &e;
    }
    return nullptr;
}

const IniFile::Entry* IniFile::Find(std::string_view section, std::string_view key) const {
    return Find(entries_, section, key);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    const Entry* e = Find(section, key);
    return e ? e->value : std::string(def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const Entry* e = Find(section, key);
    if (!e)
        return def;
    const auto v = ParseInteger(e->value);
    if (!v || *v < INT32_MIN || *v > INT32_MAX)
        return def;
    return static_cast<int>(*v);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

std::string IniFile::ApplyWrite(std::string_view file, std::string_view section,
                                std::string_view key, std::string_view value) {
    const std::size_t bom = BomLength(file);
    return std::string(file.substr(0, bom)) +
           ApplyWriteAfterBom(file.substr(bom), section, key, value);
}

std::string IniFile::ApplyWriteAfterBom(std::string_view ini, std::string_view section,
                                        std::string_view key, std::string_view value) {
    const std::vector<Line> lines = SplitLines(ini);
    const std::string wantSection = text::ToLowerAscii(section);
    const std::string wantKey = text::ToLowerAscii(key);
    const std::string eol = LineEndOf(ini);
    const std::string newLine = std::string(key) + "=" + std::string(value);

    std::string current;  // the section of the line being looked at
    bool inSection = wantSection.empty();
    const Line* lastInSection = nullptr;  // last non-blank line of the first such section
    bool sectionSeen = inSection;
    bool sectionDone = false;
    for (const Line& line : lines) {
        const std::string_view content = Content(ini, line);
        if (auto name = SectionOf(content)) {
            if (inSection)
                sectionDone = true;
            inSection = *name == wantSection;
            if (inSection && !sectionDone && !sectionSeen) {
                sectionSeen = true;
                lastInSection = &line;
            }
            continue;
        }
        if (!inSection)
            continue;
        const std::size_t eq = EqualsOf(content);
        if (eq != text::npos &&
            text::ToLowerAscii(text::TrimBlanks(content.substr(0, eq))) == wantKey) {
            if (text::TrimBlanks(content.substr(eq + 1)) == value)
                return std::string(ini);  // already so: the line stays as it is
            // Keep the key as spelt and the blanks after "="; replace the rest.
            std::size_t v = eq + 1;
            while (v < content.size() && (content[v] == ' ' || content[v] == '\t'))
                ++v;
            std::string out(ini.substr(0, line.start + v));
            out += value;
            out += ini.substr(line.contentEnd);
            return out;
        }
        if (!sectionDone && !text::TrimBlanks(content).empty())
            lastInSection = &line;
    }

    std::string out(ini);
    if (lastInSection) {
        const bool hasEol = lastInSection->end > lastInSection->contentEnd;
        const std::string insert =
            hasEol ? newLine + EndBefore(eol, ini, lastInSection->end) : eol + newLine;
        out.insert(lastInSection->end, insert);
        return out;
    }
    if (wantSection.empty())  // keys before any section go to the top
        return newLine + EndBefore(eol, ini, 0) + out;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r')
        out += eol;
    out += "[" + std::string(section) + "]" + eol + newLine + eol;
    return out;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return WriteStrings({SettingWrite{std::string(section), std::string(key), std::string(value)}});
}

bool IniFile::WriteStrings(const std::vector<SettingWrite>& writes) {
    for (const SettingWrite& w : writes) {
        error_ = CanStore(w.section, w.key, w.value);
        if (!error_.empty())
            return false;
    }
    if (path_.empty()) {
        error_ = "no settings file path";
        return false;
    }
    std::string onDisk;
    if (!ReadWhole(path_, onDisk, error_))
        return false;
    std::string updated = onDisk;
    for (const SettingWrite& w : writes)
        updated = ApplyWrite(updated, w.section, w.key, w.value);
    // What is written must read back as written: a value the reader would trim, or a
    // file whose layout the writer misread, is refused rather than stored wrongly.
    const std::vector<Entry> after = Parse(updated);
    for (const SettingWrite& w : writes) {
        const Entry* e = Find(after, w.section, w.key);
        if (!e || e->value != w.value) {
            error_ = "[" + w.section + "] " + w.key + " would not read back as written";
            return false;
        }
    }
    if (updated == onDisk && !onDisk.empty()) {
        bytes_ = std::move(updated);
        Index();
        return true;
    }
    const Writer& write = writer_ ? writer_ : Writer(WriteFileReplacing);
    if (!write(path_, updated, error_)) {
        if (error_.empty())
            error_ = "cannot write " + path_;
        return false;
    }
    bytes_ = std::move(updated);
    Index();
    return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

}  // namespace varnel::app
