// The error raised by the line store and the scratch string list for a bad index or size.
#pragma once

#include <stdexcept>

namespace varnel::editor {

// Carries the one message users have always seen for list index faults.
class ListIndexError : public std::out_of_range {
  public:
    ListIndexError() : std::out_of_range(kMessage) {}
    static constexpr const char* kMessage = "インデックスがリストの範囲を超えています";
};

}  // namespace varnel::editor
