// Bytes in a mail's declared character set to CP932, for decoded header words and
// attachment names.
#pragma once

#include <string>
#include <string_view>

namespace varnel::mail {

// Converts bytes declared in charset (any case; an RFC 2231 "*language" suffix is
// ignored) to CP932: Shift_JIS kinds and ASCII as they are, ISO-2022-JP and EUC-JP by
// the built-in converter, UTF-8, ISO-8859-1 and every other set iconv knows through
// Unicode with "〓" for characters CP932 lacks (and for bytes invalid in the set). An
// unknown charset keeps the bytes, with any JIS escapes converted.
std::string CharsetToCp932(std::string_view bytes, std::string_view charset);

}  // namespace varnel::mail
