#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

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

bool writeAll(int fd, std::string_view bytes) {
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

// Makes the rename itself durable; failure here is not fatal for the content.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string describeErrno(const std::string& path, int error) { return path + ": " + std::strerror(error); }

Result<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
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

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target(path);
    std::string folder = target.parent_path().string();
    if (folder.empty()) folder = ".";
    std::string temporary = (std::filesystem::path(folder) / ("." + target.filename().string() + ".XXXXXX")).string();

    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) return Status::Error(describeErrno(path, errno));
    auto fail = [&](int error) {
        fd.reset();
        ::unlink(temporary.c_str());
        return Status::Error(describeErrno(path, error));
    };
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) return fail(errno);
    if (!writeAll(fd.get(), bytes)) return fail(errno);
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (::close(fd.release()) != 0) return fail(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) return fail(errno);
    syncFolder(folder);
    return Status::Ok();
}

}  // namespace quorvel
