// Index record fields taken from a mail file's header.
#include "store/IndexRecordFromMail.h"

#include <string>
#include <vector>

#include "text/Sjis.h"

namespace varnel::store {

namespace {

struct Field {
    std::string name;   // lower-cased, without the colon
    std::string value;  // text after the colon, folded lines joined, trimmed
};

struct Header {
    std::vector<Field> fields;
    std::string status;  // the four letters of the first "X-Status:" line
    bool hasStatus = false;
    bool endsWithSeparator = false;  // the block ended at a "-----" line
};

std::string_view NextLine(std::string_view& rest) {
    const auto lf = rest.find('\n');
    std::string_view line = rest.substr(0, lf);
    rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

Header ReadHeader(std::string_view mail) {
    Header header;
    std::string_view rest = mail;
    while (!rest.empty()) {
        const std::string_view line = NextLine(rest);
        if (line.empty() || line.front() == '-') {
            header.endsWithSeparator = line.substr(0, 5) == "-----";
            break;
        }
        if (line.front() == ' ' || line.front() == '\t') {
            if (!header.fields.empty())
                header.fields.back().value += std::string(line);
            continue;
        }
        const std::size_t colon = text::FindChar(line, ':');
        if (colon == text::npos)
            continue;
        Field field{text::ToLowerAscii(line.substr(0, colon)), std::string(line.substr(colon + 1))};
        if (field.name == "x-status" && !header.hasStatus) {
            header.hasStatus = true;
            header.status = std::string(text::TrimBlanks(field.value).substr(0, 4));
        }
        header.fields.push_back(std::move(field));
    }
    for (auto& f : header.fields)
        f.value = std::string(text::TrimBlanks(f.value));
    return header;
}

const Field* Find(const Header& header, std::string_view name) {
    for (const auto& f : header.fields) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

// The "<...>" tokens of a value, brackets included.
std::vector<std::string> AngleTokens(std::string_view value) {
    std::vector<std::string> tokens;
    std::size_t from = 0;
    while (true) {
        const std::size_t open = text::FindChar(value, '<', from);
        if (open == text::npos)
            break;
        const std::size_t close = text::FindChar(value, '>', open);
        if (close == text::npos)
            break;
        tokens.emplace_back(value.substr(open, close - open + 1));
        from = close + 1;
    }
    return tokens;
}

std::string FirstId(const Field* field) {
    if (!field)
        return {};
    const auto tokens = AngleTokens(field->value);
    if (!tokens.empty())
        return tokens.front();
    // A bare id without brackets: its first word.
    const std::size_t blank = text::FindFirstOf(field->value, " \t");
    return field->value.substr(0, blank);
}

std::string BareAddress(const Field* field) {
    if (!field)
        return {};
    const auto tokens = AngleTokens(field->value);
    if (!tokens.empty())
        return tokens.front().substr(1, tokens.front().size() - 2);
    return field->value;
}

}  // namespace

IndexRecord IndexRecordFromMail(std::string_view mailBytes, std::uint32_t time) {
    const Header header = ReadHeader(mailBytes);
    IndexRecord record;
    record.time = time;
    if (header.hasStatus)
        record.status = StatusByteForXStatus(header.status);
    else
        record.status = header.endsWithSeparator ? IndexStatus::kDraft : IndexStatus::kRead;
    record.sender = BareAddress(Find(header, "from"));
    record.messageId = FirstId(Find(header, "message-id"));
    record.parentId = FirstId(Find(header, "in-reply-to"));
    if (record.parentId.empty()) {
        if (const Field* refs = Find(header, "references")) {
            const auto tokens = AngleTokens(refs->value);
            if (!tokens.empty())
                record.parentId = tokens.back();
        }
    }
    if (const Field* subject = Find(header, "subject"))
        record.subject = subject->value;
    return record;
}

}  // namespace varnel::store
