#include "month_paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "file_faults.h"
#include "file_io.h"
#include "journal.h"

namespace quorvel {
namespace fs = std::filesystem;

namespace {

char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithIgnoringCase(const std::string& name, const std::string& suffix) {
    return name.size() >= suffix.size() &&
           sameNameIgnoringCase(name.substr(name.size() - suffix.size()), suffix);
}

bool isPermissionError(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY;
}

// 0 when `path` opens with `flags` or does not exist; else the errno.
int openFailure(const std::string& path, int flags) {
    if (const int fault = injectedFault(FileStep::Open, path)) return fault;
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? 0 : errno;
    ::close(fd);
    return 0;
}

}  // namespace

std::string realMonthPath(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const fs::path real = fs::canonical(path, error);
    return error ? path : real.string();
}

std::string lowercaseAscii(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), foldAscii);
    return name;
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return foldAscii(x) == foldAscii(y); });
}

std::string locateIgnoringCase(const std::string& exact) {
    std::error_code error;
    if (fs::exists(exact, error)) return exact;
    const fs::path wanted(exact);
    const fs::path folder = wanted.parent_path().empty() ? fs::path(".") : wanted.parent_path();
    const std::string name = wanted.filename().string();
    fs::directory_iterator it(folder, error);
    if (error) return exact;
    std::string found;
    // Stepped by hand: a folder that fails part-way (a network share) must not throw.
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (sameNameIgnoringCase(candidate, name) && (found.empty() || candidate < found)) found = candidate;
    }
    if (found.empty()) return exact;
    return wanted.parent_path().empty() ? found : (wanted.parent_path() / found).string();
}

Status refuseSharedJournal(const std::string& target) {
    const fs::path wanted(target);
    const fs::path folder = wanted.parent_path().empty() ? fs::path(".") : wanted.parent_path();
    const std::string journalName = fs::path(Journal::pathFor(target)).filename().string();
    std::error_code error;
    // Stepped by hand: a folder that fails part-way (a network share) must not throw.
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        if (name == wanted.filename().string() || !endsWithIgnoringCase(name, ".rep")) continue;
        if (!sameNameIgnoringCase(fs::path(Journal::pathFor(name)).filename().string(), journalName))
            continue;
        std::error_code same;
        if (fs::equivalent(entry.path(), wanted, same)) continue;  // one file under two spellings
        return Status::Error(target + ": its journal " + journalName +
                             " would also be the journal of the month file " + entry.path().string() +
                             ". Choose another name.");
    }
    return Status::Ok();
}

Status checkMonthWritable(const std::string& monthPath) {
    const std::string journal = Journal::locate(monthPath);
    struct stat journalEntry {};
    if (::lstat(journal.c_str(), &journalEntry) == 0 && S_ISLNK(journalEntry.st_mode)) {
        return Status::Error(describeOpenFailure(journal, ELOOP));
    }
    for (const auto& [path, flags] : {std::pair{monthPath, O_WRONLY}, std::pair{journal, O_RDWR}}) {
        if (const int error = openFailure(path, flags); isPermissionError(error)) {
            return Status::Error(describeErrno(path, error));
        }
    }
    return Status::Ok();
}

std::string describeOpenFailure(const std::string& path, int error) {
    if (error == ELOOP)
        return path + ": is a symbolic link, and a month's files are never written through one";
    return describeErrno(path, error);
}

}  // namespace quorvel
