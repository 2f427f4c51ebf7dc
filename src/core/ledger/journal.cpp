#include "journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "file_faults.h"
#include "file_io.h"
#include "month_paths.h"

namespace quorvel {
namespace {

// The journal's descriptor, or -1 when it does not exist and `flags` do not create it.
// Never blocks (a FIFO in its place), and a journal being created is never a link's target.
Result<int> openJournalFile(const std::string& path, int flags) {
    // Written only as itself: a link at a journal's name could lead to another month's journal.
    if ((flags & O_CREAT) != 0 || (flags & O_ACCMODE) != O_RDONLY) flags |= O_NOFOLLOW;
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ENOENT && (flags & O_CREAT) == 0) return -1;
        return Status::Error(describeOpenFailure(path, errno));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Status::Error(describeErrno(path, error));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::Error(path + ": not a regular file");
    }
    return fd;
}

}  // namespace

Journal::~Journal() { close(); }

Journal::Journal(Journal&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      device_(other.device_),
      inode_(other.inode_),
      damagedAt_(std::exchange(other.damagedAt_, 0)),
      zeroTail_(std::exchange(other.zeroTail_, -1)),
      open_(std::exchange(other.open_, false)),
      writable_(std::exchange(other.writable_, false)),
      path_(std::move(other.path_)) {}

Journal& Journal::operator=(Journal&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        open_ = std::exchange(other.open_, false);
        writable_ = std::exchange(other.writable_, false);
        path_ = std::move(other.path_);
        device_ = other.device_;
        inode_ = other.inode_;
        zeroTail_ = std::exchange(other.zeroTail_, -1);
        damagedAt_ = std::exchange(other.damagedAt_, 0);
    }
    return *this;
}

std::string Journal::pathFor(const std::string& monthPath) {
    const std::size_t keep = monthPath.size() >= 4 ? monthPath.size() - 4 : 0;
    return monthPath.substr(0, keep) + ".jrn";
}

std::string Journal::locate(const std::string& monthPath) { return locateIgnoringCase(pathFor(monthPath)); }

Status Journal::open(const std::string& path, JournalMode mode) {
    close();
    path_ = path;
    auto fd = openJournalFile(path, mode == JournalMode::ReadOnly ? O_RDONLY : O_RDWR);
    if (!fd) return fd.status();
    remember(*fd);
    writable_ = mode == JournalMode::ReadWrite;
    open_ = true;
    return Status::Ok();
}

void Journal::remember(int fd) {
    fd_ = fd;
    struct stat info {};
    if (fd_ >= 0 && ::fstat(fd_, &info) == 0) {
        device_ = info.st_dev;
        inode_ = info.st_ino;
    }
}

// A journal deleted or replaced under an open month would take actions that vanish at close.
Status Journal::checkStillAtName() const {
    struct stat held {};
    struct stat named {};
    if (::fstat(fd_, &held) == 0 && held.st_nlink > 0 && ::stat(path_.c_str(), &named) == 0 &&
        named.st_dev == device_ && named.st_ino == inode_) {
        return Status::Ok();
    }
    return Status::Error(path_ +
                         ": the journal was deleted or replaced while the month was open, so nothing was "
                         "recorded. Open the month again to see what its files hold now.");
}

Status Journal::createEmpty(const std::string& path) {
    if (const int fault = injectedFault(FileStep::Open, path))
        return Status::Error(describeErrno(path, fault));
    auto fd = openJournalFile(path, O_RDWR | O_CREAT);
    if (!fd) return fd.status();
    ::close(*fd);
    return Status::Ok();
}

Status Journal::createIfMissing() {
    if (fd_ >= 0) return checkStillAtName();
    // Missing when the month was opened, so it must be new: one there now came from elsewhere.
    const int fd =
        ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        return Status::Error(path_ +
                             ": a journal appeared at this name after the month was opened, so nothing was "
                             "recorded. Open the month again to see what its files hold now.");
    }
    if (fd < 0) return Status::Error(describeOpenFailure(path_, errno));
    remember(fd);
    return Status::Ok();
}

void Journal::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    device_ = 0;
    inode_ = 0;
    zeroTail_ = -1;
    open_ = false;
    writable_ = false;
    damagedAt_ = 0;
}

std::int64_t Journal::recordCount() const {
    if (fd_ < 0) return 0;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return 0;
    const auto whole = static_cast<std::int64_t>(info.st_size) / static_cast<std::int64_t>(kRecordSize);
    return zeroTail_ >= 0 ? std::min(whole, zeroTail_) : whole;
}

Result<ActionRecord> Journal::read(std::int64_t number) const {
    if (number < 1 || number > recordCount()) {
        return Status::Error(path_ + ": there is no action record " + std::to_string(number));
    }
    char buffer[kRecordSize];
    const off_t offset = static_cast<off_t>(number - 1) * static_cast<off_t>(kRecordSize);
    ssize_t got = 0;
    do {
        got = ::pread(fd_, buffer, kRecordSize, offset);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return Status::Error(describeErrno(path_, errno));
    if (static_cast<std::size_t>(got) != kRecordSize) {
        return Status::Error(path_ + ": action record " + std::to_string(number) +
                             " could not be read whole");
    }
    return ActionRecord::fromBytes(std::string_view(buffer, kRecordSize));
}

Result<std::vector<ActionRecord>> Journal::readAll() const {
    std::vector<ActionRecord> records;
    if (fd_ < 0) return records;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return Status::Error(describeErrno(path_, errno));
    if (info.st_size > kMaxJournalBytes) {
        return Status::Error(path_ + ": " + std::to_string(info.st_size) +
                             " bytes is more than a journal can be (at most " +
                             std::to_string(kMaxJournalRecords) + " action records, " +
                             std::to_string(kMaxJournalBytes) + " bytes); it is not read.");
    }
    const std::int64_t count =
        static_cast<std::int64_t>(info.st_size) / static_cast<std::int64_t>(kRecordSize);
    // Left uninitialised: every byte used is read from the file first.
    const std::size_t size = static_cast<std::size_t>(count) * kRecordSize;
    const auto bytes = std::make_unique_for_overwrite<char[]>(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd_, bytes.get() + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Status::Error(describeErrno(path_, errno));
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    records.reserve(done / kRecordSize);
    damagedAt_ = 0;
    zeroTail_ = -1;
    for (std::size_t offset = 0; offset + kRecordSize <= done; offset += kRecordSize) {
        records.push_back(ActionRecord::fromBytes(std::string_view(bytes.get() + offset, kRecordSize)));
        if (!records.back().isWellFormed()) {
            records.pop_back();
            // Only zero bytes to the end: the length reached the disk before the data did, as
            // a crash can leave it. No writer wrote them, so they count as a torn tail.
            const bool zeros =
                std::all_of(bytes.get() + offset, bytes.get() + done, [](char c) { return c == 0; });
            (zeros ? zeroTail_ : damagedAt_) = static_cast<std::int64_t>(records.size()) + (zeros ? 0 : 1);
            break;
        }
    }
    return records;
}

std::string Journal::damageMessage() const {
    const std::int64_t read = damagedAt_ - 1;
    return path_ + " is damaged: action record " + std::to_string(damagedAt_) +
           " is not an action record, so " +
           (read == 1 ? "only the 1 record before it was read"
                      : std::to_string(read) + " records before it were read") +
           ".";
}

Status Journal::readyToWrite() {
    if (!open_ || !writable_) return Status::Error("No month is open for recording.");
    if (damagedAt_ != 0) return Status::Error(damageMessage());
    return createIfMissing();
}

Status Journal::writeAt(std::int64_t number, std::string_view bytes) {
    const off_t offset = static_cast<off_t>(number - 1) * static_cast<off_t>(kRecordSize);
    if (const int fault = injectedFault(FileStep::Write, path_)) {
        // As a filling disk does: part of the record lands, then the write fails.
        [[maybe_unused]] const ssize_t half = ::pwrite(fd_, bytes.data(), bytes.size() / 2, offset);
        return Status::Error(describeErrno(path_, fault));
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::pwrite(fd_, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return Status::Error(describeErrno(path_, errno));
        done += static_cast<std::size_t>(written);
    }
    if (const int fault = injectedFault(FileStep::Sync, path_))
        return Status::Error(describeErrno(path_, fault));
    if (::fdatasync(fd_) != 0) return Status::Error(describeErrno(path_, errno));
    return Status::Ok();
}

Status Journal::write(std::int64_t number, const ActionRecord& record) {
    if (number < 1 || number > recordCount()) {
        return Status::Error(path_ + ": there is no action record " + std::to_string(number));
    }
    return rewriteAt(number, record.text());
}

Status Journal::write(std::int64_t number, std::span<const ActionRecord> records) {
    const auto last = number + static_cast<std::int64_t>(records.size()) - 1;
    if (number < 1 || last > recordCount()) {
        return Status::Error(path_ + ": there is no action record " + std::to_string(last));
    }
    std::string bytes;
    for (const ActionRecord& record : records) bytes.append(record.text());
    return rewriteAt(number, bytes);
}

// A rewrite that fails half-way would leave records no writer made, so the old bytes go back.
Status Journal::rewriteAt(std::int64_t number, std::string_view bytes) {
    if (Status ready = readyToWrite(); !ready) return ready;
    const off_t offset = static_cast<off_t>(number - 1) * static_cast<off_t>(kRecordSize);
    std::string old(bytes.size(), ' ');
    ssize_t got = 0;
    do {
        got = ::pread(fd_, old.data(), old.size(), offset);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return Status::Error(describeErrno(path_, errno));
    if (static_cast<std::size_t>(got) != old.size()) {
        return Status::Error(path_ + ": action record " + std::to_string(number) +
                             " could not be read whole");
    }
    Status written = writeAt(number, bytes);
    if (written) return written;
    const bool restored = writeAt(number, old).ok();
    return Status::Error(written.message() +
                         (restored ? "\nThe journal was left as it was."
                                   : "\nThe journal may hold the record only partly changed: open the month "
                                     "again before going on."));
}

Status Journal::append(const ActionRecord& record) {
    return append(std::span<const ActionRecord>(&record, 1));
}

Status Journal::append(std::span<const ActionRecord> records) {
    std::string bytes;
    for (const ActionRecord& record : records) bytes.append(record.text());
    if (Status ready = readyToWrite(); !ready) return ready;
    const std::int64_t count = recordCount();
    if (zeroTail_ >= 0) {
        // The zero bytes go first, so the new records are the journal's last.
        if (::ftruncate(fd_, static_cast<off_t>(count) * static_cast<off_t>(kRecordSize)) != 0) {
            return Status::Error(describeErrno(path_, errno));
        }
        zeroTail_ = -1;
    }
    Status written = writeAt(count + 1, bytes);
    // An append that was not confirmed must not be replayed at the next load.
    if (!written.ok()) {
        [[maybe_unused]] const int ignored =
            ::ftruncate(fd_, static_cast<off_t>(count) * static_cast<off_t>(kRecordSize));
    }
    return written;
}

}  // namespace quorvel
