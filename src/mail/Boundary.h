// The multipart boundary declared by a Content-Type field.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::mail {

// The value after "boundary=" (found in lower, the lower-cased field; computed when
// absent). A quoted value runs to the closing quote (or the end); an unquoted one ends
// at ";" or whitespace, so later parameters never join it. Empty when there is none.
std::string ExtractBoundary(std::string_view field,
                            std::optional<std::string_view> lower = std::nullopt);

}  // namespace varnel::mail
