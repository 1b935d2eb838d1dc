// Reader and writer of INI files ("[Section]" lines and "Key=Value" lines) that keeps
// the file byte for byte: a write changes only its own line.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::app {

// One key to write: section, key and value.
struct SettingWrite {
    std::string section;
    std::string key;
    std::string value;
};

// Sections and keys match without regard to ASCII case; values are read with surrounding
// blanks and tabs removed and otherwise as stored (CP932 bytes untouched, quotes kept).
// Lines starting with ";" or "#" are comments. When a key occurs twice in a section, the
// first occurrence counts (for reads and writes). Lines end at LF, CR LF or a lone CR; a
// UTF-8 byte-order mark at the start is skipped (and kept on writes).
//
// The file is loaded once; reads are served from memory. Every write re-reads the file
// from disk first (so edits made meanwhile by the user or the options dialog survive),
// changes its one line, and replaces the file through a temporary file in the same
// directory. A missing file reads as empty and is created by the first write.
class IniFile {
  public:
    // Writes bytes to path as a whole; returns false with a reason on failure, leaving any
    // existing file intact.
    using Writer =
        std::function<bool(const std::string& path, std::string_view bytes, std::string& error)>;

    // An empty file with no path: every read gives its default, writes fail.
    IniFile() = default;
    // Loads path (a missing or unreadable file gives an empty one). writer defaults to
    // editor::ReplaceFileWrite, creating a missing settings directory.
    explicit IniFile(std::string path, Writer writer = {});
    // An in-memory file with these bytes (path may be empty; then writes fail).
    static IniFile FromBytes(std::string bytes, std::string path = {}, Writer writer = {});

    const std::string& Path() const { return path_; }
    const std::string& Bytes() const { return bytes_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // Decimal with an optional sign, or hexadecimal after "0x" or "$" (up to 8 digits,
    // taken as a 32-bit pattern, so "$FF000005" is a system colour). Anything else, or
    // a decimal out of int range, gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // An integer: 0 is false, any other number true; non-numeric gives def.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    // Returns false and sets LastError() when the value cannot be stored (CR, LF or NUL in
    // it, blanks around it, a malformed section or key name, a file that cannot be read or
    // written, or a result that would not read back as written); the file on disk and
    // the loaded contents then stay as they were.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Several keys in one read and one replacement of the file; all or nothing.
    bool WriteStrings(const std::vector<SettingWrite>& writes);
    bool WriteInteger(std::string_view section, std::string_view key, int value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);  // 1 or 0
    const std::string& LastError() const { return error_; }

    // The bytes of ini after setting section/key to value: the key's own line is changed
    // (or left alone when it already holds value; WriteString then writes nothing),
    // or the key is added after the last non-blank line of its section, or a new section
    // is appended. New lines use the file's line-end style: that of its first line end,
    // LF when it has none.
    static std::string ApplyWrite(std::string_view ini, std::string_view section,
                                  std::string_view key, std::string_view value);

    // Why section/key/value cannot be stored so that it reads back as written (a line
    // break or NUL, blanks around the value, a malformed section or key name); empty
    // when it can.
    static std::string CanStore(std::string_view section, std::string_view key,
                                std::string_view value);

    struct Entry {
        std::string section;  // lower-cased
        std::string key;      // lower-cased
        std::string value;    // trimmed
    };
    // Every key line in file order (duplicates too; the first one counts).
    const std::vector<Entry>& Entries() const { return entries_; }

  private:
    static std::vector<Entry> Parse(std::string_view bytes);
    static const Entry* Find(const std::vector<Entry>& entries, std::string_view section,
                             std::string_view key);
    static std::string ApplyWriteAfterBom(std::string_view ini, std::string_view section,
                                          std::string_view key, std::string_view value);
    void Index();
    const Entry* Find(std::string_view section, std::string_view key) const;

    std::string path_;
    std::string bytes_;
    std::vector<Entry> entries_;
    Writer writer_;
    std::string error_;
};

}  // namespace varnel::app
