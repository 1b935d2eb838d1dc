// Owned strings in blocks, counted by Fenwick trees.
#include "editor/LineBlocks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "editor/LineString.h"

namespace varnel::editor {

namespace {

char SoftFlag(const std::string& line) {
    return HasHardEnd(line) ? 0 : 1;
}

// Number of ones among n flags of 0 or 1, eight at a time.
std::size_t CountSoft(const char* p, std::size_t n) {
    std::size_t total = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        total += static_cast<std::size_t>((w * 0x0101010101010101ull) >> 56);
    }
    for (; i < n; ++i)
        total += static_cast<std::size_t>(p[i]);
    return total;
}

}  // namespace

std::size_t LineBlocks::LinesBefore(std::size_t block) const {
    std::size_t s = 0;
    for (std::size_t i = block; i > 0; i -= i & (~i + 1))
        s += treeLines_[i];
    return s;
}

std::size_t LineBlocks::SoftBeforeBlock(std::size_t block) const {
    std::size_t s = 0;
    for (std::size_t i = block; i > 0; i -= i & (~i + 1))
        s += treeSoft_[i];
    return s;
}

void LineBlocks::Add(std::size_t block, long long lines, long long soft) {
    for (std::size_t i = block + 1; i < treeLines_.size(); i += i & (~i + 1)) {
        treeLines_[i] += static_cast<std::size_t>(lines);
        treeSoft_[i] += static_cast<std::size_t>(soft);
    }
    size_ += static_cast<std::size_t>(lines);
    softTotal_ += static_cast<std::size_t>(soft);
    blocks_[block].softCount += static_cast<std::size_t>(soft);
}

// The trees were sized beforehand where an allocation could fail; shrinking does not
// allocate.
void LineBlocks::Rebuild() {
    const std::size_t n = blocks_.size();
    treeLines_.assign(n + 1, 0);
    treeSoft_.assign(n + 1, 0);
    size_ = 0;
    softTotal_ = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        treeLines_[i] += blocks_[i - 1].lines.size();
        treeSoft_[i] += blocks_[i - 1].softCount;
        size_ += blocks_[i - 1].lines.size();
        softTotal_ += blocks_[i - 1].softCount;
        const std::size_t up = i + (i & (~i + 1));
        if (up <= n) {
            treeLines_[up] += treeLines_[i];
            treeSoft_[up] += treeSoft_[i];
        }
    }
    cacheValid_ = false;
}

std::pair<std::size_t, std::size_t> LineBlocks::Find(std::size_t n, bool hardOnly) const {
    const std::size_t count = blocks_.size();
    std::size_t pos = 0;
    for (std::size_t step = std::bit_floor(count); step > 0; step >>= 1) {
        const std::size_t next = pos + step;
        if (next > count)
            continue;
        const std::size_t v = treeLines_[next] - (hardOnly ? treeSoft_[next] : 0);
        if (v <= n) {
            pos = next;
            n -= v;
        }
    }
    return {pos, n};
}

std::pair<std::size_t, std::size_t> LineBlocks::Locate(std::size_t i) const {
    if (cacheValid_) {
        const std::size_t end = cacheStart_ + blocks_[cacheBlock_].lines.size();
        if (i >= cacheStart_ && i < end)
            return {cacheBlock_, i - cacheStart_};
        if (i >= end && cacheBlock_ + 1 < blocks_.size() &&
            i < end + blocks_[cacheBlock_ + 1].lines.size()) {
            ++cacheBlock_;
            cacheStart_ = end;
            return {cacheBlock_, i - end};
        }
    }
    const auto [b, r] = Find(i, false);
    cacheBlock_ = b;
    cacheStart_ = i - r;
    cacheValid_ = true;
    return {b, r};
}

const std::string& LineBlocks::operator[](std::size_t i) const {
    const auto [b, o] = Locate(i);
    return blocks_[b].lines[o];
}

std::string& LineBlocks::operator[](std::size_t i) {
    const auto [b, o] = Locate(i);
    return blocks_[b].lines[o];
}

// Every allocation happens before the first line moves: new blocks with room for
// their share of lines, and room in the block list and the trees.
void LineBlocks::Recut(std::size_t first, std::size_t last, std::vector<std::string>&& lines) {
    const std::size_t total = lines.size();
    const std::size_t chunks = (total + kTarget - 1) / kTarget;
    std::vector<Block> fresh(chunks);
    for (std::size_t c = 0; c < chunks; ++c) {
        const std::size_t n = total * (c + 1) / chunks - total * c / chunks;
        fresh[c].lines.reserve(n);
        fresh[c].soft.reserve(n);
    }
    const std::size_t blocks = blocks_.size() - (last - first) + chunks;
    blocks_.reserve(blocks);
    treeLines_.reserve(blocks + 1);
    treeSoft_.reserve(blocks + 1);
    std::size_t c = 0;
    for (std::string& line : lines) {
        if (fresh[c].lines.size() == fresh[c].lines.capacity())
            ++c;
        fresh[c].soft.push_back(SoftFlag(line));
        fresh[c].softCount += static_cast<std::size_t>(fresh[c].soft.back());
        fresh[c].lines.push_back(std::move(line));
    }
    const auto at = blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(first),
                                  blocks_.begin() + static_cast<std::ptrdiff_t>(last));
    blocks_.insert(at, std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
    Rebuild();
}

void LineBlocks::Insert(std::size_t pos, std::vector<std::string>&& lines) {
    const std::size_t k = lines.size();
    if (k == 0)
        return;
    if (blocks_.empty()) {
        Recut(0, 0, std::move(lines));
        return;
    }
    const auto [b, o] =
        pos >= size_ ? std::pair(blocks_.size() - 1, blocks_.back().lines.size()) : Locate(pos);
    Block& blk = blocks_[b];
    if (blk.lines.size() + k > kMax) {
        // The block and the new lines are cut into new blocks.
        std::vector<std::string> all;
        all.reserve(blk.lines.size() + k);
        all.insert(all.end(), std::make_move_iterator(blk.lines.begin()),
                   std::make_move_iterator(blk.lines.begin() + static_cast<std::ptrdiff_t>(o)));
        all.insert(all.end(), std::make_move_iterator(lines.begin()),
                   std::make_move_iterator(lines.end()));
        all.insert(all.end(),
                   std::make_move_iterator(blk.lines.begin() + static_cast<std::ptrdiff_t>(o)),
                   std::make_move_iterator(blk.lines.end()));
        try {
            Recut(b, b + 1, std::move(all));
        } catch (...) {
            // Put the block's lines back; the new ones were not the store's.
            for (std::size_t i = 0; i < o; ++i)
                blk.lines[i] = std::move(all[i]);
            for (std::size_t i = o; i < blk.lines.size(); ++i)
                blk.lines[i] = std::move(all[i + k]);
            throw;
        }
        return;
    }
    std::vector<char> flags(k);
    std::size_t soft = 0;
    for (std::size_t i = 0; i < k; ++i) {
        flags[i] = SoftFlag(lines[i]);
        soft += static_cast<std::size_t>(flags[i]);
    }
    blk.lines.reserve(blk.lines.size() + k);
    blk.soft.reserve(blk.soft.size() + k);
    blk.lines.insert(blk.lines.begin() + static_cast<std::ptrdiff_t>(o),
                     std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    blk.soft.insert(blk.soft.begin() + static_cast<std::ptrdiff_t>(o), flags.begin(), flags.end());
    Add(b, static_cast<long long>(k), static_cast<long long>(soft));
    cacheValid_ = false;
}

void LineBlocks::Erase(std::size_t pos, std::size_t count) {
    if (count == 0)
        return;
    auto [b, o] = Locate(pos);
    bool emptied = false;
    while (count > 0 && b < blocks_.size()) {
        Block& blk = blocks_[b];
        const std::size_t take = std::min(count, blk.lines.size() - o);
        const auto from = static_cast<std::ptrdiff_t>(o);
        const auto to = static_cast<std::ptrdiff_t>(o + take);
        const auto soft = std::count(blk.soft.begin() + from, blk.soft.begin() + to, 1);
        blk.lines.erase(blk.lines.begin() + from, blk.lines.begin() + to);
        blk.soft.erase(blk.soft.begin() + from, blk.soft.begin() + to);
        Add(b, -static_cast<long long>(take), -static_cast<long long>(soft));
        emptied = emptied || blk.lines.empty();
        count -= take;
        ++b;
        o = 0;
    }
    if (emptied) {
        std::erase_if(blocks_, [](const Block& blk) { return blk.lines.empty(); });
        Rebuild();
    }
    cacheValid_ = false;
}

void LineBlocks::Assign(std::vector<std::string>&& lines) {
    Recut(0, blocks_.size(), std::move(lines));
}

void LineBlocks::Refresh(std::size_t first, std::size_t count) {
    for (std::size_t i = first; i < first + count && i < size_; ++i) {
        const auto [b, o] = Locate(i);
        Block& blk = blocks_[b];
        const char now = SoftFlag(blk.lines[o]);
        if (now != blk.soft[o]) {
            blk.soft[o] = now;
            Add(b, 0, now ? 1 : -1);
        }
    }
}

std::size_t LineBlocks::SoftBefore(std::size_t line) const {
    if (line >= size_)
        return softTotal_;
    const auto [b, o] = Locate(line);
    const Block& blk = blocks_[b];
    return SoftBeforeBlock(b) +
           static_cast<std::size_t>(
               std::count(blk.soft.begin(), blk.soft.begin() + static_cast<std::ptrdiff_t>(o), 1));
}

bool LineBlocks::IsSoft(std::size_t line) const {
    if (line >= size_)
        return false;
    const auto [b, o] = Locate(line);
    return blocks_[b].soft[o] != 0;
}

std::size_t LineBlocks::ParaStart(std::size_t line) const {
    if (line == 0 || size_ == 0)
        return 0;
    line = std::min(line, size_);
    const auto [b, o] = Locate(line - 1);
    const Block& blk = blocks_[b];
    for (std::size_t j = o + 1; j-- > 0;) {
        if (!blk.soft[j])
            return line - o + j;
    }
    // Every line of this block up to line is soft: the last hard line lies in an
    // earlier block, found by its rank among the hard lines.
    const std::size_t hardBefore = LinesBefore(b) - SoftBeforeBlock(b);
    if (hardBefore == 0)
        return 0;
    const std::size_t c = Find(hardBefore - 1, true).first;
    const Block& hard = blocks_[c];
    for (std::size_t j = hard.lines.size(); j-- > 0;) {
        if (!hard.soft[j])
            return LinesBefore(c) + j + 1;
    }
    return 0;
}

std::size_t LineBlocks::HardLine(std::size_t k) const {
    const auto [c, rank] = Find(k, true);
    if (c >= blocks_.size())
        return size_ == 0 ? 0 : size_ - 1;
    const Block& blk = blocks_[c];
    const char* flags = blk.soft.data();
    const std::size_t n = blk.lines.size();
    std::size_t left = rank;  // hard lines still to pass
    std::size_t j = 0;
    // Whole words of eight flags first, then one by one.
    for (; j + 8 <= n; j += 8) {
        const std::size_t hard = 8 - CountSoft(flags + j, 8);
        if (left < hard)
            break;
        left -= hard;
    }
    for (; j < n; ++j) {
        if (!flags[j] && left-- == 0)
            return LinesBefore(c) + j;
    }
    return size_ - 1;
}

std::size_t LineBlocks::ParaEnd(std::size_t line) const {
    if (size_ == 0)
        return 0;
    line = std::min(line, size_ - 1);
    const auto [b, o] = Locate(line);
    const Block& blk = blocks_[b];
    for (std::size_t j = o; j < blk.lines.size(); ++j) {
        if (!blk.soft[j])
            return line + (j - o);
    }
    const std::size_t hardThrough = LinesBefore(b + 1) - SoftBeforeBlock(b + 1);
    if (hardThrough == size_ - softTotal_)
        return size_ - 1;
    const std::size_t c = Find(hardThrough, true).first;
    const Block& hard = blocks_[c];
    for (std::size_t j = 0; j < hard.lines.size(); ++j) {
        if (!hard.soft[j])
            return LinesBefore(c) + j;
    }
    return size_ - 1;
}

}  // namespace varnel::editor
