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

TSonStrings::TSonStrings() {
    lines_.Assign({std::string(1, '\0')});
}

void TSonStrings::Error() {
    throw ListIndexError();
}

void TSonStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        Error();
}

int TSonStrings::SoftBefore(int line) const {
    return line <= 0 ? 0 : static_cast<int>(lines_.SoftBefore(static_cast<std::size_t>(line)));
}

bool TSonStrings::IsSoft(int line) const {
    return line >= 0 && lines_.IsSoft(static_cast<std::size_t>(line));
}

int TSonStrings::ParaStart(int line) const {
    return line <= 0 ? 0 : static_cast<int>(lines_.ParaStart(static_cast<std::size_t>(line)));
}

int TSonStrings::HardLine(int k) const {
    return static_cast<int>(lines_.HardLine(static_cast<std::size_t>(std::max(0, k))));
}

int TSonStrings::ParaEnd(int line) const {
    return static_cast<int>(lines_.ParaEnd(static_cast<std::size_t>(std::max(0, line))));
}

void TSonStrings::Changed(int first, int removed, int inserted) {
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
        lines_.Erase(static_cast<std::size_t>(n), static_cast<std::size_t>(old - n));
    else
        lines_.Insert(static_cast<std::size_t>(old),
                      std::vector<std::string>(static_cast<std::size_t>(n - old)));
    if (n < old)
        Changed(n, old - n, 0);
    else
        Changed(old, 0, n - old);
}

void TSonStrings::SetCapacity(int n) {
    if (n > kMaxCount || n < Count())
        Error();
    lines_.Resize(static_cast<std::size_t>(n));
}

const std::string& TSonStrings::Get(int index) const {
    CheckIndex(index);
    return lines_[static_cast<std::size_t>(index)];
}

void TSonStrings::Put(int index, std::string line) {
    CheckIndex(index);
    lines_[static_cast<std::size_t>(index)] = std::move(line);
    lines_.Refresh(static_cast<std::size_t>(index), 1);
    Changed(index, 1, 1);
}

int TSonStrings::Add(std::string line) {
    if (Count() >= kMaxCount)
        Error();
    std::vector<std::string> one;
    one.push_back(std::move(line));
    lines_.Insert(lines_.size(), std::move(one));
    Changed(Count() - 1, 0, 1);
    return Count() - 1;
}

void TSonStrings::Insert(int index, std::string line) {
    if (index < 0 || index > Count() || Count() >= kMaxCount)
        Error();
    std::vector<std::string> one;
    one.push_back(std::move(line));
    lines_.Insert(static_cast<std::size_t>(index), std::move(one));
    Changed(index, 0, 1);
}

void TSonStrings::Delete(int index) {
    CheckIndex(index);
    lines_.Erase(static_cast<std::size_t>(index), 1);
    Changed(index, 1, 0);
}

void TSonStrings::Clear() {
    const int old = Count();
    lines_.Assign({});
    if (old > 0)
        Changed(0, old, 0);
}

void TSonStrings::Fill(std::vector<std::string>&& lines) {
    const int old = Count();
    lines_.Assign(std::move(lines));
    Changed(0, old, Count());
}

std::string TSonStrings::GetTextStr() const {
    std::size_t size = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        size += lines_[i].size();
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        out += lines_[i];
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
    lines_.Insert(static_cast<std::size_t>(index), std::move(pieces));
    Changed(index, 0, n);
    index += n - 1;
}

void TSonStrings::Splice(int first, int count, std::vector<std::string> lines) {
    if (first < 0 || count < 0 || first > Count() || count > Count() - first)
        Error();
    const auto n = static_cast<long long>(lines.size());
    if (Count() - count + n > kMaxCount)
        Error();
    // The extra lines go in first (all or nothing); swapping the common part cannot fail.
    const auto common = static_cast<std::size_t>(std::min<long long>(count, n));
    if (n > count) {
        std::vector<std::string> rest(std::make_move_iterator(lines.begin() + common),
                                      std::make_move_iterator(lines.end()));
        lines_.Insert(static_cast<std::size_t>(first + count), std::move(rest));
    }
    for (std::size_t k = 0; k < common; ++k)
        lines_[static_cast<std::size_t>(first) + k].swap(lines[k]);
    lines_.Refresh(static_cast<std::size_t>(first), common);
    if (count > n)
        lines_.Erase(static_cast<std::size_t>(first) + common,
                     static_cast<std::size_t>(count) - common);
    Changed(first, count, static_cast<int>(n));
}

void TSonStrings::AddStrings(const std::vector<std::string>& lines) {
    if (Count() + static_cast<long long>(lines.size()) > kMaxCount)
        Error();
    const int first = Count();
    lines_.Insert(lines_.size(), std::vector<std::string>(lines));
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
