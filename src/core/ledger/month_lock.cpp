#include "month_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <utility>

#include "file_faults.h"
#include "file_io.h"
#include "journal.h"
#include "month_paths.h"

namespace quorvel {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFirstLine = "Quorvel month lock";
// A lock is a few short lines; anything much longer is not one.
constexpr std::size_t kMaxLockBytes = 4096;
// Rounds of "a lock is there / it went away meanwhile" before giving up.
constexpr int kRounds = 4;

std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

std::string userName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name && *entry->pw_name) {
        return entry->pw_name;
    }
    if (const char* user = std::getenv("USER"); user && *user) return user;
    return "uid " + std::to_string(::geteuid());
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
    return name;
}

std::string localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &local);
    return std::string(text, length);
}

struct LockFile {
    bool exists = false;
    std::optional<std::string> bytes;  // none when the file is there but cannot be read
    bool foreign = false;              // a link, a FIFO or a folder: no copy of ours made it
};

LockFile readLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {errno != ENOENT, std::nullopt, errno == ELOOP};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {true, std::nullopt, true};
    }
    std::string bytes;
    char buffer[1024];
    while (bytes.size() <= kMaxLockBytes) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return {true, std::nullopt};
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return {true, std::move(bytes)};
}

// Creates `path` exclusively with the whole of `text`, flushed to disk. 0, or the errno.
int createFlushed(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    std::string_view rest = text;
    int error = 0;
    while (!rest.empty() && error == 0) {
        const ssize_t written = ::write(fd, rest.data(), rest.size());
        if (written < 0 && errno != EINTR) error = errno;
        if (written > 0) rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) ::unlink(path.c_str());
    return error;
}

// Left by a copy that died on this computer. Only ESRCH proves the process gone: EPERM is
// a live process of another user.
bool isStale(const LockHolder& holder, const std::string& ourHost) {
    return holder.known && holder.host == ourHost && holder.pid > 0 &&
           ::kill(static_cast<pid_t>(holder.pid), 0) == -1 && errno == ESRCH;
}

bool linkUnsupported(int error) {
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS;
}

LockHolder unknownHolder() {
    LockHolder holder;
    holder.known = false;
    return holder;
}

std::optional<LockHolder> holderNamedIn(const LockFile& file) {
    return file.bytes ? parseLockText(*file.bytes) : std::nullopt;
}

LockHolder holderOrUnknown(const std::optional<LockHolder>& holder) {
    return holder ? *holder : unknownHolder();
}

// The lock could not even be written under its own name (`error`): the folder refuses writing,
// unless a lock is already there, whose holder it names.
LockAttempt writeRefused(const std::string& lockPath, int error) {
    LockAttempt attempt;
    if (error != EACCES && error != EROFS && error != EPERM) {
        attempt.message = describeErrno(lockPath, error);
        return attempt;
    }
    if (const LockFile existing = readLock(lockPath); existing.exists) {
        attempt.state = LockState::HeldByOther;
        attempt.holder = holderOrUnknown(holderNamedIn(existing));
        return attempt;
    }
    attempt.state = LockState::FolderReadOnly;
    const std::string folder = fs::path(lockPath).parent_path().string();
    attempt.message = describeErrno(folder.empty() ? "." : folder, error);
    return attempt;
}

// Puts the written lock at `lockPath`: 0 when it is ours, EEXIST when a lock is there already,
// else the errno.
int linkIntoPlace(const std::string& temporary, const std::string& lockPath, const std::string& text) {
    const bool linked = ::link(temporary.c_str(), lockPath.c_str()) == 0;
    const int linkError = linked ? 0 : errno;
    // Over NFS a link that worked can still report failure; the link count tells the truth.
    struct stat info {};
    if (linked || (::stat(temporary.c_str(), &info) == 0 && info.st_nlink == 2)) return 0;
    // A folder without hard links: the exclusive create is the best there is.
    if (linkUnsupported(linkError)) return createFlushed(lockPath, text);
    return linkError;
}

// Moves the stale lock aside under our own name, so that of two copies taking it over at once
// only one moves it; the other finds no lock, or the winner's. 0, or the errno of the move.
int moveStaleAside(const std::string& lockPath, const std::string& aside, const LockFile& stale,
                   bool& tookOver) {
    if (::rename(lockPath.c_str(), aside.c_str()) != 0) return errno == ENOENT ? 0 : errno;
    const LockFile moved = readLock(aside);
    if (moved.bytes != stale.bytes) {
        // A fresh lock of another copy came in between: it goes back where it was.
        if (::link(aside.c_str(), lockPath.c_str()) != 0 && errno != EEXIST) {
            ::rename(aside.c_str(), lockPath.c_str());
        }
    } else {
        tookOver = true;
    }
    ::unlink(aside.c_str());
    return 0;
}

// Links the written lock into place, taking over a stale one, and says whether it is ours.
// When not, `attempt` names the holder or the fault; neither when the lock kept changing.
bool placeLock(const std::string& temporary, const std::string& lockPath, const std::string& text,
               const std::string& ourHost, LockAttempt& attempt) {
    for (int round = 0; round < kRounds; ++round) {
        if (const int error = linkIntoPlace(temporary, lockPath, text); error != EEXIST) {
            if (error != 0) attempt.message = describeErrno(lockPath, error);
            return error == 0;
        }
        const LockFile existing = readLock(lockPath);
        if (existing.foreign) {
            attempt.message = lockPath + ": is not a lock file (a link or a special file is in its place)";
            return false;
        }
        if (!existing.exists) continue;  // released meanwhile: try again
        const auto holder = holderNamedIn(existing);
        if (!holder || !isStale(*holder, ourHost)) {
            attempt.state = LockState::HeldByOther;
            attempt.holder = holderOrUnknown(holder);
            return false;
        }
        if (const int error = moveStaleAside(lockPath, temporary + ".stale", existing, attempt.tookOverStale);
            error != 0) {
            attempt.message = describeErrno(lockPath, error);
            return false;
        }
    }
    return false;
}

// A lock of earlier releases ("NAME.rep.lock") that a copy still at work holds: its holder.
std::optional<LockHolder> olderLockInForce(const std::string& monthPath, const std::string& ourHost) {
    const LockFile older = readLock(realMonthPath(monthPath) + ".lock");
    if (!older.exists || older.foreign) return std::nullopt;
    const auto holder = holderNamedIn(older);
    if (holder && isStale(*holder, ourHost)) return std::nullopt;
    return holderOrUnknown(holder);
}

}  // namespace

LockHolder thisProcess() {
    LockHolder me;
    me.user = oneLine(userName());
    me.host = oneLine(hostName());
    me.since = localTimeNow();
    me.pid = static_cast<long>(::getpid());
    return me;
}

std::string composeLockText(const LockHolder& holder) {
    std::string text(kFirstLine);
    text += "\nuser: " + holder.user + "\nhost: " + holder.host + "\nsince: " + holder.since +
            "\npid: " + std::to_string(holder.pid) + "\n";
    return text;
}

std::optional<LockHolder> parseLockText(std::string_view text) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos || text.substr(0, end) != kFirstLine) return std::nullopt;
    LockHolder holder;
    bool pidSeen = false;
    for (std::size_t start = end + 1; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t colon = line.find(": ");
        if (colon == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, colon);
        const std::string_view value = line.substr(colon + 2);
        if (key == "user") holder.user = value;
        if (key == "host") holder.host = value;
        if (key == "since") holder.since = value;
        if (key == "pid") {
            long pid = 0;
            const auto [stop, error] = std::from_chars(value.data(), value.data() + value.size(), pid);
            pidSeen =
                error == std::errc() && stop == value.data() + value.size() && pid > 0 && pid <= INT_MAX;
            holder.pid = pid;
        }
    }
    if (holder.user.empty() || holder.host.empty() || holder.since.empty() || !pidSeen) return std::nullopt;
    return holder;
}

MonthLock::~MonthLock() { release(); }

MonthLock::MonthLock(MonthLock&& other) noexcept
    : monthPath_(std::exchange(other.monthPath_, {})),
      lockPath_(std::exchange(other.lockPath_, {})),
      text_(std::exchange(other.text_, {})) {}

MonthLock& MonthLock::operator=(MonthLock&& other) noexcept {
    if (this != &other) {
        release();
        monthPath_ = std::exchange(other.monthPath_, {});
        lockPath_ = std::exchange(other.lockPath_, {});
        text_ = std::exchange(other.text_, {});
    }
    return *this;
}

std::string MonthLock::lockPathFor(const std::string& monthPath) {
    // Every name of one month (a link and its file, "DEC2026.REP" and "DEC2026.rep") meets at
    // one lock: the journal's name in small letters, beside the real file.
    const fs::path journal(Journal::pathFor(realMonthPath(monthPath)));
    return (journal.parent_path() / lowercaseAscii(journal.filename().string() + ".lock")).string();
}

LockAttempt MonthLock::acquire(const std::string& monthPath) {
    release();
    const std::string lockPath = lockPathFor(monthPath);
    const LockHolder me = thisProcess();
    const std::string text = composeLockText(me);

    // The lock is written whole under a name of its own and then linked into place, so no
    // copy ever reads a half-written lock; link() is exclusive on network folders too.
    static std::atomic<unsigned> serial{0};
    const std::string temporary =
        lockPath + "." + me.host + "." + std::to_string(me.pid) + "." + std::to_string(++serial) + ".tmp";
    int created = injectedFault(FileStep::Write, lockPath);
    if (created == 0) created = createFlushed(temporary, text);
    if (created != 0) return writeRefused(lockPath, created);

    LockAttempt attempt;
    const bool taken = placeLock(temporary, lockPath, text, me.host, attempt);
    ::unlink(temporary.c_str());
    if (!taken) {
        if (attempt.state != LockState::HeldByOther && attempt.message.empty()) {
            attempt.message = lockPath + ": the lock kept changing; try again";
        }
        return attempt;
    }
    // Earlier releases lock a month as "NAME.rep.lock"; such a copy still at work holds it.
    if (const auto older = olderLockInForce(monthPath, me.host)) {
        ::unlink(lockPath.c_str());
        attempt.state = LockState::HeldByOther;
        attempt.holder = *older;
        return attempt;
    }
    attempt.state = LockState::Acquired;
    monthPath_ = monthPath;
    lockPath_ = lockPath;
    text_ = text;
    return attempt;
}

void MonthLock::release() {
    if (!held()) return;
    // Only our own lock goes: one put in its place by another copy (that judged ours stale,
    // say) belongs to that copy.
    if (const LockFile current = readLock(lockPath_); current.bytes == text_) ::unlink(lockPath_.c_str());
    monthPath_.clear();
    lockPath_.clear();
    text_.clear();
}

}  // namespace quorvel
