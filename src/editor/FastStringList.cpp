// The scratch string list: tagged entries, optional sorting, cheap growth.
#include "editor/FastStringList.h"

#include <algorithm>
#include <stdexcept>

#include "text/Sjis.h"

namespace varnel::editor {

void TFastStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw ListIndexError();
}

void TFastStringList::SetCapacity(int n) {
    if (n < Count() || n > kMaxCapacity)
        throw ListIndexError();
    if (n < static_cast<int>(items_.capacity())) {
        std::vector<Item> smaller;
        smaller.reserve(static_cast<std::size_t>(n));
        std::move(items_.begin(), items_.end(), std::back_inserter(smaller));
        items_.swap(smaller);
    } else {
        items_.reserve(static_cast<std::size_t>(n));
    }
    capacity_ = n;
}

// Large lists grow by a third at a time, small ones by the usual small steps.
void TFastStringList::GrowFor(int extra) {
    if (Count() + extra <= capacity_)
        return;
    if (extra > 1) {
        GrowBy(extra);
    } else if (Count() > 64) {
        GrowBy(Count() / 3);
    } else {
        GrowBy(capacity_ > 8 ? 16 : 4);
    }
}

// The new capacity is the next multiple of 16 strictly above Capacity + delta.
void TFastStringList::GrowBy(int delta) {
    long long n = static_cast<long long>(capacity_) + delta;
    n = (n / 16 + 1) * 16;
    SetCapacity(static_cast<int>(std::min<long long>(n, kMaxCapacity)));
}

const std::string& TFastStringList::Get(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].text;
}

void TFastStringList::Put(int index, std::string s) {
    CheckIndex(index);
    items_[static_cast<std::size_t>(index)].text = std::move(s);
    if (sorted_)
        Sort();
}

std::intptr_t TFastStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void TFastStringList::PutObject(int index, std::intptr_t object) {
    CheckIndex(index);
    items_[static_cast<std::size_t>(index)].object = object;
}

int TFastStringList::AddObject(std::string s, std::intptr_t object) {
    int index = Count();
    if (sorted_ && Find(s, index)) {
        if (Duplicates == DuplicatesMode::Ignore)
            return index;
        if (Duplicates == DuplicatesMode::Error)
            throw std::invalid_argument("Duplicate string in a sorted list");
    }
    GrowFor(1);
    items_.insert(items_.begin() + index, Item{std::move(s), object});
    return index;
}

void TFastStringList::InsertObject(int index, std::string s, std::intptr_t object) {
    if (sorted_)
        throw std::logic_error("Insert is not allowed on a sorted list");
    if (index < 0 || index > Count())
        throw ListIndexError();
    GrowFor(1);
    items_.insert(items_.begin() + index, Item{std::move(s), object});
}

void TFastStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
}

void TFastStringList::Clear() {
    items_.clear();
    items_.shrink_to_fit();
    capacity_ = 0;
}

void TFastStringList::Exchange(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
}

void TFastStringList::Move(int from, int to) {
    CheckIndex(from);
    CheckIndex(to);
    Item item = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
}

void TFastStringList::AddStrings(const TFastStringList& other) {
    if (&other == this) {
        const TFastStringList copy = other;
        AddStrings(copy);
        return;
    }
    GrowFor(other.Count());
    for (const Item& item : other.items_)
        AddObject(item.text, item.object);
}

void TFastStringList::AddStrings(const std::vector<std::string>& lines) {
    GrowFor(static_cast<int>(lines.size()));
    for (const std::string& s : lines)
        Add(s);
}

void TFastStringList::Assign(const TFastStringList& other) {
    if (&other == this)
        return;
    Clear();
    AddStrings(other);
}

void TFastStringList::Assign(const std::vector<std::string>& lines) {
    Clear();
    AddStrings(lines);
}

int TFastStringList::Compare(std::string_view a, std::string_view b) const {
    if (caseSensitive_)
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return text::CompareNoCase(a, b);
}

int TFastStringList::IndexOf(std::string_view s) const {
    if (sorted_) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (Compare(items_[static_cast<std::size_t>(i)].text, s) == 0)
            return i;
    }
    return -1;
}

bool TFastStringList::Find(std::string_view s, int& index) const {
    if (!sorted_) {
        for (int i = 0; i < Count(); ++i) {
            if (Compare(items_[static_cast<std::size_t>(i)].text, s) == 0) {
                index = i;
                return true;
            }
        }
        index = Count();
        return false;
    }
    // First entry not less than s.
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (Compare(items_[static_cast<std::size_t>(mid)].text, s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < Count() && Compare(items_[static_cast<std::size_t>(lo)].text, s) == 0;
}

void TFastStringList::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
}

void TFastStringList::SetSorted(bool on) {
    if (on && !sorted_)
        Sort();
    sorted_ = on;
}

void TFastStringList::SetCaseSensitive(bool on) {
    caseSensitive_ = on;
    if (sorted_)
        Sort();
}

std::string TFastStringList::GetText() const {
    std::string out;
    for (const Item& item : items_) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TFastStringList::SetText(std::string_view text) {
    Clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t e = text.find_first_of("\r\n", i);
        if (e == std::string_view::npos) {
            Add(std::string(text.substr(i)));
            break;
        }
        Add(std::string(text.substr(i, e - i)));
        i = e + ((text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ? 2 : 1);
    }
}

namespace {
bool NeedsQuotes(std::string_view s) {
    if (s.empty())
        return false;
    for (const char c : s) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == ',' || c == '"')
            return true;
    }
    return false;
}
}  // namespace

std::string TFastStringList::GetCommaText() const {
    std::string out;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i > 0)
            out += ',';
        const std::string& s = items_[i].text;
        if (!NeedsQuotes(s)) {
            out += s;
            continue;
        }
        out += '"';
        for (const char c : s) {
            out += c;
            if (c == '"')
                out += '"';
        }
        out += '"';
    }
    return out;
}

void TFastStringList::SetCommaText(std::string_view text) {
    Clear();
    std::size_t p = 0;
    const auto skipBlanks = [&] {
        while (p < text.size() && static_cast<unsigned char>(text[p]) <= 0x20)
            ++p;
    };
    skipBlanks();
    while (p < text.size()) {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < text.size()) {
                if (text[p] == '"') {
                    if (p + 1 < text.size() && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            while (p < text.size() && text[p] != ',' && static_cast<unsigned char>(text[p]) > 0x20)
                item += text[p++];
        }
        Add(std::move(item));
        skipBlanks();
        if (p < text.size() && text[p] == ',') {
            ++p;
            skipBlanks();
            if (p == text.size())
                Add(std::string());
        }
    }
}

std::vector<std::string> TFastStringList::Strings() const {
    std::vector<std::string> out;
    out.reserve(items_.size());
    for (const Item& item : items_)
        out.push_back(item.text);
    return out;
}

}  // namespace varnel::editor
