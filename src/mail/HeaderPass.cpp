// Header pass: one walk over the header block, in full or summary mode.
#include "mail/HeaderPass.h"

#include <algorithm>

#include "mail/Addresses.h"
#include "mail/DisplayLines.h"
#include "text/Sjis.h"

namespace varnel::mail {

namespace {

enum class Field { Other, From, Subject, Received, Address };

bool IsContinuation(const std::string& line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

class HeaderWalker {
  public:
    HeaderWalker(const HeaderOptions& o, bool fullHeader, bool europeanFontOn)
        : o_(o), full_(fullHeader), own_(o.MyAddresses + o.MailingList), reader_(europeanFontOn) {
        r_.showRecipientsNow = o.ShowTo;
        r_.hadDate = fullHeader;  // full header mode does not look for a Date
    }

    void Line(const std::string& line) {
        MatchAlerts(line);
        if (line.starts_with("X-Status:"))
            ReadStatus(line);
        if (full_) {
            Push(ExpandLeadingTab(line, o_.TabToSpace));
            return;
        }
        reader_.FeedLine(line);
        if (IsContinuation(line))
            Continue(line);
        else
            NewField(line);
    }

    HeaderPassResult Finish(bool recipientOverride) {
        FlushPending();
        if (!recipientOverride && r_.addressCount > static_cast<std::size_t>(std::max(o_.MaxTo, 0)))
            r_.showRecipientsNow = false;
        // RFC 5322 puts the date after the last ";" of a Received field.
        std::size_t semi = text::FindLast(received_, ";");
        if (semi != text::npos) {
            std::string_view when = text::TrimBlanks(std::string_view(received_).substr(semi + 1));
            if (!when.empty()) {
                r_.receivedDate = ParseMailDate(when);
                r_.pseudoDate = "Date: " + std::string(when);
            }
        }
        if (!full_) {
            if (!from_.empty()) {
                Push(from_);
                if (IsSuspiciousAddress(from_))
                    r_.suspiciousAddress = true;
            }
            if (!subject_.empty())
                Push(subject_);
            if (!r_.hadDate && !r_.pseudoDate.empty())
                InsertAtDate(r_.pseudoDate);
            r_.top = reader_.Result();
        }
        return std::move(r_);
    }

  private:
    void Push(std::string line, bool recipient = false) {
        r_.display.push_back(std::move(line));
        r_.recipientLines.push_back(recipient);
    }
    void InsertAtDate(const std::string& line) {
        const auto at = static_cast<std::ptrdiff_t>(datePos_);
        r_.display.insert(r_.display.begin() + at, line);
        r_.recipientLines.insert(r_.recipientLines.begin() + at, false);
    }

    void MatchAlerts(const std::string& line) {
        if (!o_.AlertEnabled || matched_ == 0)
            return;
        const std::string lower = text::ToLowerAscii(line);
        for (std::size_t k = 0; k < matched_; ++k) {
            if (o_.Alerts[k].text.empty())
                break;
            if (text::Contains(lower, o_.Alerts[k].text)) {
                r_.alertColour = o_.Alerts[k].colour;
                matched_ = k;
                break;
            }
        }
    }

    void ReadStatus(const std::string& line) {
        if (r_.hasStatus) {
            r_.statusDuplicated = true;
            return;
        }
        r_.hasStatus = true;
        r_.status = line.size() > 10 ? line.substr(10, 4) : std::string();
    }

    void AddAddress(const std::string& a) {
        Push(ExpandLeadingTab(a, o_.TabToSpace), true);
        ++r_.addressCount;
        if (IsSuspiciousAddress(a))
            r_.suspiciousAddress = true;
    }

    void FlushPending() {
        if (!pending_.empty())
            AddAddress(pending_);
        pending_.clear();
    }

    // Each whole address goes on its own line; the next begins indented by a TAB.
    void SplitAddresses(std::string_view rest) {
        mail::SplitAddresses(rest, pending_, own_, r_.addressedToMe,
                             [this](const std::string& a) { AddAddress(a); });
    }

    void Continue(const std::string& line) {
        switch (field_) {
            case Field::From:
                from_ += line;
                break;
            case Field::Subject:
                subject_ += line;
                break;
            case Field::Received:
                received_ += line;
                break;
            case Field::Address:
                SplitAddresses(line);
                break;
            case Field::Other:
                break;
        }
        if (listed_)
            Push(ExpandLeadingTab(line, o_.TabToSpace));
    }

    bool IsListed(const std::string& lower) const {
        std::size_t colon = text::FindChar(lower, ':');
        if (colon == text::npos)
            return false;
        return text::Contains(o_.HeaderList, "," + lower.substr(0, colon + 1));
    }

    void NewField(const std::string& line) {
        FlushPending();
        field_ = Field::Other;
        listed_ = false;
        const std::string lower = text::ToLowerAscii(line);
        const std::string_view head = std::string_view(lower).substr(0, 4);
        if (lower.starts_with("from:")) {
            from_ = line;
            field_ = Field::From;
        } else if (lower.starts_with("subject:")) {
            subject_ = line;
            field_ = Field::Subject;
        } else if (lower.starts_with("date:")) {
            InsertAtDate(line);
            // The date check reads the first Date field, the one the status update
            // renames when it disagrees; a second Date must not be read instead.
            if (!r_.hadDate)
                r_.sentDate = ParseMailDate(std::string_view(line).substr(5));
            r_.hadDate = true;
        } else if (head == "to: " || head == "cc: " || head == "bcc:") {
            field_ = Field::Address;
            SplitAddresses(line);
        } else {
            if (IsListed(lower)) {
                if (!line.starts_with("X-Status: ")) {
                    Push(line);
                    listed_ = true;
                } else if (!statusListed_) {
                    Push(line);
                    listed_ = true;
                    statusListed_ = true;
                    datePos_ = 1;
                }
            }
            if (lower.starts_with("received:")) {
                received_ = line;
                field_ = Field::Received;
            } else if (lower.starts_with("disposition-notification-to:") && r_.status == "RECV" &&
                       o_.NotifyDispositionMode) {
                r_.dispositionPending = 1;
            }
        }
    }

    const HeaderOptions& o_;
    bool full_;
    std::string own_;
    TopLevelContentReader reader_;
    HeaderPassResult r_;
    std::size_t matched_ = 5;  // alert strings still worth testing
    Field field_ = Field::Other;
    bool listed_ = false;
    bool statusListed_ = false;
    std::size_t datePos_ = 0;
    std::string pending_, from_, subject_, received_;
};

}  // namespace

HeaderPassResult RunHeaderPass(std::span<const std::string_view> lines, bool fullHeader,
                               bool recipientOverride, bool europeanFontOn,
                               const HeaderOptions& options) {
    HeaderWalker w(options, fullHeader, europeanFontOn);
    std::size_t end = 0;
    while (end < lines.size() && !EndsHeaderBlock(lines[end]))
        w.Line(std::string(lines[end++]));
    HeaderPassResult r = w.Finish(recipientOverride);
    r.headerEnd = end;
    r.bodyStart = end < lines.size() ? end + 1 : end;
    if (end < lines.size())
        r.display.emplace_back(lines[end]);
    return r;
}

}  // namespace varnel::mail
