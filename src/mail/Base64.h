// Base64 decoding that may be fed in pieces (encoded words, body lines).
#pragma once

#include <cstdint>
#include <string>

namespace varnel::mail {

// 0-63 for a character of the Base64 alphabet; -1 otherwise.
int Base64Value(char c);

// A group left open at the end of one piece is completed by the next piece; "=" closes
// the open group. NUL bytes are dropped, since they would end a display line early.
class Base64Decoder {
  public:
    // False on a character outside the alphabet. Whitespace is skipped.
    bool Feed(char c, std::string& out);
    // Emits the bytes of an open group (two or three characters) and closes it.
    void Flush(std::string& out);

  private:
    std::uint32_t acc_ = 0;
    int n_ = 0;
};

}  // namespace varnel::mail
