#include "month_own_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "action_record.h"
#include "audit_trail.h"
#include "journal.h"
#include "month_file.h"
#include "month_lock.h"
#include "month_paths.h"

namespace quorvel {
namespace {

// Far above any month file, so a large unrelated file is not read to be judged.
constexpr std::size_t kMostBytesJudged = std::size_t{4} * 1024 * 1024;

// What the name says the file is: "NOV2026.REP", "nov2026.Jrn", "NOV2026.aud", "NOV2026.rep.bak2",
// "nov2026.jrn.lock" (and "NOV2026.rep.lock" of earlier versions) and the lock's own
// temporary files, and the reconciliation file kept beside the month ("NOV2026.rec").
std::optional<std::string> kindByName(const std::string& path) {
    const std::string name = lowercaseAscii(std::filesystem::path(path).filename().string());
    if (name.size() > 4 && name.ends_with(".rec")) return "a month's reconciliation file";
    for (std::size_t at = name.size(); at-- > 0;) {
        const std::string_view extension = std::string_view(name).substr(at, 4);
        if (extension != ".rep" && extension != ".jrn" && extension != ".aud") continue;
        const std::string_view rest = std::string_view(name).substr(at + 4);
        const std::string kind = extension == ".jrn"   ? "a journal"
                                 : extension == ".aud" ? "an audit trail"
                                                       : "a month file";
        if (rest.empty()) return kind;
        if (rest.starts_with(".bak")) return kind + "'s backup";
        if (rest.starts_with(".lock")) return "a month's lock";
    }
    return std::nullopt;
}

// A blank first record is a record too, but blanks alone say nothing of what a file is.
bool startsWithJournalRecord(std::string_view bytes) {
    if (bytes.size() < kRecordSize) return false;
    const ActionRecord first = ActionRecord::fromBytes(bytes.substr(0, kRecordSize));
    return first.isWellFormed() && first.code() != "  ";
}

// What the bytes say the file is. Opened without blocking, so a FIFO cannot hang the check.
std::optional<std::string> kindByContent(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::string bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), kMostBytesJudged));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
    }
    ::close(fd);
    if (bytes.empty()) return std::nullopt;
    if (startsWithJournalRecord(bytes)) return "a journal";
    if (startsAsAuditTrail(bytes)) return "an audit trail";
    if (parseLockText(bytes)) return "a month's lock";
    const auto ledger = std::make_unique<Ledger>();
    if (parseMonthFile(bytes, path, *ledger).ok()) return "a month file";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> sameFileAsMonthOwn(const std::string& path, const std::string& monthPath,
                                              bool withReconciliation) {
    struct stat target {};
    if (monthPath.empty() || ::stat(path.c_str(), &target) != 0) return std::nullopt;
    const std::string journal = Journal::locate(monthPath);
    for (const std::string& own :
         {monthPath, journal, MonthLock::lockPathFor(monthPath), monthBackupPath(monthPath), journal + ".bak",
          withReconciliation ? reconciliationPathFor(monthPath) : "", locateAuditTrail(monthPath)}) {
        struct stat info {};
        if (!own.empty() && ::stat(own.c_str(), &info) == 0 && info.st_dev == target.st_dev &&
            info.st_ino == target.st_ino)
            return own;
    }
    return std::nullopt;
}

std::string reconciliationPathFor(const std::string& monthPath) {
    // Only ".rep" is replaced: any other name keeps its whole self, so no two months, and no
    // month file and its own reconciliation, share a name.
    const std::size_t keep =
        monthPath.size() >= 4 && sameNameIgnoringCase(monthPath.substr(monthPath.size() - 4), ".rep")
            ? monthPath.size() - 4
            : monthPath.size();
    return monthPath.substr(0, keep) + ".rec";
}

Status checkNotMonthOwnFile(const std::string& path, const std::string& openMonth) {
    const std::string refused = " A report may not be written there; choose another name.";
    if (const auto kind = kindByName(path))
        return Status::Error(path + " is named as " + *kind + "." + refused);
    if (const auto own = sameFileAsMonthOwn(path, openMonth, true)) {
        return Status::Error(path + " is the open month's file " + *own + " under another name." + refused);
    }
    if (const auto kind = kindByContent(path)) return Status::Error(path + " holds " + *kind + "." + refused);
    return Status::Ok();
}

}  // namespace quorvel
