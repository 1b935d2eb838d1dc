// A finished draft (CP932, the draft layout Varnel writes back) turned into a standard
// message: ISO-2022-JP text, or UTF-8 where the text holds characters outside JIS X 0208;
// encoded-word headers; Date and Message-ID; a forward draft's parts as MIME parts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelkmail {

struct OutgoingOptions {
    std::string from;       // CP932; used when the draft has no From field
    std::string date;       // the Date value
    std::string messageId;  // "<...>"; used when the draft has none
};

struct Outgoing {
    std::string message;  // CR LF lines, 7-bit
    std::string subject;  // CP932, for reports
};

// nullopt with error set when the text is not a finished draft (no separator line, no
// recipient).
std::optional<Outgoing> OutgoingMessage(std::string_view draft, const OutgoingOptions& options,
                                        std::string& error);

// True when every character of the CP932 text is ASCII or in JIS X 0208.
bool FitsIso2022Jp(std::string_view cp932);
// CP932 text that fits ISO-2022-JP, in ISO-2022-JP; every line ends in ASCII mode.
std::string Cp932ToIso2022Jp(std::string_view cp932);

// An unstructured header value as encoded words (folded with CR LF blank); ASCII values
// stay as they are.
std::string EncodeWords(std::string_view cp932);
// An address list with its display names and comments as encoded words.
std::string EncodeAddresses(std::string_view cp932);

// Date value for now, RFC 5322 style in local time; a fresh Message-ID for the domain.
std::string DateNow();
std::string NewMessageId(std::string_view domain);

}  // namespace pelkmail
