// The status line a reply command writes into the mail it replies to ("X-Status: SNDR",
// "READ", "RPLY" or a status of the user's reply-status menu).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel::mail {

inline constexpr std::string_view kStatusPrefix = "X-Status: ";

// The mail's bytes with its first line replaced by statusLine; nullopt when the first
// line is not a status line (such a mail is left alone). The line end stays.
std::optional<std::string> WithStatusLine(std::string_view bytes, std::string_view statusLine);

// The address-book entry for text: "addr (Name)" becomes "Name <addr>" (full-width
// blanks of the name made blanks, the address lower-cased); anything else stays.
std::string AddressBookEntry(std::string_view text);

}  // namespace varnel::mail
