// Thread navigation.
#include "store/ThreadNavigator.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <set>

#include "store/IndexReader.h"
#include "store/StoreNames.h"
#include "store/SubjectKey.h"
#include "text/Sjis.h"

namespace varnel::store {

namespace {

// Thread base follows parents until they stop moving; subjects can form a cycle.
constexpr int kMaxBaseSteps = 10000;

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Record-time thresholds saturate instead of wrapping: a mail without a time (0) must
// not make every other record look too old, nor a late one look early.
std::uint32_t Minus(std::uint32_t t, std::uint32_t d) {
    return t > d ? t - d : 0;
}
std::uint32_t Plus(std::uint32_t t, std::uint32_t d) {
    return d > std::numeric_limits<std::uint32_t>::max() - t
               ? std::numeric_limits<std::uint32_t>::max()
               : t + d;
}

void NoteDamage(const IndexReader& r, std::string& damage) {
    if (!r.Damaged())
        return;
    const std::string report = r.DamageReport();
    if (damage.find(report) == std::string::npos)
        damage += (damage.empty() ? "" : "\n") + report;
}

}  // namespace

ThreadNavigator::ThreadNavigator(ThreadSettings settings, UpdateRequest requestUpdate)
    : settings_(settings), requestUpdate_(std::move(requestUpdate)) {}

void ThreadNavigator::Reset(long number) {
    ids_.clear();
    subjects_.clear();
    keyLastBytes_.reset();
    inPos_ = sentPos_ = -1;
    threadStart_ = number;
}

long& ThreadNavigator::PositionOf(std::string_view indexFile) {
    return IsInFolder(indexFile) ? inPos_ : sentPos_;
}

bool ThreadNavigator::HasId(std::string_view id) const {
    return !id.empty() && std::find(ids_.begin(), ids_.end(), id) != ids_.end();
}

bool ThreadNavigator::HasSubject(std::string_view key) const {
    return !key.empty() && std::find(subjects_.begin(), subjects_.end(), key) != subjects_.end();
}

void ThreadNavigator::AddId(std::string_view id) {
    if (id.empty())
        return;
    ids_.emplace_back(id);
    while (ids_.size() > static_cast<std::size_t>(std::max(1, settings_.TreadIdMax)))
        ids_.pop_front();
}

void ThreadNavigator::AddSubject(std::string_view key) {
    if (!key.empty() && !HasSubject(key)) {
        subjects_.emplace_back(key);
        keyLastBytes_.set(static_cast<unsigned char>(key.back()));
    }
}

bool ThreadNavigator::SubjectListed(std::string_view subject) const {
    if (subjects_.empty())
        return false;
    if (subject.size() <= kMaxSubjectKeyBytes) {
        const auto last = subject.find_last_not_of(' ');
        if (last == std::string_view::npos ||
            !keyLastBytes_.test(static_cast<unsigned char>(subject[last])))
            return false;
    }
    return HasSubject(SubjectKey(subject));
}

void ThreadNavigator::StartDirection(bool up) {
    if (up_ != up)
        inPos_ = sentPos_ = -1;
    up_ = up;
}

ThreadStep ThreadNavigator::Down(const std::string& current) {
    StartDirection(false);
    ThreadStep step;
    const auto n = MailNumberValue(current);
    if (!n) {
        step.message = ThreadMessage::NotMailFile;
        return step;
    }
    const std::string folder = ThreadFolderFileOf(current);
    IndexReader same(folder);
    if (!same.IsOpen())
        return step;
    const std::optional<std::string> other =
        settings_.ThreadSwitchFolder ? PairedFolderOf(folder) : std::nullopt;
    if (other)
        PositionOf(folder) = *n;

    const auto self = static_cast<std::size_t>(*n);
    const std::uint32_t now = same.Time(self);
    {
        const RecordKeys k = same.Keys(self);
        if (!HasId(k.ownId))
            AddId(k.ownId);
        AddSubject(SubjectKey(k.subject));
    }

    auto matches = [&](const RecordKeys& k, bool bySubject) {
        return k.used() && (HasId(k.parentId) || (bySubject && SubjectListed(k.subject)));
    };

    std::optional<std::size_t> sameHit;
    std::string sameId, sameKey, otherId, otherKey;
    for (std::size_t i = self + 1; i < same.Count(); ++i) {
        const RecordKeys k = same.Keys(i);
        if (matches(k, settings_.ThreadBySubject)) {
            sameHit = i;
            sameId = k.ownId;
            sameKey = SubjectKey(k.subject);
            break;
        }
    }
    const std::uint32_t sameTime = sameHit ? same.Time(*sameHit) : 0;
    NoteDamage(same, step.damage);

    std::optional<std::size_t> otherHit;
    std::uint32_t otherTime = 0;
    if (other && Exists(*other)) {
        if (requestUpdate_)
            requestUpdate_(*other);
        IndexReader o(*other);
        const long start = PositionOf(*other) + 1;
        if (start >= 0 && static_cast<std::size_t>(start) < o.Count()) {
            const std::uint32_t low = Minus(now, settings_.AllowTimeErrorSeconds);
            auto p = static_cast<std::size_t>(start);
            while (p + 1 < o.Count() && (o.Time(p) == 0 || o.Time(p) < low))
                ++p;
            for (std::size_t q = p; q < o.Count(); ++q) {
                const std::uint32_t t = o.Time(q);
                if (t <= low)
                    continue;
                const RecordKeys k = o.Keys(q);
                if (matches(k, settings_.ThreadSwitchFolderBySubject)) {
                    otherHit = q;
                    otherTime = t;
                    otherId = k.ownId;
                    otherKey = SubjectKey(k.subject);
                    break;
                }
            }
        }
        NoteDamage(o, step.damage);
    }

    // The earlier answer wins; equal times keep the same folder.
    const bool takeOther = otherHit && (!sameHit || sameTime > otherTime);
    if (sameHit || otherHit) {
        const std::string& where = takeOther ? *other : folder;
        const std::size_t index = takeOther ? *otherHit : *sameHit;
        AddId(takeOther ? otherId : sameId);
        AddSubject(takeOther ? otherKey : sameKey);
        step.file = MailFileOfRecord(where, index);
        step.threadMove = true;
        PositionOf(where) = static_cast<long>(index);
        return step;
    }

    if (settings_.NewThreadAtEnd) {
        ThreadStep next = NewThread(current);
        next.damage = step.damage + next.damage;
        return next;
    }
    if (settings_.NewMailAtEnd) {
        std::string where = folder;
        if (settings_.ThreadSwitchFolder && !IsInFolder(folder) && other)
            where = *other;  // from the sent folder, new mail is looked for in "in.fld"
        ThreadStep fresh = NewMailAtEnd(where);
        fresh.damage = step.damage + fresh.damage;
        return fresh;
    }
    step.message = ThreadMessage::NoMoreMails;
    return step;
}

ThreadStep ThreadNavigator::NewMailAtEnd(const std::string& folder) {
    ThreadStep step;
    IndexReader r(folder);
    for (std::size_t i = 0; i < r.Count(); ++i) {
        if (r.Status(i) == IndexStatus::kNew) {
            step.file = MailFileOfRecord(folder, i);
            if (IsInFolder(folder))
                step.inPositionAfterOpen = static_cast<long>(i);
            break;
        }
    }
    NoteDamage(r, step.damage);
    if (!step.found())
        step.message = ThreadMessage::NoMoreMails;
    return step;
}

std::string ThreadNavigator::FindThreadParent(const std::string& mailFile, std::string* damage) {
    std::string notes;
    const auto n = MailNumberValue(mailFile);
    const std::string folder = ThreadFolderFileOf(mailFile);
    IndexReader same(folder);
    if (!n || !same.IsOpen())
        return mailFile;
    const std::optional<std::string> other =
        settings_.ThreadSwitchFolder ? PairedFolderOf(folder) : std::nullopt;
    if (other)
        PositionOf(folder) = *n;

    const auto self = static_cast<std::size_t>(*n);
    const std::uint32_t now = same.Time(self);
    std::string parent;
    {
        const RecordKeys k = same.Keys(self);
        parent = std::string(k.parentId);
        AddSubject(SubjectKey(k.subject));
    }
    auto matches = [&](const RecordKeys& k, bool bySubject) {
        return k.used() &&
               ((!parent.empty() && k.ownId == parent) || (bySubject && SubjectListed(k.subject)));
    };

    std::optional<std::size_t> sameHit;
    std::string sameKey, otherKey;
    for (std::size_t i = std::min(self, same.Count()); i-- > 0;) {
        const RecordKeys k = same.Keys(i);
        if (matches(k, settings_.ThreadBackBySubject)) {
            sameHit = i;
            sameKey = SubjectKey(k.subject);
            break;
        }
    }
    const std::uint32_t sameTime = sameHit ? same.Time(*sameHit) : 0;
    NoteDamage(same, notes);

    std::optional<std::size_t> otherHit;
    std::uint32_t otherTime = 0;
    if (other && Exists(*other)) {
        if (requestUpdate_)
            requestUpdate_(*other);
        IndexReader o(*other);
        const long pos = PositionOf(*other);
        long q = pos < 0 ? static_cast<long>(o.Count()) - 1 : pos - 1;
        if (q >= static_cast<long>(o.Count()))
            q = static_cast<long>(o.Count()) - 1;
        if (q >= 0) {
            const std::uint32_t high = Plus(now, settings_.AllowTimeErrorSeconds);
            auto p = static_cast<std::size_t>(q);
            while (p > 0 && (o.Time(p) == 0 || o.Time(p) > high))
                --p;
            for (std::size_t i = p + 1; i-- > 0;) {
                const RecordKeys k = o.Keys(i);
                if (matches(k, settings_.ThreadSwitchFolderBySubject)) {
                    otherHit = i;
                    otherTime = k.time;
                    otherKey = SubjectKey(k.subject);
                    break;
                }
            }
        }
        NoteDamage(o, notes);
    }
    if (damage)
        *damage += notes;

    const bool takeOther = otherHit && (!sameHit || sameTime > otherTime);
    if (!sameHit && !otherHit)
        return mailFile;
    const std::string& where = takeOther ? *other : folder;
    const std::size_t index = takeOther ? *otherHit : *sameHit;
    AddSubject(takeOther ? otherKey : sameKey);
    PositionOf(where) = static_cast<long>(index);
    return MailFileOfRecord(where, index);
}

ThreadStep ThreadNavigator::Up(const std::string& current) {
    StartDirection(true);
    ThreadStep step;
    if (!MailNumberValue(current)) {
        step.message = ThreadMessage::NotMailFile;
        return step;
    }
    if (!Exists(ThreadFolderFileOf(current)))
        return step;
    const std::string parent = FindThreadParent(current, &step.damage);
    if (parent != current) {
        step.file = parent;
        step.threadMove = true;
    } else {
        step.message = ThreadMessage::NoMoreMails;
    }
    return step;
}

ThreadStep ThreadNavigator::Base(const std::string& current) {
    StartDirection(true);
    ThreadStep step;
    if (!MailNumberValue(current)) {
        step.message = ThreadMessage::NotMailFile;
        return step;
    }
    if (!Exists(ThreadFolderFileOf(current)))
        return step;
    std::string at = current;
    std::set<std::string> seen{current};
    for (int i = 0; i < kMaxBaseSteps; ++i) {
        const std::string parent = FindThreadParent(at, &step.damage);
        if (parent == at || !seen.insert(parent).second)
            break;
        at = parent;
    }
    if (at != current) {
        step.file = at;
        step.threadMove = true;
    } else {
        step.message = ThreadMessage::AlreadyAtBase;
    }
    return step;
}

ThreadStep ThreadNavigator::NewThread(const std::string& current) {
    ThreadStep step;
    const std::string folder = ThreadFolderFileOf(current);
    IndexReader r(folder);
    if (!r.IsOpen())
        return step;
    for (std::size_t i = static_cast<std::size_t>(std::max(threadStart_ + 1, 0L)); i < r.Count();
         ++i) {
        const RecordKeys k = r.Keys(i);
        if (k.used() && k.parentId.empty()) {
            step.file = MailFileOfRecord(folder, i);
            break;
        }
    }
    NoteDamage(r, step.damage);
    if (!step.found())
        step.message = ThreadMessage::NoMoreMails;
    return step;
}

ThreadStep ThreadNavigator::SubjectSearch(const std::string& current, std::string_view text,
                                          bool fromCurrent) {
    ThreadStep step;
    const std::string folder = ThreadFolderFileOf(current);
    IndexReader r(folder);
    if (!r.IsOpen())
        return step;
    long start = static_cast<long>(r.Count()) - 1;
    if (fromCurrent) {
        const auto n = MailNumberValue(current);
        if (!n) {
            step.message = ThreadMessage::NotMailFile;
            return step;
        }
        start = std::min(start, *n);
    }
    for (long i = start; i >= 0 && !text.empty(); --i) {
        const RecordKeys k = r.Keys(static_cast<std::size_t>(i));
        if (k.used() && text::Contains(k.subject, text)) {
            step.file = MailFileOfRecord(folder, static_cast<std::size_t>(i));
            break;
        }
    }
    NoteDamage(r, step.damage);
    if (!step.found())
        step.message = ThreadMessage::NoSuchMails;
    return step;
}

std::optional<std::size_t> LastUsedRecord(IndexReader& index) {
    if (index.Count() == 0)
        return std::nullopt;
    std::size_t i = index.Count() - 1;
    while (i > 0 && index.Status(i) == IndexStatus::kEmpty)
        --i;
    return i;
}

}  // namespace varnel::store
