#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "file_faults.h"

namespace quorvel {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes, const std::string& path) {
    if (const int fault = injectedFault(FileStep::Write, path)) {
        // As a filling disk does: part of the bytes land, then the write fails.
        [[maybe_unused]] const ssize_t half = ::write(fd, bytes.data(), bytes.size() / 2);
        errno = fault;
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string describeErrno(const std::string& path, int error) { return path + ": " + std::strerror(error); }

Result<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    // Without blocking: a FIFO in a file's place is refused below, not waited on.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return Status::Error(describeErrno(path, errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return Status::Error(describeErrno(path, errno));
    if (!S_ISREG(info.st_mode)) return Status::Error(path + ": not a regular file");
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        return Status::Error(path + ": file is too large to be a month file");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return Status::Error(describeErrno(path, errno));
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes) return Status::Error(path + ": file is too large to be a month file");
    }
    return bytes;
}

namespace {

// Each step asks the fault seam first, so tests can fail any one of them; a failed step
// has not been done. Returns 0 or the errno of the failure.
template <typename Operation>
int stepFailure(FileStep step, const std::string& path, Operation operation) {
    if (const int fault = injectedFault(step, path)) return fault;
    return operation() != 0 ? errno : 0;
}

// Keeps the file at `path` as `backupPath`: a hard link costs nothing and is atomic; where
// the file system has no links (some shares), a copy is written instead.
Status keepBackup(const std::string& path, const std::string& backupPath, const std::string& linkName) {
    int error = stepFailure(FileStep::Link, path, [&] { return ::link(path.c_str(), linkName.c_str()); });
    if (error == 0) {
        error = stepFailure(FileStep::Rename, backupPath,
                            [&] { return ::rename(linkName.c_str(), backupPath.c_str()); });
        if (error == 0) return Status::Ok();
        ::unlink(linkName.c_str());
        return Status::Error(describeErrno(backupPath, error));
    }
    auto old = readWholeFile(path, std::size_t{1} << 30);
    if (!old) return old.status();
    return writeFileAtomically(backupPath, *old);
}

Status replaceFile(const std::string& path, std::string_view bytes, const std::string* backupPath) {
    const std::filesystem::path target(path);
    std::string folder = target.parent_path().string();
    if (folder.empty()) folder = ".";
    std::string temporary =
        (std::filesystem::path(folder) / ("." + target.filename().string() + ".XXXXXX")).string();

    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) return Status::Error(describeErrno(path, errno));
    auto fail = [&](int error) {
        fd.reset();
        ::unlink(temporary.c_str());
        return Status::Error(describeErrno(path, error));
    };
    // Keep the permissions of the file being replaced; a new file gets the usual ones. A link
    // at `path` is replaced itself, never followed.
    struct stat old {};
    const bool replacing = ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    mode_t mode = 0;
    if (replacing) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) return fail(errno);
    if (!writeAll(fd.get(), bytes, path)) return fail(errno);
    if (const int error = stepFailure(FileStep::Sync, path, [&] { return ::fsync(fd.get()); }))
        return fail(error);
    if (const int error = stepFailure(FileStep::Flush, path, [&] { return ::close(fd.release()); }))
        return fail(error);
    if (backupPath && replacing) {
        if (Status kept = keepBackup(path, *backupPath, temporary + ".old"); !kept) {
            ::unlink(temporary.c_str());
            return Status::Error(path +
                                 ": not saved, because the version it would replace could not be kept as " +
                                 *backupPath + ": " + kept.message());
        }
    }
    if (const int error =
            stepFailure(FileStep::Rename, path, [&] { return ::rename(temporary.c_str(), path.c_str()); })) {
        return fail(error);
    }
    syncFolder(folder);
    return Status::Ok();
}

}  // namespace

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    return replaceFile(path, bytes, nullptr);
}

Status writeFileKeepingBackup(const std::string& path, std::string_view bytes,
                              const std::string& backupPath) {
    return replaceFile(path, bytes, &backupPath);
}

}  // namespace quorvel
