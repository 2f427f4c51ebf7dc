#include "whole_file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "print/text_codec.h"

namespace quorvel::print {
namespace {

QString reason(const QString& path, int error) {
    return path + ": " + QString::fromLocal8Bit(std::strerror(error));
}

// The new file gets the permissions of the one it replaces, or the usual ones.
void takeOverPermissions(const std::string& temporary, const std::string& target) {
    struct stat old {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(temporary.c_str(), mode);
}

bool syncToDisk(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

}  // namespace

QString writeWholeFile(const QString& path, const std::function<QString(const QString& temporary)>& write) {
    const QFileInfo target(path);
    QTemporaryFile reserved(target.absolutePath() + "/." + target.fileName() + ".XXXXXX");
    reserved.setAutoRemove(false);
    if (!reserved.open()) return path + ": " + reserved.errorString();
    const QString temporary = reserved.fileName();
    reserved.close();
    auto discard = [&](const QString& error) {
        QFile::remove(temporary);
        return error;
    };

    // The treasurer chose `path`; the hidden temporary name would only puzzle them.
    if (QString error = write(temporary); !error.isEmpty()) return discard(error.replace(temporary, path));
    const std::string from = toPath(temporary);
    const std::string to = toPath(target.absoluteFilePath());
    takeOverPermissions(from, to);
    if (!syncToDisk(from, O_RDONLY)) return discard(reason(path, errno));
    if (std::rename(from.c_str(), to.c_str()) != 0) return discard(reason(path, errno));
    syncToDisk(toPath(target.absolutePath()), O_RDONLY | O_DIRECTORY);
    return {};
}

}  // namespace quorvel::print
