// Line view of a mail file that keeps every untouched byte.
#include "mail/MailLines.h"

namespace varnel::mail {

MailLines MailLines::Split(std::string_view bytes, std::size_t maxLines) {
    MailLines m;
    std::size_t start = 0;
    while (start < bytes.size() && m.lines_.size() < maxLines) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            m.lines_.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        std::size_t textEnd = lf;
        if (textEnd > start && bytes[textEnd - 1] == '\r')
            --textEnd;
        m.lines_.push_back({std::string(bytes.substr(start, textEnd - start)),
                            std::string(bytes.substr(textEnd, lf + 1 - textEnd))});
        start = lf + 1;
    }
    return m;
}

bool MailLines::Reader::Next(std::string_view& line) {
    if (pos_ >= bytes_.size())
        return false;
    const std::size_t lf = bytes_.find('\n', pos_);
    if (lf == std::string_view::npos) {
        line = bytes_.substr(pos_);
        pos_ = bytes_.size();
        return true;
    }
    std::size_t textEnd = lf;
    if (textEnd > pos_ && bytes_[textEnd - 1] == '\r')
        --textEnd;
    line = bytes_.substr(pos_, textEnd - pos_);
    pos_ = lf + 1;
    return true;
}

std::vector<std::string> MailLines::Texts() const {
    std::vector<std::string> out;
    out.reserve(lines_.size());
    for (const auto& l : lines_)
        out.push_back(l.text);
    return out;
}

void MailLines::Insert(std::size_t at, std::string text) {
    if (at > lines_.size())
        at = lines_.size();
    if (at > 0 && lines_[at - 1].end.empty())
        lines_[at - 1].end = "\r\n";
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), "\r\n"});
}

void MailLines::Erase(std::size_t at) {
    if (at >= lines_.size())
        return;
    // The last line's missing end moves to the new last line, so no end is invented.
    if (at + 1 == lines_.size() && at > 0 && lines_[at].end.empty())
        lines_[at - 1].end.clear();
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string MailLines::Join() const {
    std::string out;
    for (const auto& l : lines_) {
        out += l.text;
        out += l.end;
    }
    return out;
}

}  // namespace varnel::mail
