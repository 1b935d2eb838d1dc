// The line store's slots: owned strings in a gap buffer, so that a run of edits near
// one place (typing, replace-all, undo of nearby edits) moves no lines at all and an
// edit far away moves only the pointers in between.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace varnel::editor {

class LineGapBuffer {
  public:
    using Ptr = std::unique_ptr<std::string>;

    std::size_t size() const { return body_.size() - gapLen_; }
    std::size_t capacity() const { return body_.size(); }
    const std::string& operator[](std::size_t i) const { return *body_[Slot(i)]; }
    std::string& operator[](std::size_t i) { return *body_[Slot(i)]; }

    // Inserts the lines before pos (pos == size() appends).
    void Insert(std::size_t pos, std::vector<std::string>&& lines);
    void Erase(std::size_t pos, std::size_t count);
    void Assign(std::vector<std::string>&& lines);
    // Room for n lines in all (never below size()).
    void Reserve(std::size_t n);
    // Exactly n slots (n >= size()).
    void Resize(std::size_t n);

  private:
    std::size_t Slot(std::size_t i) const { return i < gapStart_ ? i : i + gapLen_; }
    void MoveGap(std::size_t pos);
    void Rebuild(std::size_t slots);

    std::vector<Ptr> body_;
    std::size_t gapStart_ = 0;
    std::size_t gapLen_ = 0;
};

}  // namespace varnel::editor
