// A general string list with an integer tag per entry, optional sorting and a growth
// rule that keeps appends cheap; the main window's scratch list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/ListIndexError.h"

namespace varnel::editor {

class TFastStringList {
  public:
    static constexpr int kMaxCapacity = 0x7FFFFFF;
    enum class DuplicatesMode { Accept, Ignore, Error };

    int Count() const { return static_cast<int>(items_.size()); }
    int Capacity() const { return capacity_; }
    // n below Count or above kMaxCapacity raises ListIndexError.
    void SetCapacity(int n);

    const std::string& Get(int index) const;
    const std::string& operator[](int index) const { return Get(index); }
    void Put(int index, std::string s);
    std::intptr_t GetObject(int index) const;
    void PutObject(int index, std::intptr_t object);

    // Appends (on a sorted list: inserts in order; a duplicate follows Duplicates).
    // Returns the index of the entry.
    int Add(std::string s) { return AddObject(std::move(s), 0); }
    int AddObject(std::string s, std::intptr_t object);
    // Inserts before index (index == Count appends); not allowed on a sorted list.
    void Insert(int index, std::string s) { InsertObject(index, std::move(s), 0); }
    void InsertObject(int index, std::string s, std::intptr_t object);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);

    void AddStrings(const TFastStringList& other);
    void AddStrings(const std::vector<std::string>& lines);
    void Assign(const TFastStringList& other);
    void Assign(const std::vector<std::string>& lines);

    // First entry equal to s (ASCII case folded unless CaseSensitive), or -1.
    int IndexOf(std::string_view s) const;
    // On a sorted list: true when s is present; index is its position or where it would
    // be inserted. On an unsorted list: a linear search, index Count when absent.
    bool Find(std::string_view s, int& index) const;
    void Sort();
    bool Sorted() const { return sorted_; }
    void SetSorted(bool on);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool on);
    DuplicatesMode Duplicates = DuplicatesMode::Accept;

    // Every entry followed by CR LF.
    std::string GetText() const;
    // Clear, then one entry per line; CR LF, LF and CR all end a line.
    void SetText(std::string_view text);
    // Entries joined by ","; an entry holding a blank, comma, double quote or control byte
    // is quoted, inner double quotes doubled.
    std::string GetCommaText() const;
    // Clear, then the items of a comma text as GetCommaText writes it (blanks between
    // items are skipped).
    void SetCommaText(std::string_view text);

    std::vector<std::string> Strings() const;

  private:
    struct Item {
        std::string text;
        std::intptr_t object = 0;
    };
    int Compare(std::string_view a, std::string_view b) const;
    void CheckIndex(int index) const;
    void GrowFor(int extra);
    void GrowBy(int delta);

    std::vector<Item> items_;
    int capacity_ = 0;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};

}  // namespace varnel::editor
