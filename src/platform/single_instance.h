// One running copy of the program per user: an flock on a lock file. The kernel drops the
// lock when its holder exits or crashes, so a dead copy never blocks the next start.
#pragma once

#include <QString>

namespace quorvel::platform {

class SingleInstance {
public:
    // The user's lock: $XDG_RUNTIME_DIR/quorvel.lock, or /tmp/quorvel-<uid>.lock without one.
    SingleInstance();
    explicit SingleInstance(QString path);
    // Releases the lock, if held.
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy holds the lock (it is the only one). False when another copy holds
    // it, or when the lock file cannot be opened; error() then tells why.
    bool acquire();
    bool held() const { return fd_ >= 0; }
    QString error() const { return error_; }
    QString path() const { return path_; }

    static QString defaultPath();

private:
    QString path_;
    QString error_;
    int fd_ = -1;
};

}  // namespace quorvel::platform
