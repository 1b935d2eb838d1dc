// Marking a received mail read in its file: the status line, a missing or disagreeing
// Date, and address repairs, all inside the header block.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "mail/HeaderOptions.h"
#include "mail/HeaderPass.h"

namespace varnel::mail {

// Whether the file needs a look at all: no status, "RECV", a duplicated status line,
// a suspicious address to repair on a read mail, no Date, or disagreeing dates.
bool WantsMarkRead(const HeaderPassResult& h, bool datesDisagree, const HeaderOptions& o);

// The file's new bytes, or nullopt when nothing changes. Only the changed lines differ
// from the original bytes; every other line keeps its bytes and its line end.
//  - The status line is set to "X-Status: READ" (or "WRIT" while a disposition
//    notification is pending) only when it is missing, empty or "RECV": a replied or
//    otherwise marked mail keeps its mark. Status lines directly below it are dropped.
//  - A missing Date is added from Received (AddDate); a disagreeing Date is renamed
//    "X-Original-Date" with the Received date put before it.
//  - With FixAddress, the To, Cc and From fields of the header are repaired.
std::optional<std::string> MarkReadRewrite(std::string_view bytes, const HeaderPassResult& h,
                                           bool datesDisagree, const HeaderOptions& o);

// The same rewrite as the new header block alone: the file's first headLength bytes
// become head, the body's bytes stay. Made without copying the body, so that a large
// mail is shown before its new bytes are put together (Apply) and written.
struct MarkReadEdit {
    std::string head;
    std::size_t headLength = 0;
    std::string Apply(std::string_view bytes) const;
};
std::optional<MarkReadEdit> MarkReadHeadEdit(std::string_view bytes, const HeaderPassResult& h,
                                             bool datesDisagree, const HeaderOptions& o);

}  // namespace varnel::mail
