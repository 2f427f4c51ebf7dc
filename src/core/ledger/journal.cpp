#include "journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "file_faults.h"
#include "file_io.h"

namespace quorvel {
namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The journal's descriptor, or -1 when it does not exist and `flags` do not create it.
Result<int> openJournalFile(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ENOENT && (flags & O_CREAT) == 0) return -1;
        return Status::Error(describeErrno(path, errno));
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
    }
    return *this;
}

std::string Journal::pathFor(const std::string& monthPath) {
    const std::size_t keep = monthPath.size() >= 4 ? monthPath.size() - 4 : 0;
    return monthPath.substr(0, keep) + ".jrn";
}

std::string Journal::locate(const std::string& monthPath) {
    namespace fs = std::filesystem;
    const std::string exact = pathFor(monthPath);
    std::error_code error;
    if (fs::exists(exact, error)) return exact;
    const fs::path wanted(exact);
    const fs::path folder = wanted.parent_path().empty() ? fs::path(".") : wanted.parent_path();
    const std::string name = wanted.filename().string();
    fs::directory_iterator it(folder, error);
    if (error) return exact;
    // The lowest name in byte order wins, so the choice never depends on directory order.
    std::string found;
    for (const auto& entry : it) {
        const std::string candidate = entry.path().filename().string();
        if (sameIgnoringCase(candidate, name) && (found.empty() || candidate < found)) found = candidate;
    }
    if (found.empty()) return exact;
    return wanted.parent_path().empty() ? found : (wanted.parent_path() / found).string();
}

Status Journal::open(const std::string& path, JournalMode mode) {
    close();
    path_ = path;
    auto fd = openJournalFile(path, mode == JournalMode::ReadOnly ? O_RDONLY : O_RDWR);
    if (!fd) return fd.status();
    fd_ = *fd;
    writable_ = mode == JournalMode::ReadWrite;
    open_ = true;
    return Status::Ok();
}

Status Journal::createEmpty(const std::string& path) {
    auto fd = openJournalFile(path, O_RDWR | O_CREAT);
    if (!fd) return fd.status();
    ::close(*fd);
    return Status::Ok();
}

Status Journal::createIfMissing() {
    if (fd_ >= 0) return Status::Ok();
    auto fd = openJournalFile(path_, O_RDWR | O_CREAT);
    if (!fd) return fd.status();
    fd_ = *fd;
    return Status::Ok();
}

void Journal::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    open_ = false;
    writable_ = false;
}

std::int64_t Journal::recordCount() const {
    if (fd_ < 0) return 0;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return 0;
    return static_cast<std::int64_t>(info.st_size) / static_cast<std::int64_t>(kRecordSize);
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
        return Status::Error(path_ + ": action record " + std::to_string(number) + " could not be read whole");
    }
    return ActionRecord::fromBytes(std::string_view(buffer, kRecordSize));
}

Result<std::vector<ActionRecord>> Journal::readAll() const {
    std::vector<ActionRecord> records;
    if (fd_ < 0) return records;
    const std::int64_t count = recordCount();
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
    for (std::size_t offset = 0; offset + kRecordSize <= done; offset += kRecordSize) {
        records.push_back(ActionRecord::fromBytes(std::string_view(bytes.get() + offset, kRecordSize)));
    }
    return records;
}

Status Journal::writeAt(std::int64_t number, std::string_view bytes) {
    if (!open_ || !writable_) return Status::Error("No month is open for recording.");
    if (Status created = createIfMissing(); !created) return created;
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
    if (const int fault = injectedFault(FileStep::Sync, path_)) return Status::Error(describeErrno(path_, fault));
    if (::fdatasync(fd_) != 0) return Status::Error(describeErrno(path_, errno));
    return Status::Ok();
}

Status Journal::write(std::int64_t number, const ActionRecord& record) {
    if (number < 1 || number > recordCount()) {
        return Status::Error(path_ + ": there is no action record " + std::to_string(number));
    }
    return writeAt(number, record.text());
}

Status Journal::write(std::int64_t number, std::span<const ActionRecord> records) {
    const auto last = number + static_cast<std::int64_t>(records.size()) - 1;
    if (number < 1 || last > recordCount()) {
        return Status::Error(path_ + ": there is no action record " + std::to_string(last));
    }
    std::string bytes;
    for (const ActionRecord& record : records) bytes.append(record.text());
    return writeAt(number, bytes);
}

Status Journal::append(const ActionRecord& record) { return append(std::span<const ActionRecord>(&record, 1)); }

Status Journal::append(std::span<const ActionRecord> records) {
    std::string bytes;
    for (const ActionRecord& record : records) bytes.append(record.text());
    const std::int64_t count = recordCount();
    Status written = writeAt(count + 1, bytes);
    // An append that was not confirmed must not be replayed at the next load.
    if (!written.ok() && fd_ >= 0 && writable_) {
        [[maybe_unused]] const int ignored =
            ::ftruncate(fd_, static_cast<off_t>(count) * static_cast<off_t>(kRecordSize));
    }
    return written;
}

}  // namespace quorvel
