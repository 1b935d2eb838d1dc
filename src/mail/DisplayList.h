// The display list while a mail is decoded: each line a view, either into the mail's
// bytes (a line shown as stored is not copied) or into a string the list keeps. Readers
// that only print the lines (--dump) read the views; the window takes strings.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::mail {

class DisplayList {
  public:
    DisplayList() = default;
    // Lines the list keeps.
    explicit DisplayList(std::vector<std::string> lines);
    DisplayList(DisplayList&&) = default;  // the kept strings stay where they are
    DisplayList& operator=(DisplayList&&) = default;

    // A line whose bytes outlive the list (the mail's bytes, a literal).
    void PushView(std::string_view line) { lines_.push_back(line); }
    void Push(std::string line);

    std::size_t size() const { return lines_.size(); }
    std::string_view operator[](std::size_t i) const { return lines_[i]; }
    std::string_view back() const { return lines_.back(); }
    const std::vector<std::string_view>& Views() const { return lines_; }

    // Lines [first, last) as strings, for an edit; Replace puts the edited ones back.
    std::vector<std::string> Copy(std::size_t first, std::size_t last) const;
    void Replace(std::size_t first, std::size_t last, std::vector<std::string> lines);
    // Keeps the lines for which keep(index) is true, in order.
    template <typename Keep>
    void KeepIf(Keep keep) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (keep(i))
                lines_[kept++] = lines_[i];
        lines_.resize(kept);
    }

    // Every line as a string of its own.
    std::vector<std::string> Strings() const;

  private:
    std::vector<std::string_view> lines_;
    std::deque<std::string> kept_;  // a deque never moves its strings
};

}  // namespace varnel::mail
