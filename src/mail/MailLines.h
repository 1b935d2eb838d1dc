// A mail file's bytes as lines that remember their own line ends, so that a rewrite
// changes only the lines it touches and every other byte stays as it was.
#pragma once

#include <cstddef>
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
    static MailLines Split(std::string_view bytes);

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
