// The line store's slots: owned strings in blocks of about a thousand lines, with the
// line and soft-line counts of the blocks in Fenwick trees. An edit touches one block
// and O(log n) tree nodes wherever it lands, and the soft-line queries (how many before
// a line, where a paragraph starts or ends) cost a tree search and one block scan.
// Reading lines in order costs O(1) each: the last block found is remembered.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace varnel::editor {

class LineBlocks {
  public:
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return reserved_ > size_ ? reserved_ : size_; }
    const std::string& operator[](std::size_t i) const;
    // A line changed through this reference keeps its soft flag until Refresh.
    std::string& operator[](std::size_t i);

    // Inserts the lines before pos (pos == size() appends).
    void Insert(std::size_t pos, std::vector<std::string>&& lines);
    void Erase(std::size_t pos, std::size_t count);
    void Assign(std::vector<std::string>&& lines);
    // The capacity reported (never below size()); blocks grow as they need.
    void Resize(std::size_t n) { reserved_ = n; }
    // Takes the soft flags of count lines from first again from their line ends.
    void Refresh(std::size_t first, std::size_t count);

    // Soft lines: lines without a hard end (CR LF or NUL).
    std::size_t SoftCount() const { return softTotal_; }
    std::size_t SoftBefore(std::size_t line) const;
    bool IsSoft(std::size_t line) const;
    // First line after the last hard line before line (0 when there is none).
    std::size_t ParaStart(std::size_t line) const;
    // First hard line at or after line (the last line when there is none).
    std::size_t ParaEnd(std::size_t line) const;
    // The hard line of rank k (0 for the first); k below size() - SoftCount().
    std::size_t HardLine(std::size_t k) const;

  private:
    struct Block {
        std::vector<std::string> lines;
        std::vector<char> soft;  // 1 for a line without a hard end
        std::size_t softCount = 0;
    };
    static constexpr std::size_t kTarget = 1024;  // lines per block when blocks are cut
    static constexpr std::size_t kMax = 2048;     // a block is cut when it grows past this

    // Block and offset of line i (i < size()).
    std::pair<std::size_t, std::size_t> Locate(std::size_t i) const;
    // Block holding item n (0-based) counting lines, or only hard lines; and the
    // item's rank within the block.
    std::pair<std::size_t, std::size_t> Find(std::size_t n, bool hardOnly) const;
    std::size_t LinesBefore(std::size_t block) const;
    std::size_t SoftBeforeBlock(std::size_t block) const;
    void Add(std::size_t block, long long lines, long long soft);
    void Rebuild();
    // Replaces blocks [first, last) by blocks cut from lines.
    void Recut(std::size_t first, std::size_t last, std::vector<std::string>&& lines);

    std::vector<Block> blocks_;
    std::vector<std::size_t> treeLines_;  // Fenwick trees over blocks, 1-based
    std::vector<std::size_t> treeSoft_;
    std::size_t size_ = 0;
    std::size_t softTotal_ = 0;
    std::size_t reserved_ = 0;
    mutable std::size_t cacheBlock_ = 0;  // the last block found and its first line
    mutable std::size_t cacheStart_ = 0;
    mutable bool cacheValid_ = false;
};

}  // namespace varnel::editor
