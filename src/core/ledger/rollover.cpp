#include "rollover.h"

#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "audit_trail.h"
#include "file_io.h"
#include "ledger_routines.h"
#include "month_file.h"
#include "month_paths.h"

namespace quorvel {
namespace fs = std::filesystem;

namespace {

// The month file is read by its own rules at the next load; this only bounds the copy.
constexpr std::size_t kMaxCopyBytes = std::size_t{64} * 1024 * 1024;

// Whether writing a month as `path`, with its journal beside it, would write a file of the
// open month: the month itself, its journal as `path` ("NOV2026.jrn"), or a name whose journal
// is the open month's ("NOV2026.REP" beside "NOV2026.rep"). Replacing the journal under the
// open descriptor would send every later action into a file no longer there.
bool writesOpenMonth(const Ledger& ledger, const Journal& journal, const std::string& path) {
    const std::string ownJournal = journal.isOpen() ? journal.path() : Journal::locate(ledger.CurrentFile);
    return sameFile(path, ledger.CurrentFile) || sameFile(path, ownJournal) ||
           sameFile(Journal::pathFor(path), ownJournal) || sameFile(Journal::locate(path), ownJournal);
}

// Moves a file that holds anything to a free backup name and returns that name ("" when
// there was nothing to move).
Result<std::string> moveAsideIfFilled(const std::string& path, const std::string& what) {
    std::error_code error;
    if (!fs::exists(path, error) || fs::file_size(path, error) == 0 || error) return std::string();
    std::string aside = backupNameFor(path);
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        return Status::Error("The " + what + " " + path +
                             " already exists and could not be moved aside: " + describeErrno(path, errno));
    }
    return aside;
}

void putBack(const std::string& aside, const std::string& path) {
    if (!aside.empty()) std::rename(aside.c_str(), path.c_str());
}

using MovedAside = std::vector<std::pair<std::string, std::string>>;  // (where it went, where it was)

void putBack(const MovedAside& moved) {
    for (const auto& [aside, path] : moved) putBack(aside, path);
}

// moveAsideIfFilled for `path` and every file beside it whose name differs only in letter
// case ("NEW.AUD" beside "NEW.aud"): a trail left under any of them would be found as the
// new month's. On failure, what was moved is put back.
Result<MovedAside> moveAsideEveryCase(const std::string& path, const std::string& what) {
    const fs::path exact(path);
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(exact.parent_path().empty() ? "." : exact.parent_path(), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (sameNameIgnoringCase(name, exact.filename().string()))
            names.push_back((exact.parent_path() / name).string());
    }
    std::sort(names.begin(), names.end());
    MovedAside moved;
    for (const std::string& name : names) {
        auto aside = moveAsideIfFilled(name, what);
        if (!aside) {
            putBack(moved);
            return aside.status();
        }
        if (!aside->empty()) moved.emplace_back(*aside, name);
    }
    return moved;
}

// Writes `bytes` as `path`; a file there that holds anything is kept under a .bak name that
// never replaces another.
Status replaceKeepingFilled(const std::string& path, std::string_view bytes) {
    std::error_code error;
    if (fs::file_size(path, error) > 0 && !error)
        return writeFileKeepingBackup(path, bytes, backupNameFor(path));
    return writeFileAtomically(path, bytes);
}

// The copy is the same month, so its changes' history goes with it. A trail already at the
// copy's name belongs to another month and is moved aside first, so whatever fails after, no
// stale trail stands beside the copy.
Status copyAuditTrail(const std::string& monthPath, const std::string& targetPath) {
    const std::string source = locateAuditTrail(monthPath);
    std::error_code error;
    // Read as readAuditTrail reads it: a link there is not the month's own trail.
    if (fs::is_symlink(fs::symlink_status(source, error)))
        return Status::Error(source + " is a link, not the month's own audit trail; it was not copied.");
    const bool hasTrail = fs::exists(source, error);
    Result<std::string> bytes = hasTrail ? readWholeFile(source, kMaxAuditTrailBytes) : std::string();
    if (!bytes) return bytes.status();
    const std::string target = auditTrailPathFor(targetPath);
    if (auto aside = moveAsideEveryCase(target, "audit trail"); !aside) return aside.status();
    return hasTrail ? writeFileAtomically(target, *bytes) : Status::Ok();
}

// A month named as its own audit trail would take the trail's entries into its file.
Status refuseTrailName(const std::string& path) {
    const std::string extension =
        lowercaseAscii(path.substr(path.size() - std::min<std::size_t>(4, path.size())));
    if (extension != ".aud" && !sameFile(auditTrailPathFor(path), path)) return Status::Ok();
    return Status::Error(path + " has the extension of an audit trail. Choose a name ending in .rep.");
}

}  // namespace

Ledger carriedForward(const Ledger& month, RolloverKind kind) {
    Ledger next = month;
    auto& s = next.Summary;
    s[kBeginningBalance] = s[kRemainingBalance];
    s[kDesignatedAtFirst] = s[kDesignatedFundTotals];
    for (int j = kUndesignatedReceipts; j <= kTotalExpenditures; ++j) s[j] = Money();
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        auto& budget = next.BudgetAmount[i];
        budget[kSpentInMonth] = Money();
        if (kind == RolloverKind::FreshYear) budget[kSpentInYear] = Money();
        budget[kRemaining] = budget[kBudgeted] - budget[kSpentInYear];
        auto& fund = next.DesigAmount[i];
        fund[kAtFirstOfMonth] = fund[kFundRemaining];
        fund[kReceivedInMonth] = Money();
        fund[kSpentFromFund] = Money();
    }
    for (int k = 0; k <= kLastSourceRow; ++k) {
        next.SourceName[k].clear();
        next.SourceAmount[k] = Money();
        next.SourceId[k].clear();
    }
    for (int t = 1; t <= kTransferSlots; ++t) {
        next.TransferAcct[t].clear();
        next.TransferAmount[t] = Money();
    }
    RecomputeTotals(next);
    return next;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

std::string backupNameFor(const std::string& path) {
    std::error_code error;
    std::string candidate = path + ".bak";
    for (int n = 2; fs::exists(candidate, error); ++n) candidate = path + ".bak" + std::to_string(n);
    return candidate;
}

Status saveAsNewMonth(const Ledger& month) {
    const std::string& path = month.CurrentFile;
    const std::string journalPath = Journal::pathFor(path);
    if (sameFile(journalPath, path)) {
        return Status::Error(path + " has the extension of a journal. Choose a name ending in .rep.");
    }
    if (Status trail = refuseTrailName(path); !trail) return trail;
    if (Status own = refuseSharedJournal(path); !own) return own;
    // The new journal is created where its name is, never where a link there would lead.
    if (struct stat info{}; ::lstat(journalPath.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return Status::Error(journalPath +
                             " is not a journal (a link or a special file is in its place). "
                             "Nothing was written; remove it or choose another name.");
    }
    // Records left in a journal of that name would be replayed into the new month, and entries
    // left in an audit trail of that name would pass for the new month's.
    const std::string oldJournal = Journal::locate(path);
    auto movedAside = moveAsideIfFilled(oldJournal, "journal");
    if (!movedAside) return movedAside.status();
    auto trailAside = moveAsideEveryCase(auditTrailPathFor(path), "audit trail");
    if (!trailAside) {
        putBack(*movedAside, oldJournal);
        return trailAside.status();
    }
    if (Status saved = SaveMonthFile(month); !saved) {
        putBack(*movedAside, oldJournal);
        putBack(*trailAside);
        return saved;
    }
    if (Status created = Journal::createEmpty(journalPath); !created) {
        std::string message = path + " is saved as the new month, but its journal " + journalPath +
                              " could not be created:\n" + created.message() +
                              "\nThe month's first action will try again to create it.";
        if (!movedAside->empty())
            message += "\nThe journal that was at that name is kept as " + *movedAside + ".";
        return Status::TookEffect(std::move(message));
    }
    return Status::Ok();
}

Status rollOver(Ledger& ledger, Journal& journal, const std::string& newPath, RolloverKind kind) {
    if (writesOpenMonth(ledger, journal, newPath)) {
        return Status::Error(newPath +
                             " is the month that is open now, or its journal. "
                             "Choose another name for the new month file.");
    }
    Ledger next = carriedForward(ledger, kind);
    next.CurrentFile = newPath;

    Status saved = saveAsNewMonth(next);
    if (!saved && !saved.tookEffect()) return saved;
    journal.close();
    ClearLedger(next);
    ledger = std::move(next);
    return saved;
}

Status copyMonth(const Ledger& ledger, const Journal& journal, const std::string& targetPath) {
    if (writesOpenMonth(ledger, journal, targetPath)) {
        return Status::Error(targetPath +
                             " is the month that is open now, or its journal. "
                             "Choose another name for the copy.");
    }
    if (Status trail = refuseTrailName(targetPath); !trail) return trail;
    if (Status own = refuseSharedJournal(targetPath); !own) return own;
    auto month = readWholeFile(ledger.CurrentFile, kMaxCopyBytes);
    if (!month) return month.status();
    std::string records;
    if (journal.isOpen() && fs::exists(journal.path())) {
        auto bytes = readWholeFile(journal.path(), static_cast<std::size_t>(kMaxJournalBytes));
        if (!bytes) return bytes.status();
        records = std::move(bytes).value();
    }
    // A month replaced by the copy stays recoverable: its file as its backup, and its
    // journal, when it holds records, under a .bak name that never replaces another.
    if (Status s = writeFileKeepingBackup(targetPath, *month, monthBackupPath(targetPath)); !s) return s;
    if (Status s = replaceKeepingFilled(Journal::pathFor(targetPath), records); !s) return s;
    if (Status s = copyAuditTrail(ledger.CurrentFile, targetPath); !s) {
        return Status::TookEffect(targetPath +
                                  " is written with its journal, but the audit trail could not be "
                                  "copied beside it:\n" +
                                  s.message());
    }
    return Status::Ok();
}

}  // namespace quorvel
