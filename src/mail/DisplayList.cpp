// Display lines as views.
#include "mail/DisplayList.h"

#include <iterator>

namespace varnel::mail {

DisplayList::DisplayList(std::vector<std::string> lines) {
    lines_.reserve(lines.size());
    for (std::string& line : lines)
        Push(std::move(line));
}

void DisplayList::Push(std::string line) {
    lines_.push_back(kept_.emplace_back(std::move(line)));
}

std::vector<std::string> DisplayList::Copy(std::size_t first, std::size_t last) const {
    return {lines_.begin() + static_cast<std::ptrdiff_t>(first),
            lines_.begin() + static_cast<std::ptrdiff_t>(last)};
}

void DisplayList::Replace(std::size_t first, std::size_t last, std::vector<std::string> lines) {
    std::vector<std::string_view> views;
    views.reserve(lines.size());
    for (std::string& line : lines)
        views.push_back(kept_.emplace_back(std::move(line)));
    const auto at = lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                                 lines_.begin() + static_cast<std::ptrdiff_t>(last));
    lines_.insert(at, views.begin(), views.end());
}

std::vector<std::string> DisplayList::Strings() const {
    return {lines_.begin(), lines_.end()};
}

}  // namespace varnel::mail
