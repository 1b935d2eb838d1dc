// Readable test failure output for index records.
#pragma once

#include <ostream>

#include "store/IndexRecord.h"

namespace varnel::store {

inline void PrintTo(const IndexRecord& r, std::ostream* os) {
    *os << "{status " << int(r.status) << ", time " << r.time << ", sender \"" << r.sender
        << "\", id \"" << r.messageId << "\", parent \"" << r.parentId << "\", subject "
        << r.subject.size() << " bytes}";
}

}  // namespace varnel::store
