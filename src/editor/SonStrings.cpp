// The editor's line store.
#include "editor/SonStrings.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>

#include "editor/FastStringList.h"
#include "editor/LineSplitter.h"
#include "editor/ReplaceFile.h"

namespace varnel::editor {

TSonStrings::TSonStrings() : lines_{std::string(1, '\0')} {}

void TSonStrings::Error() {
    throw ListIndexError();
}

void TSonStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        Error();
}

// Soft-line bookkeeping: Forget before lines leave, Tally after lines arrive.
void TSonStrings::Forget(int first, int count) {
    for (int i = first; i < first + count; ++i)
        softCount_ -= HasHardEnd(lines_[static_cast<std::size_t>(i)]) ? 0 : 1;
}

void TSonStrings::Tally(int first, int count) {
    for (int i = first; i < first + count; ++i)
        softCount_ += HasHardEnd(lines_[static_cast<std::size_t>(i)]) ? 0 : 1;
}

void TSonStrings::Changed(int first, int removed, int inserted) const {
    if (OnLinesChanged)
        OnLinesChanged(first, removed, inserted);
}

void TSonStrings::SetCount(int n) {
    if (n < 0 || n > kMaxCount)
        Error();
    const int old = Count();
    if (n == old)
        return;
    if (n < old)
        Forget(n, old - n);
    lines_.resize(static_cast<std::size_t>(n));
    if (n > old)
        Tally(old, n - old);
    if (n < old)
        Changed(n, old - n, 0);
    else
        Changed(old, 0, n - old);
}

void TSonStrings::SetCapacity(int n) {
    if (n > kMaxCount || n < Count())
        Error();
    if (n < Capacity()) {
        std::vector<std::string> smaller;
        smaller.reserve(static_cast<std::size_t>(n));
        std::move(lines_.begin(), lines_.end(), std::back_inserter(smaller));
        lines_.swap(smaller);
    } else {
        lines_.reserve(static_cast<std::size_t>(n));
    }
}

const std::string& TSonStrings::Get(int index) const {
    CheckIndex(index);
    return lines_[static_cast<std::size_t>(index)];
}

void TSonStrings::Put(int index, std::string line) {
    CheckIndex(index);
    Forget(index, 1);
    lines_[static_cast<std::size_t>(index)] = std::move(line);
    Tally(index, 1);
    Changed(index, 1, 1);
}

int TSonStrings::Add(std::string line) {
    if (Count() >= kMaxCount)
        Error();
    lines_.push_back(std::move(line));
    Tally(Count() - 1, 1);
    Changed(Count() - 1, 0, 1);
    return Count() - 1;
}

void TSonStrings::Insert(int index, std::string line) {
    if (index < 0 || index > Count() || Count() >= kMaxCount)
        Error();
    lines_.insert(lines_.begin() + index, std::move(line));
    Tally(index, 1);
    Changed(index, 0, 1);
}

void TSonStrings::Delete(int index) {
    CheckIndex(index);
    Forget(index, 1);
    lines_.erase(lines_.begin() + index);
    Changed(index, 1, 0);
}

void TSonStrings::Clear() {
    const int old = Count();
    std::vector<std::string>().swap(lines_);
    softCount_ = 0;
    if (old > 0)
        Changed(0, old, 0);
}

void TSonStrings::Fill(std::vector<std::string>&& lines) {
    const int old = Count();
    lines_ = std::move(lines);
    softCount_ = 0;
    Tally(0, Count());
    Changed(0, old, Count());
}

std::string TSonStrings::GetTextStr() const {
    std::size_t size = 0;
    for (const std::string& l : lines_)
        size += l.size();
    std::string out;
    out.reserve(size);
    for (const std::string& l : lines_)
        out += l;
    return out;
}

std::string TSonStrings::GetFileText() const {
    std::string out = GetTextStr();
    if (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

void TSonStrings::SetTextStr(std::string_view text) {
    if (!text.empty() && text.back() == '\0')
        text.remove_suffix(1);
    std::vector<std::string> lines = LineSplitterSplitCrLf(text);
    lines.back().push_back('\0');
    Fill(std::move(lines));
}

std::string TSonStrings::GetCommaText() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0)
            out += ',';
        const std::string& l = lines_[i];
        const bool quote = l.find_first_of(" ,") != std::string::npos;
        if (quote)
            out += '"';
        out += l;
        if (quote)
            out += '"';
    }
    return out;
}

void TSonStrings::SetCommaText(std::string_view text) {
    std::vector<std::string> items;
    std::size_t p = 0;
    while (p < text.size()) {
        const bool quoted = text[p] == '"';
        if (quoted)
            ++p;
        std::size_t e = p;
        while (e < text.size()) {
            const char c = text[e];
            if (c == '\r' || c == '\0' || c == '"' || (!quoted && c == ','))
                break;
            ++e;
        }
        items.emplace_back(text.substr(p, e - p));
        // Past the stopping byte, and past the comma after a closing quote.
        p = e + 1 + (quoted ? 1 : 0);
    }
    Fill(std::move(items));
}

void TSonStrings::InsertText(int& index, std::string_view text) {
    if (text.empty())
        return;
    if (index < 0 || index > Count())
        Error();
    std::vector<std::string> pieces = LineSplitterSplitCrLf(text);
    if (pieces.back().empty())
        pieces.pop_back();
    if (Count() + static_cast<long long>(pieces.size()) > kMaxCount)
        Error();
    const int n = static_cast<int>(pieces.size());
    lines_.insert(lines_.begin() + index, std::make_move_iterator(pieces.begin()),
                  std::make_move_iterator(pieces.end()));
    Tally(index, n);
    Changed(index, 0, n);
    index += n - 1;
}

void TSonStrings::Splice(int first, int count, std::vector<std::string> lines) {
    if (first < 0 || count < 0 || first > Count() || count > Count() - first)
        Error();
    const auto n = static_cast<long long>(lines.size());
    if (Count() - count + n > kMaxCount)
        Error();
    Forget(first, count);
    auto at = lines_.begin() + first;
    // Overwrite the common part in place, then erase or insert the difference.
    const long long common = std::min<long long>(count, n);
    std::move(lines.begin(), lines.begin() + common, at);
    if (count > n)
        lines_.erase(at + common, at + count);
    else if (n > count)
        lines_.insert(at + common, std::make_move_iterator(lines.begin() + common),
                      std::make_move_iterator(lines.end()));
    Tally(first, static_cast<int>(n));
    Changed(first, count, static_cast<int>(n));
}

void TSonStrings::AddStrings(const std::vector<std::string>& lines) {
    if (Count() + static_cast<long long>(lines.size()) > kMaxCount)
        Error();
    const int first = Count();
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    Tally(first, static_cast<int>(lines.size()));
    Changed(first, 0, static_cast<int>(lines.size()));
}

void TSonStrings::AddStrings(const TFastStringList& list) {
    AddStrings(list.Strings());
}

void TSonStrings::Assign(const std::vector<std::string>& lines) {
    Fill(std::vector<std::string>(lines));
}

void TSonStrings::Assign(std::vector<std::string>&& lines) {
    Fill(std::move(lines));
}

void TSonStrings::Assign(const TFastStringList& list) {
    Fill(list.Strings());
}

int TSonStrings::IndexOf(std::string_view line) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i] == line)
            return static_cast<int>(i);
    }
    return -1;
}

bool TSonStrings::LoadFromFile(const std::string& path, std::string& error) {
    std::string bytes;
    if (!ReplaceFileRead(path, bytes, error))
        return false;
    Fill(LineSplitterFileLines(bytes));
    return true;
}

bool TSonStrings::SaveToFile(const std::string& path, std::string& error) const {
    return ReplaceFileWrite(path, GetFileText(), error);
}

void TSonStrings::SaveToStream(std::ostream& out) const {
    const std::string text = GetTextStr();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void TSonStrings::LoadFromStream(std::istream& in) {
    const std::string rest{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SetTextStr(rest);
}

}  // namespace varnel::editor
