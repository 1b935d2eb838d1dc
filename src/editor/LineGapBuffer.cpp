// Owned strings in a gap buffer.
#include "editor/LineGapBuffer.h"

#include <algorithm>
#include <iterator>

namespace varnel::editor {

void LineGapBuffer::MoveGap(std::size_t pos) {
    if (pos < gapStart_) {
        std::move_backward(body_.begin() + static_cast<std::ptrdiff_t>(pos),
                           body_.begin() + static_cast<std::ptrdiff_t>(gapStart_),
                           body_.begin() + static_cast<std::ptrdiff_t>(gapStart_ + gapLen_));
    } else if (pos > gapStart_) {
        std::move(body_.begin() + static_cast<std::ptrdiff_t>(gapStart_ + gapLen_),
                  body_.begin() + static_cast<std::ptrdiff_t>(pos + gapLen_),
                  body_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
    }
    gapStart_ = pos;
}

// A new body of the given number of slots with the gap at the end.
void LineGapBuffer::Rebuild(std::size_t slots) {
    const std::size_t n = size();
    std::vector<Ptr> body;
    body.reserve(slots);
    for (std::size_t i = 0; i < n; ++i)
        body.push_back(std::move(body_[Slot(i)]));
    body.resize(std::max(slots, n));
    body_.swap(body);
    gapStart_ = n;
    gapLen_ = body_.size() - n;
}

void LineGapBuffer::Insert(std::size_t pos, std::vector<std::string>&& lines) {
    const std::size_t k = lines.size();
    if (k == 0)
        return;
    // Allocate the new lines before touching the buffer.
    std::vector<Ptr> owned;
    owned.reserve(k);
    for (std::string& l : lines)
        owned.push_back(std::make_unique<std::string>(std::move(l)));
    if (gapLen_ < k)
        Rebuild(size() + k + std::max<std::size_t>(size() / 8, 64));
    MoveGap(pos);
    std::move(owned.begin(), owned.end(), body_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
    gapStart_ += k;
    gapLen_ -= k;
}

void LineGapBuffer::Erase(std::size_t pos, std::size_t count) {
    if (count == 0)
        return;
    MoveGap(pos);
    for (std::size_t i = 0; i < count; ++i)
        body_[gapStart_ + gapLen_ + i].reset();
    gapLen_ += count;
}

void LineGapBuffer::Assign(std::vector<std::string>&& lines) {
    std::vector<Ptr> body;
    body.reserve(lines.size());
    for (std::string& l : lines)
        body.push_back(std::make_unique<std::string>(std::move(l)));
    body_.swap(body);
    gapStart_ = body_.size();
    gapLen_ = 0;
}

void LineGapBuffer::Reserve(std::size_t n) {
    if (n > body_.size())
        Rebuild(n);
}

void LineGapBuffer::Resize(std::size_t n) {
    if (n != body_.size())
        Rebuild(n);
}

}  // namespace varnel::editor
