// Thread navigation over the mailer's folder index files: thread down, up and base,
// new thread and subject search, with the received/sent folder pairing. The navigator
// holds the thread walk (visited ids and subject keys, the last position in each
// folder of the pair, the direction) and answers which mail to open; the window opens
// it, asks first whether the shown text may go, and tells the navigator about every
// ordinary opening (Reset).
//
// Matching rules that keep unrelated mail out of a thread: an empty message id or an
// empty subject key never matches, and an empty slot never matches. A candidate is
// "found" by an explicit flag, never by a non-zero record time.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::store {

class IndexReader;

struct ThreadSettings {
    bool ThreadBySubject = false;
    bool ThreadSwitchFolder = true;
    bool ThreadSwitchFolderBySubject = true;
    bool ThreadBackBySubject = true;
    std::uint32_t AllowTimeErrorSeconds = 0;
    bool NewThreadAtEnd = false;
    bool NewMailAtEnd = false;
    int TreadIdMax = 200;
};

enum class ThreadMessage { None, NoMoreMails, AlreadyAtBase, NoSuchMails, NotMailFile };

// What a thread command found.
struct ThreadStep {
    std::string file;         // the mail to open; "" when nothing was found
    bool threadMove = false;  // open without resetting the thread walk
    // After an ordinary opening (which resets the walk): the received folder's position.
    std::optional<long> inPositionAfterOpen;
    ThreadMessage message = ThreadMessage::None;
    std::string damage;  // damage met in the index files read; "" when none
    bool found() const { return !file.empty(); }
};

class ThreadNavigator {
  public:
    // Asks the mailer to bring a folder's index file up to date before it is read.
    using UpdateRequest = std::function<void(const std::string& indexFile)>;

    ThreadNavigator(ThreadSettings settings, UpdateRequest requestUpdate);

    void SetSettings(const ThreadSettings& s) { settings_ = s; }
    // After an ordinary opening that thread down chose (NewMailAtEnd).
    void SetInPosition(long n) { inPos_ = n; }
    // An ordinary opening (anything but thread up, down or base): the walk starts anew
    // at that mail's number (-1 when it has none).
    void Reset(long number);

    ThreadStep Down(const std::string& current);
    ThreadStep Up(const std::string& current);
    ThreadStep Base(const std::string& current);
    ThreadStep NewThread(const std::string& current);
    // Backwards from the current mail (fromCurrent) or from the folder's last record
    // for the last mail whose subject holds text (case-sensitive, whole characters).
    ThreadStep SubjectSearch(const std::string& current, std::string_view text, bool fromCurrent);

    // The thread-up search on its own: the parent of mailFile, or mailFile itself.
    std::string FindThreadParent(const std::string& mailFile, std::string* damage = nullptr);

    // State, for tests and the window.
    const std::deque<std::string>& Ids() const { return ids_; }
    const std::vector<std::string>& Subjects() const { return subjects_; }
    long InPosition() const { return inPos_; }
    long SentPosition() const { return sentPos_; }
    long ThreadStart() const { return threadStart_; }
    bool DirectionUp() const { return up_; }

  private:
    long& PositionOf(std::string_view indexFile);
    bool HasId(std::string_view id) const;
    bool HasSubject(std::string_view key) const;
    // Whether a record's subject has a key in the subject list. A key is a suffix of
    // the subject without its blanks, so most subjects are ruled out by their last
    // byte before a key is made.
    bool SubjectListed(std::string_view subject) const;
    void AddId(std::string_view id);
    void AddSubject(std::string_view key);
    void StartDirection(bool up);
    ThreadStep NewMailAtEnd(const std::string& folder);

    ThreadSettings settings_;
    UpdateRequest requestUpdate_;
    std::deque<std::string> ids_;
    std::vector<std::string> subjects_;
    std::bitset<256> keyLastBytes_;
    long inPos_ = -1;
    long sentPos_ = -1;
    long threadStart_ = -1;
    bool up_ = false;
};

// The last record whose status byte is not 0 (record 0 when all are empty); nothing
// when the file holds no whole record. The mailer is asked to update that record.
std::optional<std::size_t> LastUsedRecord(IndexReader& index);

}  // namespace varnel::store
