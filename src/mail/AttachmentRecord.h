// What the decoder knows of each attachment summary line it wrote: where the line stands
// in the shown text and where the attachment's data stands in the mail file. Only lines
// with such a record are attachments; a body line that merely looks like one is text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varnel::mail {

struct AttachmentRecord {
    std::size_t displayIndex = 0;  // the summary line's index in the shown lines
    std::string line;              // the summary line as written
    std::string name;              // the decoded name (CP932), or the type of a nameless part
    std::uint64_t size = 0;        // the estimated size the line shows
    // The data lines, counted from the first line after the header block's terminating
    // line: [firstLine, endLine).
    std::size_t firstLine = 0;
    std::size_t endLine = 0;
    int encoding = 0;             // the part's own transfer encoding (TransferEncoding)
    bool endsAtBoundary = false;  // the line end before the boundary line belongs to it
};

// Puts each record's summary line in place of a marker before the lines are reformatted
// and back afterwards, so that the records follow their lines; a record whose line was
// merged with another is dropped. reformat runs on lines.
void KeepAttachmentLines(std::vector<std::string>& lines, std::vector<AttachmentRecord>& records,
                         const std::function<void(std::vector<std::string>&)>& reformat);

}  // namespace varnel::mail
