// A mail file's bytes as lines that remember their own line ends, so that a rewrite
// changes only the lines it touches and every other byte stays as it was.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

class MailLines {
  public:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n" or "" (the last line of a file without a final end)
    };

    // Splits at LF (a CR before it belongs to the line end). A lone CR and NUL bytes stay
    // part of the line's text. A file ending in a line end has no empty last line.
    // maxLines stops after that many lines; Join() then gives a prefix of bytes.
    static MailLines Split(std::string_view bytes,
                           std::size_t maxLines = std::numeric_limits<std::size_t>::max());
    // The same split, one line at a time, as views into bytes without their line ends,
    // for passes that only read: no line is copied.
    class Reader {
      public:
        explicit Reader(std::string_view bytes) : bytes_(bytes) {}
        // False at the end of bytes.
        bool Next(std::string_view& line);
        // The bytes not yet read, and a step over n of them (whole lines).
        std::string_view Rest() const { return bytes_.substr(pos_); }
        void Skip(std::size_t n) { pos_ += n; }

      private:
        std::string_view bytes_;
        std::size_t pos_ = 0;
    };

    std::size_t Size() const { return lines_.size(); }
    const std::string& Text(std::size_t i) const { return lines_[i].text; }
    const std::vector<Line>& Lines() const { return lines_; }
    // The texts alone, for passes that read lines.
    std::vector<std::string> Texts() const;

    void SetText(std::size_t i, std::string text) { lines_[i].text = std::move(text); }
    // New lines end in CR LF. Inserting after a last line that had no end gives it one.
    void Insert(std::size_t at, std::string text);
    void Erase(std::size_t at);

    std::string Join() const;

  private:
    std::vector<Line> lines_;
};

}  // namespace varnel::mail
