// Received mail in the mailer's stored form: header words and text parts in CP932,
// everything else as it came. And the sources mail is imported from.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelkmail {

// The stored form of a raw message (any line ends): CR LF lines; Subject, From, To and Cc
// decoded to CP932; every text/plain part that is not an attachment decoded from its
// transfer encoding and converted to CP932 ("〓" for what CP932 lacks), labelled
// "charset=Shift_JIS" and "8bit". Single-byte Western parts keep their bytes and label.
// Attachments, HTML and other parts stay as they came. Local mailbox status fields
// (Status, X-Status) are dropped. nullopt when the text is not a message at all.
std::optional<std::string> StoredForm(std::string_view raw);

// What goes into in/: "X-Status: RECV", then the stored form, or the raw bytes as they
// came when they cannot be parsed.
std::string ReceivedMail(std::string_view raw);

// Text bytes in a declared charset to CP932: ISO-2022-JP and EUC-JP through the built-in
// converter, Shift_JIS as it is, anything else through iconv. nullopt for a charset
// nobody knows.
std::optional<std::string> TextToCp932(std::string_view bytes, std::string_view charset);

// The messages of one source: a Maildir (new/ and cur/), an mbox file (starts with
// "From ") or a single message file. False with error set when it cannot be read.
bool ReadSource(const std::string& path, std::vector<std::string>& messages, std::string& error);

// The messages of an mbox file: split at "From " lines, with ">From " unquoted.
std::vector<std::string> SplitMbox(std::string_view mbox);

}  // namespace pelkmail
