// The display body pass: one forward walk over the body with a small state machine.
// Text parts are shown as stored; part headers, HTML and attachment data are hidden
// behind marker and summary lines; forwarded messages are framed.
#include "mail/BodyPass.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "mail/AttachmentName.h"
#include "mail/AttachmentSize.h"
#include "mail/Boundary.h"
#include "mail/ForwardedHeader.h"
#include "mail/LatinMap.h"
#include "mail/MimeField.h"
#include "text/Sjis.h"

namespace varnel::mail {
namespace {

constexpr std::string_view kForwardStart = "..----- Forwarded Message -----";
constexpr std::string_view kForwardEnd = "..----- End of Forwarded Message -----";
constexpr std::string_view kHtmlMarker = "******* HTML mail ********";
// A held preamble longer than this is shown after all.
constexpr std::size_t kHoldLimit = 10;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

}  // namespace

class BodyWalker {
  public:
    BodyWalker(const TopLevelContent& top, const BodyPassOptions& options, DisplayList& display)
        : options_(options),
          display_(display),
          inPartHeader_(top.multipart),
          direct_(top.boundaries.empty()),
          htmlPart_(top.htmlPending),
          htmlPending_(top.htmlPending),
          latin_(top.latin) {
        for (const auto& b : top.boundaries)
            AddBoundary(b);
        StartSinglePartFile(top);
    }

    // The header block's terminating line: boundary role only.
    void Terminator(std::string_view line) {
        if (line.starts_with("--"))
            BoundaryLine(line);
    }

    void Feed(std::string_view line) {
        if (line.starts_with("--"))
            BoundaryLine(line);
        const bool wasPartHeader = inPartHeader_;
        if (rfc822Pending_ && !forwardHeaderStarted_ && !inPartHeader_ && !line.empty()) {
            forwardHeaderStarted_ = true;
            if (!inForward_) {
                inForward_ = true;
                forwardStart_ = display_.size();
                forwardHeaderEnd_ = kNone;
            }
        }
        // The forwarded mail's own header, up to and including its empty line, is shown
        // as it comes (its filter trims it later), whatever its Content-Type declares.
        // A forward nested in a forward has a header of its own, read the same way.
        const bool forwardHeader = rfc822Pending_ && forwardHeaderStarted_;
        if (inPartHeader_ || rfc822Pending_)
            HeaderField(line);
        if (wasPartHeader && !inPartHeader_) {
            dataStart_ = lineNo_ + 1;  // the empty line ending the part header is no data
            dataEncoding_ = partEncoding_;
        }
        ++lineNo_;
        // Read after the header step, so the empty line that ends an attachment's part
        // header is counted as its first line.
        if (!inPartHeader_ && !rfc822Pending_ && !name_.empty())
            size_.Count(line, encoding_);
        if (forwardHeader && line.empty()) {
            rfc822Pending_ = false;
            forwardHeaderStarted_ = false;
            if (forwardHeaderEnd_ == kNone)
                forwardHeaderEnd_ = display_.size();
        }
        if (!line.empty() && !inPartHeader_)
            atStart_ = false;
        if (atStart_)
            return;
        if (forwardHeader)
            Show(line);
        else
            Output(line);
    }

    // Base64 data of an attachment is only counted: the lines up to the next one that
    // begins with "--" go through here in one loop, as Feed would take them.
    std::size_t SkipData(std::string_view rest) {
        if (inPartHeader_ || rfc822Pending_ || name_.empty() || !direct_ ||
            encoding_ != kEncodingBase64)
            return 0;
        std::size_t pos = 0;
        while (pos < rest.size() && rest.compare(pos, 2, "--") != 0) {
            const std::size_t lf = rest.find('\n', pos);
            std::size_t end = lf == std::string_view::npos ? rest.size() : lf;
            const std::size_t next = lf == std::string_view::npos ? end : lf + 1;
            if (end > pos && lf != std::string_view::npos && rest[end - 1] == '\r')
                --end;
            const std::string_view line = rest.substr(pos, end - pos);
            ++lineNo_;
            size_.Count(line, kEncodingBase64);
            if (!line.empty())
                atStart_ = false;
            pos = next;
        }
        return pos;
    }

    BodyPassResult Finish() {
        // A mail cut off inside an attachment still shows what was there.
        if (!name_.empty())
            AddSummary(false);
        if (htmlPending_)
            AddHtmlMarker();
        result_.offerEuropeanFont = result_.nonAsciiLatin && !options_.europeanFontOn;
        return result_;
    }

  private:
    // A mail that is one file (a scanner's PDF, a calendar invitation): its body is
    // counted and summarised as the same file inside a multipart mail would be; a
    // nameless one is named by its type. A nameless message stays readable text.
    void StartSinglePartFile(const TopLevelContent& top) {
        if (top.multipart || top.type.empty() || top.type.starts_with("text/"))
            return;
        std::string name = ExtractAttachmentName(top.typeField);
        if (name.empty())
            name = ExtractAttachmentName(top.dispositionField);
        if (name.empty() && top.type.starts_with("message/"))
            return;
        name_ = name.empty() ? top.type : name;
        encoding_ = dataEncoding_ = top.encoding;
        dataStart_ = 0;
        // In a multipart mail the empty line ending the part header is counted too.
        size_.Count("", encoding_);
    }

    void AddBoundary(const std::string& b) { boundaries_.try_emplace(b, boundaries_.size()); }

    void BoundaryLine(std::string_view line) {
        // RFC 2046 lets a transport pad a delimiter line with blanks.
        const std::string_view b = BoundaryText(line);
        if (const auto it = boundaries_.find(std::string(b)); it != boundaries_.end()) {
            inPartHeader_ = true;
            htmlPart_ = false;
            partIsText_ = true;  // a part without Content-Type is text/plain
            direct_ = true;
            partEncoding_ = kEncodingNone;
            hold_.clear();
            if (inForward_ && it->second == 0) {
                // The outer boundary ends the forwarded message once.
                inForward_ = false;
                EndForward();
            }
        }
        if (b.ends_with("--")) {
            if (boundaries_.contains(std::string(b.substr(0, b.size() - 2)))) {
                inPartHeader_ = true;
                htmlPart_ = false;
                partIsText_ = false;  // an epilogue is no part of its own
                if (inForward_) {
                    inForward_ = false;
                    EndForward();
                }
            }
        }
        if (inPartHeader_ && !name_.empty())
            AddSummary(true);
        if (forwardEnded_) {
            if (htmlPending_)
                AddHtmlMarker();
            display_.PushView(kForwardEnd);
            name_.clear();
            forwardEnded_ = false;
        }
    }

    void EndForward() {
        forwardEnded_ = true;
        const std::size_t end = std::min(forwardHeaderEnd_, display_.size());
        if (forwardStart_ >= end)
            return;
        // The filter sees the forwarded header's own lines and nothing after them, so a
        // summary or marker line written below the header is never taken for a field.
        // It drops one field at a time; handing it the header alone moves the forwarded
        // body once rather than once per dropped field.
        std::vector<std::string> header = display_.Copy(forwardStart_, end);
        FilterForwardedHeader(header, 0, options_.headerList);
        const std::size_t dropped = end - forwardStart_ - header.size();
        display_.Replace(forwardStart_, end, std::move(header));
        // Summary lines below the header move up with the lines the filter dropped.
        for (AttachmentRecord& r : result_.attachments)
            if (r.displayIndex >= end)
                r.displayIndex -= dropped;
    }

    // A line the decoder writes itself closes the forwarded header's range, so the
    // header filter never sees it (a header cut off by a boundary has no empty line).
    void CloseForwardHeader() {
        if (inForward_ && forwardHeaderEnd_ == kNone)
            forwardHeaderEnd_ = display_.size();
    }

    // atBoundary: the current line is the boundary line that ends the part.
    void AddSummary(bool atBoundary) {
        CloseForwardHeader();
        AttachmentRecord r;
        r.displayIndex = display_.size();
        r.size = size_.Final(encoding_);
        r.line = FormatAttachmentLine(r.size, name_);
        r.name = std::move(name_);
        r.endLine = lineNo_;
        r.firstLine = std::min(dataStart_, r.endLine);
        r.encoding = dataEncoding_;
        r.endsAtBoundary = atBoundary;
        display_.Push(r.line);
        result_.attachments.push_back(std::move(r));
        name_.clear();
        size_.Reset();
        dataStart_ = kNone;
    }

    void AddHtmlMarker() {
        CloseForwardHeader();
        display_.PushView("");
        display_.PushView(kHtmlMarker);
        htmlPending_ = false;
    }

    void HeaderField(std::string_view line) {
        const bool continuation = !line.empty() && (line[0] == ' ' || line[0] == '\t');
        if (const auto value = FieldValue(line, "content-transfer-encoding")) {
            ReadEncoding(*value);
        } else if (FieldValue(line, "x-content-transfer-encoding")) {
            encoding_ = kEncodingExtension;
            encodingFolded_ = false;
        } else if (encodingFolded_ && continuation) {
            ReadEncoding(line);
        } else if (!continuation) {
            encodingFolded_ = false;
        }
        if (direct_ && line.empty())
            inPartHeader_ = false;
        if (inField_ && continuation) {
            field_ += line;
            return;
        }
        // A new field (or the end of the header) completes the one being gathered, even
        // when the new one is another Content-Type: its file name must not be lost.
        if (inField_)
            CompleteField();
        if (FieldValue(line, "content-type")) {
            inField_ = true;
            fieldIsType_ = true;
            field_ = line;
        } else if (FieldValue(line, "content-disposition")) {
            inField_ = true;
            fieldIsType_ = false;
            field_ = line;
        }
    }

    void ReadEncoding(std::string_view value) {
        const std::string v = text::ToLowerAscii(value);
        // "Content-Transfer-Encoding:" alone: the value is on the next line.
        encodingFolded_ = text::TrimBlanks(v).empty();
        encoding_ = text::Contains(v, "base64")   ? kEncodingBase64
                    : text::Contains(v, "quoted") ? kEncodingQuotedPrintable
                    : text::Contains(v, "uu")     ? kEncodingUuencode
                                                  : kEncodingNone;
        partEncoding_ = encoding_;
    }

    void CompleteField() {
        inField_ = false;
        const std::string lower = text::ToLowerAscii(field_);
        // Only the Content-Type field names the charset; a disposition field after it
        // must not switch the Western conversion off again.
        if (fieldIsType_) {
            latin_ = (!options_.europeanFontOn && text::Contains(field_, "8859")) ||
                     text::Contains(lower, "ascii");
            // The field is unfolded first: the type may stand on a continuation line.
            const std::string type = MediaTypeOf(*FieldValue(field_, "content-type"));
            partIsText_ = type.empty() || (type.starts_with("text/") && type != "text/html");
            if (type == "text/html") {
                htmlPending_ = true;
                htmlPart_ = true;
            }
        }
        if (field_.empty())
            return;
        if (name_.empty())
            name_ = ExtractAttachmentName(field_);
        if (text::Contains(lower, "message/rfc822") && !text::Contains(lower, "name=")) {
            rfc822Pending_ = true;
            forwardHeaderStarted_ = false;
            partIsText_ = true;  // the forwarded body, unless its own header says otherwise
            if (htmlPending_)
                AddHtmlMarker();
            display_.PushView("");
            CloseForwardHeader();
            display_.PushView(kForwardStart);
            forwardEnded_ = false;
        }
        std::string b = ExtractBoundary(field_, lower);
        if (!b.empty()) {
            AddBoundary(b);
            direct_ = false;
            hold_.clear();
        }
        field_.clear();
    }

    void Output(std::string_view line) {
        if (direct_) {
            if (inPartHeader_ || htmlPart_ || !name_.empty())
                return;
            // A text part after an HTML part (the plain alternative behind an HTML-first
            // one, a mailing list's footer): the HTML marker first, then the text.
            if (htmlPending_) {
                if (!partIsText_)
                    return;
                AddHtmlMarker();
            }
            Show(line);
            return;
        }
        hold_.push_back(line);
        if (hold_.size() > kHoldLimit) {
            for (const auto& h : hold_)
                Show(h);
            hold_.clear();
            direct_ = true;
        }
    }

    void Show(std::string_view line) {
        if (latin_)
            display_.Push(ConvertLatinLine(line, result_.nonAsciiLatin));
        else
            display_.PushView(line);
        result_.longestLine = std::max(result_.longestLine, display_.back().size());
    }

    const BodyPassOptions& options_;
    DisplayList& display_;
    BodyPassResult result_;

    std::unordered_map<std::string, std::size_t> boundaries_;  // boundary -> declaration order
    bool inPartHeader_;
    bool direct_;
    std::vector<std::string_view> hold_;
    bool htmlPart_ = false;
    bool htmlPending_;
    bool rfc822Pending_ = false;
    bool inForward_ = false;
    bool forwardEnded_ = false;
    bool forwardHeaderStarted_ = false;  // the declared forward's header lines have begun
    std::size_t forwardStart_ = 0;
    std::size_t forwardHeaderEnd_ = kNone;  // display index after the forwarded header
    int encoding_ = kEncodingNone;          // not reset between parts
    int partEncoding_ = kEncodingNone;      // the current part's own
    int dataEncoding_ = kEncodingNone;      // that of the part whose data is read
    std::size_t lineNo_ = 0;                // body lines fed so far
    std::size_t dataStart_ = kNone;         // first data line of the current part
    std::string field_;
    bool inField_ = false;
    bool fieldIsType_ = false;
    bool encodingFolded_ = false;  // the transfer encoding's value is still to come
    bool partIsText_ = true;       // the current part is text other than HTML (or untyped)
    std::string name_;
    AttachmentSize size_;
    bool latin_;
    bool atStart_ = true;
};

BodyPass::BodyPass(const TopLevelContent& top, const BodyPassOptions& options, DisplayList& display)
    : walker_(std::make_unique<BodyWalker>(top, options, display)) {}

BodyPass::~BodyPass() = default;

void BodyPass::Terminator(std::string_view line) {
    walker_->Terminator(line);
}

void BodyPass::Feed(std::string_view line) {
    walker_->Feed(line);
}

std::size_t BodyPass::SkipData(std::string_view rest) {
    return walker_->SkipData(rest);
}

BodyPassResult BodyPass::Finish() {
    return walker_->Finish();
}

BodyPassResult RunBodyPass(std::span<const std::string_view> mailLines, std::size_t first,
                           const TopLevelContent& top, const BodyPassOptions& options,
                           std::vector<std::string>& display) {
    DisplayList list(std::move(display));
    BodyPass pass(top, options, list);
    if (first > 0 && first <= mailLines.size())
        pass.Terminator(mailLines[first - 1]);
    for (std::size_t i = first; i < mailLines.size(); ++i)
        pass.Feed(mailLines[i]);
    BodyPassResult r = pass.Finish();
    display = list.Strings();
    return r;
}

}  // namespace varnel::mail
