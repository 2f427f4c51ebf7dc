#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quorvel::platform {

SingleInstance::SingleInstance() : SingleInstance(defaultPath()) {}

SingleInstance::SingleInstance(QString path) : path_(std::move(path)) {}

SingleInstance::~SingleInstance() {
    // The file stays: removing it would let a copy that opened it just before lock a name
    // that no longer exists while a third copy creates and locks a new one.
    if (fd_ >= 0) ::close(fd_);
}

QString SingleInstance::defaultPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) {
        struct stat info {};
        if (::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode) && ::access(runtime, W_OK) == 0)
            return QFile::decodeName(runtime) + QStringLiteral("/quorvel.lock");
    }
    return QStringLiteral("/tmp/quorvel-%1.lock").arg(::getuid());
}

bool SingleInstance::acquire() {
    if (fd_ >= 0) return true;
    error_.clear();

    const QByteArray name = QFile::encodeName(path_);
    // O_NOFOLLOW: in a shared /tmp, another user's symlink must not choose our file.
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = QStringLiteral("Cannot open the lock file %1: %2")
                     .arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }

    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int cause = errno;
        ::close(fd);
        if (cause != EWOULDBLOCK)
            error_ = QStringLiteral("Cannot lock the file %1: %2")
                         .arg(path_, QString::fromLocal8Bit(std::strerror(cause)));
        return false;
    }
    fd_ = fd;
    return true;
}

}  // namespace quorvel::platform
