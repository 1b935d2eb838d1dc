// The editor's line store: the whole text as display lines, each carrying its own
// terminator, so that the document is the concatenation of all lines.
//
// Line encoding kept by every fill and by the editor:
//   - a line ending with CR LF is the last line of a paragraph (hard line end);
//   - a line ending with NUL is the end-of-text line, always the last; the NUL is not
//     part of the document;
//   - any other line is a soft-wrapped piece continued by the next line;
//   - an empty document is the single line NUL; CR LF occurs only at a line's end.
// Every fill (SetTextStr, LoadFromFile, LoadFromStream) leaves at least that single NUL
// line. Clear, Delete and SetCommaText are raw list operations and may leave no lines.
// See LineSplitter.h for how LF-only and CR-only files are read.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/LineBlocks.h"
#include "editor/LineString.h"
#include "editor/ListIndexError.h"

namespace varnel::editor {

class TFastStringList;

class TSonStrings {
  public:
    // Largest Count / Capacity the store accepts.
    static constexpr int kMaxCount = 0x7FFFFFF;

    // An empty document: the single end-of-text line.
    TSonStrings();

    int Count() const { return static_cast<int>(lines_.size()); }
    int Capacity() const { return static_cast<int>(lines_.capacity()); }
    void SetCount(int n);
    void SetCapacity(int n);

    const std::string& Get(int index) const;
    const std::string& operator[](int index) const { return Get(index); }
    void Put(int index, std::string line);
    int Add(std::string line);
    void Insert(int index, std::string line);
    void Delete(int index);
    void Clear();
    // Throws ListIndexError.
    [[noreturn]] static void Error();

    // All lines concatenated, the end-of-text NUL included.
    std::string GetTextStr() const;
    // The document as saved: all lines without the end-of-text NUL.
    std::string GetFileText() const;
    // Replaces the text by text cut at CR LF. One trailing NUL in text is taken as the
    // end-of-text mark; other NUL bytes are data. An empty text gives the single NUL line.
    void SetTextStr(std::string_view text);

    // Lines joined by ","; lines holding a blank or a comma are put in double quotes.
    std::string GetCommaText() const;
    // Clear, then one line per comma-separated (optionally quoted) item; for list use, so
    // no end-of-text line is added.
    void SetCommaText(std::string_view text);

    // Inserts text cut at CR LF before line index; on return index designates the last
    // piece inserted. A text ending with CR LF gives no empty last piece; nothing happens
    // for an empty text.
    void InsertText(int& index, std::string_view text);
    // Replaces count lines from first by lines, in one step (index errors as Delete).
    void Splice(int first, int count, std::vector<std::string> lines);

    void AddStrings(const std::vector<std::string>& lines);
    void AddStrings(const TFastStringList& list);
    void Assign(const std::vector<std::string>& lines);
    void Assign(std::vector<std::string>&& lines);
    void Assign(const TFastStringList& list);

    // Index of the first line equal to line byte for byte (terminators count), or -1.
    int IndexOf(std::string_view line) const;

    // Reads a file of CR LF, LF or CR line ends. On failure returns false, sets error and
    // keeps the current text.
    bool LoadFromFile(const std::string& path, std::string& error);
    // Writes the document (CR LF line ends, no NUL) through a temporary file renamed over
    // path. On failure returns false, sets error and leaves an existing file intact.
    bool SaveToFile(const std::string& path, std::string& error) const;
    // Writes GetTextStr() (with its NUL) in one write.
    void SaveToStream(std::ostream& out) const;
    // Reads the rest of the stream and passes it to SetTextStr.
    void LoadFromStream(std::istream& in);

    // All lines, for reading in order (a range of const std::string&).
    class LineRange {
      public:
        class Iterator {
          public:
            Iterator(const LineBlocks& b, std::size_t i) : b_(&b), i_(i) {}
            const std::string& operator*() const { return (*b_)[i_]; }
            Iterator& operator++() {
                ++i_;
                return *this;
            }
            bool operator==(const Iterator& o) const { return i_ == o.i_; }

          private:
            const LineBlocks* b_;
            std::size_t i_;
        };
        explicit LineRange(const LineBlocks& b) : b_(b) {}
        Iterator begin() const { return Iterator(b_, 0); }
        Iterator end() const { return Iterator(b_, b_.size()); }
        std::size_t size() const { return b_.size(); }
        const std::string& operator[](std::size_t i) const { return b_[i]; }

      private:
        const LineBlocks& b_;
    };
    LineRange Lines() const { return LineRange(lines_); }

    // Number of lines without a hard end (soft-wrapped pieces); 0 means every line is a
    // paragraph of its own.
    int SoftCount() const { return static_cast<int>(lines_.SoftCount()); }
    // Soft lines before line (so line - SoftBefore(line) hard lines precede it).
    int SoftBefore(int line) const;
    bool IsSoft(int line) const;
    // First line of the paragraph holding line: the line after the last hard line
    // before it (line is clamped into the store; 0 for an empty store).
    int ParaStart(int line) const;
    // First line at or after line that has a hard end (the last line when none has).
    int ParaEnd(int line) const;
    // The hard line of rank k (0 for the first); k below Count() - SoftCount().
    int HardLine(int k) const;

    // Told after every change: the first line touched, how many old lines were replaced
    // and how many new ones stand there now. The editor uses it to notice writes made
    // from outside its own editing commands.
    std::function<void(int first, int removed, int inserted)> OnLinesChanged;

  private:
    void CheckIndex(int index) const;
    void Changed(int first, int removed, int inserted);
    void Fill(std::vector<std::string>&& lines);

    LineBlocks lines_;  // also counts the soft lines
};

}  // namespace varnel::editor
