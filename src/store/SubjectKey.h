// The subject key that threads compare: the subject without its list tag and reply and
// forward prefixes, and without blanks. Every cut lands on a character boundary, and
// the "]" and ":" it looks for are whole characters, never the trail byte of a
// double-byte character.
#pragma once

#include <string>
#include <string_view>

namespace varnel::store {

// Subjects are cut to this many bytes (at a character boundary) before their key is made.
inline constexpr std::size_t kMaxSubjectKeyBytes = 512;

std::string SubjectKey(std::string_view subject);

}  // namespace varnel::store
