// The display body pass: walks a received mail's MIME structure in one forward pass and
// writes what the reader sees (text parts as stored, marker and attachment summary lines).
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mail/AttachmentRecord.h"
#include "mail/DisplayList.h"

namespace varnel::mail {

// What the header pass learns from the top-level Content-Type field (summary mode only;
// in full header mode nothing is interpreted and the body is shown raw).
struct TopLevelContent {
    std::vector<std::string> boundaries;  // declared so far, outermost first
    bool multipart = false;
    bool htmlPending = false;  // top-level type text/html
    bool related = false;      // multipart/related (read by the HTML view)
    bool latin = false;        // single-byte Western charset
    // For a mail that is one part: its media type, its Content-Type and
    // Content-Disposition fields (continuations joined) and its transfer encoding.
    std::string type;
    std::string typeField;
    std::string dispositionField;
    int encoding = 0;  // as the body pass counts it (TransferEncoding)
};

// Fed every header line in order by the header pass (summary mode).
class TopLevelContentReader {
  public:
    explicit TopLevelContentReader(bool europeanFontOn);
    void FeedLine(std::string_view line);
    const TopLevelContent& Result() const { return content_; }

  private:
    void ReadType(std::string_view value);
    void ReadEncoding(std::string_view value);

    bool europeanFontOn_;
    bool inField_ = false;              // inside the Content-Type field
    bool typeRead_ = false;             // its media type was read (it may stand on a continuation)
    bool seekBoundary_ = false;         // a multipart type was read, its boundary not yet found
    bool fieldHasAscii_ = false;        // "ascii" occurs in the Content-Type field so far
    std::string fieldTail_;             // its last four lower-cased bytes, for a split "ascii"
    std::string* gathering_ = nullptr;  // the Content-Type or -Disposition field being joined
    bool encodingFolded_ = false;       // the transfer encoding's value is on the next line
    TopLevelContent content_;
};

struct BodyPassOptions {
    bool europeanFontOn = false;
    std::string headerList;  // stored form: "," + lower-cased HeaderList setting
};

struct BodyPassResult {
    bool nonAsciiLatin = false;      // a byte above 0x7E was met in a Western line
    bool offerEuropeanFont = false;  // nonAsciiLatin while the European font is off
    std::size_t longestLine = 0;     // longest line the pass put on the display list
    // Every summary line the pass wrote, in order (display indices of the display list).
    std::vector<AttachmentRecord> attachments;
};

class BodyWalker;

// The pass fed one line at a time, for callers that stream the file: nothing but the
// current line and at most 11 held lines is kept. Lines shown as stored go into display
// as views: the bytes of every line fed must outlive display.
class BodyPass {
  public:
    BodyPass(const TopLevelContent& top, const BodyPassOptions& options, DisplayList& display);
    ~BodyPass();
    BodyPass(const BodyPass&) = delete;
    BodyPass& operator=(const BodyPass&) = delete;

    // The header block's terminating line: read for its boundary role only, never shown
    // (the header pass shows it). Lines not beginning with "--" do nothing.
    void Terminator(std::string_view line);
    // One body line without its line end.
    void Feed(std::string_view line);
    // rest: the body from the next line on (each line ending in LF, the last one maybe
    // without). Takes the lines at its start that Feed would only count (attachment
    // data) in one quick loop and returns how many bytes they span; 0 when the next line
    // must go to Feed.
    std::size_t SkipData(std::string_view rest);
    // Ends the pass (HTML marker, a cut-off attachment's summary).
    BodyPassResult Finish();

  private:
    std::unique_ptr<BodyWalker> walker_;
};

// Runs over mailLines from index first (the line after the header block's terminating
// line) to the end, appending to display. When the terminating line (first - 1) begins
// with "-", it is read for its boundary role only (a header may end directly with the
// first "--boundary" line); the header pass has already shown it. Keeps one line in
// hand plus at most 11 held lines; no recursion.
BodyPassResult RunBodyPass(std::span<const std::string_view> mailLines, std::size_t first,
                           const TopLevelContent& top, const BodyPassOptions& options,
                           std::vector<std::string>& display);

}  // namespace varnel::mail
