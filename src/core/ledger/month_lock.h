// The lock that keeps two copies of the program (two users, or two computers sharing a
// folder) from writing the same month at once: a small text file beside the month file,
// naming who opened the month, where, when and as which process.
//
// A month's identity is its journal, so the lock is named after the journal in small
// letters ("nov2026.jrn.lock" for "NOV2026.rep"): every name whose journal differs only in
// letter case meets at the same lock. It can never be taken for the journal or a backup,
// and is not shown by the "*.rep" pattern of the Open dialog. A month and its lock are in
// the same folder, so every computer that reaches the month sees the lock too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Who holds a lock, as its file says.
struct LockHolder {
    std::string user;
    std::string host;
    std::string since;  // local time with its zone, "2026-12-06 14:03:27 +0100"
    long pid = 0;
    // False when the lock file is empty or damaged: its holder cannot be told.
    bool known = true;
};

enum class LockState {
    Acquired,        // this copy holds the lock now
    HeldByOther,     // `holder` has the month open
    FolderReadOnly,  // no lock can be made there (EACCES, EROFS); the month can still be viewed
    Failed,          // any other reason (a full disk, a link in the lock's place); `message` tells it
};

struct LockAttempt {
    LockState state = LockState::Failed;
    LockHolder holder;
    std::string message;  // FolderReadOnly: the folder and the reason; Failed: the lock file and the reason
    bool tookOverStale = false;
};

// This process as a lock names it: user, host name, the time now and the process id.
LockHolder thisProcess();

// The lock file's text, and its reading; nothing when the text is not a whole lock.
std::string composeLockText(const LockHolder& holder);
std::optional<LockHolder> parseLockText(std::string_view text);

class MonthLock {
public:
    MonthLock() = default;
    ~MonthLock();
    MonthLock(MonthLock&& other) noexcept;
    MonthLock& operator=(MonthLock&& other) noexcept;
    MonthLock(const MonthLock&) = delete;
    MonthLock& operator=(const MonthLock&) = delete;

    // "nov2026.jrn.lock" beside the month file (beside the file a link leads to).
    static std::string lockPathFor(const std::string& monthPath);

    // Takes the lock of `monthPath` (releasing any lock this object held). A lock left by a
    // copy that died on this computer (same host name, its process gone) is taken over; a
    // lock from another computer never is, since whether its copy still runs cannot be known.
    LockAttempt acquire(const std::string& monthPath);

    // Removes the lock file if it is still ours; a lock someone else has put in its place stays.
    void release();

    bool held() const { return !lockPath_.empty(); }
    const std::string& monthPath() const { return monthPath_; }
    const std::string& lockPath() const { return lockPath_; }

private:
    std::string monthPath_;
    std::string lockPath_;
    std::string text_;  // exactly what we wrote, to recognise our own lock
};

}  // namespace quorvel
