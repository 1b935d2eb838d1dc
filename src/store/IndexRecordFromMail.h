// Builds the folder index record of a mail file from its header, the way the mailer
// keeps its index true when it stores, moves or re-reads a mail.
//
// - status: from the "X-Status:" line (first line of a received mail); a file without
//   one is a draft when it has the draft separator (a line beginning with "-----"
//   after the header fields), else a stored mail.
// - sender: the bare address of From ("<...>" content, else the value itself).
// - own id: the first "<...>" of Message-ID.
// - parent id: the first "<...>" of In-Reply-To, else the last "<...>" of References.
// - subject: the Subject value as stored, folded lines joined (their leading blank kept).
// The record time is not in the header in a comparable form: the caller passes it.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/IndexRecord.h"

namespace varnel::store {

IndexRecord IndexRecordFromMail(std::string_view mailBytes, std::uint32_t time);

}  // namespace varnel::store
