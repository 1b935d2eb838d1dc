// Address fields of a mail header: taking addresses off a field one at a time, telling
// addresses the mailer may choke on, and repairing them.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace varnel::mail {

// Where the first address of text ends. addComma: two addresses stood side by side
// without a comma; the first ends at its ">" and a "," belongs after it.
struct AddressCut {
    std::size_t length = 0;
    bool addComma = false;
};
std::optional<AddressCut> FindAddressEnd(std::string_view text);

// Takes the next whole address off rest (pending is put in front of it first). True:
// pending holds the taken address and rest what follows. False: pending holds the whole
// unfinished remainder and rest is empty. Either way the address is normalised: TABs
// and the blanks after its first character removed, a leading blank made a TAB.
// When ownAddresses (MyAddresses followed by MailingList) contains the bare address,
// addressedToMe is set.
bool SplitNextAddress(std::string& rest, std::string& pending, std::string_view ownAddresses,
                      bool& addressedToMe);

// The same for every address of pending + rest in turn: take is called with each whole
// address (every one after the first begins with a TAB), and pending is left holding
// the unfinished remainder. Linear in the length of the text, however many addresses.
void SplitAddresses(std::string_view rest, std::string& pending, std::string_view ownAddresses,
                    bool& addressedToMe, const std::function<void(const std::string&)>& take);

// The address alone: "a@b.jp" from "To: Taro <a@b.jp>," or from "\ta@b.jp (Taro)".
std::string BareAddress(std::string_view address);

// Backslashes, quotes, brackets, a lone parenthesis, or an "@" or "." in front of "<".
bool IsSuspiciousAddress(std::string_view address);

// Removes backslashes and stray quotes and quotes a display name that needs it.
std::string RepairAddress(std::string_view address);

// Wraps the text between its leading and trailing blanks and TABs in double quotes.
std::string QuoteDisplayName(std::string_view text);

// Repairs every address of a field's value (the text after "To: " or of a continuation
// line), keeping the separators between them as they stand. Repeated until the text
// settles, so that repairing the result changes nothing.
std::string RepairAddressList(std::string_view value);

}  // namespace varnel::mail
