// Stepping by mail number within a folder on disk, and the file history of the mails
// shown.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::store {

// Whether a file exists; the window passes the file system, tests a set of names.
using FileExists = std::function<bool(const std::string& path)>;
bool FileExistsOnDisk(const std::string& path);

// The nearest existing mail file after (step +1) or before (step -1) file in its
// folder: up to 51 numbers are probed, wrapping within 0000 to 9999. "" when none, or
// when file has no mail file name.
std::string NeighbourMailFile(std::string_view file, int step, const FileExists& exists);

// The next and previous mail names computed at each opening. A mail that waits to be
// moved (pending) is stepped over, so a deletion never shows it again.
struct NeighbourCache {
    std::string next;
    std::string previous;
};
NeighbourCache NeighboursOf(const std::string& current, const std::string& pending,
                            const FileExists& exists);

// The history of shown mail files: a list, a position (-1 when empty) and a top, the
// highest position that "ahead" may reach. At most max + 1 names are kept.
class FileHistory {
  public:
    explicit FileHistory(int max = 20) : max_(max < 0 ? 0 : max) {}
    void SetMax(int max) { max_ = max < 0 ? 0 : max; }

    void Record(const std::string& file);
    bool CanBack() const { return position_ >= 1; }
    bool CanAhead() const { return position_ < top_; }
    // The entry to show; "" when the move is not possible. The position moves only
    // when Commit is called after the mail was shown.
    std::string PeekBack() const;
    std::string PeekAhead() const;
    void CommitBack();
    void CommitAhead();

    int Position() const { return position_; }
    int Top() const { return top_; }
    const std::vector<std::string>& Entries() const { return entries_; }

  private:
    int max_;
    std::vector<std::string> entries_;
    int position_ = -1;
    int top_ = -1;
};

}  // namespace varnel::store
