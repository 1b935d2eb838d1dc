// The block store against a plain vector: random inserts, erases, rewrites and bulk
// loads large enough to cut and drop blocks, with every soft-line query checked by a
// linear scan after each step.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/LineBlocks.h"
#include "editor/LineString.h"

namespace varnel::editor {
namespace {

struct Model {
    std::vector<std::string> lines;
    std::size_t SoftBefore(std::size_t line) const {
        std::size_t n = 0;
        for (std::size_t i = 0; i < line && i < lines.size(); ++i)
            n += HasHardEnd(lines[i]) ? 0 : 1;
        return n;
    }
    std::size_t ParaStart(std::size_t line) const {
        line = std::min(line, lines.empty() ? 0 : lines.size() - 1);
        while (line > 0 && !HasHardEnd(lines[line - 1]))
            --line;
        return line;
    }
    std::size_t ParaEnd(std::size_t line) const {
        const std::size_t last = lines.empty() ? 0 : lines.size() - 1;
        line = std::min(line, last);
        while (line < last && !HasHardEnd(lines[line]))
            ++line;
        return line;
    }
};

// Mostly soft pieces, so that paragraphs span many blocks.
std::vector<std::string> Pieces(std::mt19937& rng, std::size_t n) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < n; ++i) {
        std::string l = "L" + std::to_string(rng() % 1000);
        if (rng() % 50 == 0)
            l += "\r\n";
        out.push_back(l);
    }
    return out;
}

void ExpectSame(const LineBlocks& b, const Model& m, std::mt19937& rng, int step) {
    ASSERT_EQ(b.size(), m.lines.size()) << "step " << step;
    ASSERT_EQ(b.SoftCount(), m.SoftBefore(m.lines.size())) << "step " << step;
    if (m.lines.empty())
        return;
    for (int probe = 0; probe < 20; ++probe) {
        const std::size_t i = rng() % m.lines.size();
        ASSERT_EQ(b[i], m.lines[i]) << "step " << step << " line " << i;
        ASSERT_EQ(b.IsSoft(i), !HasHardEnd(m.lines[i])) << "step " << step << " line " << i;
        ASSERT_EQ(b.SoftBefore(i), m.SoftBefore(i)) << "step " << step << " line " << i;
        ASSERT_EQ(b.ParaStart(i), m.ParaStart(i)) << "step " << step << " line " << i;
        ASSERT_EQ(b.ParaEnd(i), m.ParaEnd(i)) << "step " << step << " line " << i;
        if (HasHardEnd(m.lines[i])) {
            ASSERT_EQ(b.HardLine(i - m.SoftBefore(i)), i) << "step " << step << " line " << i;
        }
    }
}

TEST(LineBlocks, RandomEditsAgreeWithAPlainVector) {
    std::mt19937 rng(5);
    LineBlocks b;
    Model m;
    for (int step = 0; step < 600; ++step) {
        const unsigned op = rng() % 10;
        const std::size_t size = m.lines.size();
        if (op < 4 || size == 0) {  // insert, now and then more than a block holds
            const std::size_t pos = size == 0 ? 0 : rng() % (size + 1);
            auto add = Pieces(rng, rng() % 8 == 0 ? 1500 + rng() % 2000 : 1 + rng() % 5);
            m.lines.insert(m.lines.begin() + static_cast<std::ptrdiff_t>(pos), add.begin(),
                           add.end());
            b.Insert(pos, std::move(add));
        } else if (op < 7) {  // erase, sometimes across several blocks
            const std::size_t pos = rng() % size;
            const std::size_t n =
                std::min(size - pos, rng() % 6 == 0 ? std::size_t{2500} : 1 + rng() % 4);
            m.lines.erase(m.lines.begin() + static_cast<std::ptrdiff_t>(pos),
                          m.lines.begin() + static_cast<std::ptrdiff_t>(pos + n));
            b.Erase(pos, n);
        } else if (op < 9) {  // a line's end rewritten in place
            const std::size_t i = rng() % size;
            m.lines[i] = HasHardEnd(m.lines[i]) ? "soft" : "hard\r\n";
            b[i] = m.lines[i];
            b.Refresh(i, 1);
        } else if (rng() % 8 == 0) {
            m.lines = Pieces(rng, rng() % 5000);
            b.Assign(std::vector<std::string>(m.lines));
        }
        ExpectSame(b, m, rng, step);
    }
}

TEST(LineBlocks, ParagraphEdgesAtBlockBoundariesAndEnds) {
    // One paragraph of 5000 soft pieces between two hard lines, then an all-soft tail.
    std::vector<std::string> lines{"a\r\n"};
    for (int i = 0; i < 5000; ++i)
        lines.push_back("s");
    lines.push_back("end\r\n");
    for (int i = 0; i < 3000; ++i)
        lines.push_back("t");
    Model m{lines};
    LineBlocks b;
    b.Assign(std::move(lines));
    for (std::size_t i : {0, 1, 2, 1023, 1024, 1025, 4999, 5000, 5001, 5002, 6000, 8001, 8002}) {
        EXPECT_EQ(b.ParaStart(i), m.ParaStart(i)) << i;
        EXPECT_EQ(b.ParaEnd(i), m.ParaEnd(i)) << i;
        EXPECT_EQ(b.SoftBefore(i), m.SoftBefore(i)) << i;
    }
    b.Erase(0, b.size());
    EXPECT_EQ(b.size(), 0u);
    EXPECT_EQ(b.SoftCount(), 0u);
    EXPECT_EQ(b.ParaStart(0), 0u);
}

}  // namespace
}  // namespace varnel::editor
