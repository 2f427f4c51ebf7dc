#include "rollover.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <filesystem>
#include <system_error>

#include "file_io.h"
#include "ledger_routines.h"
#include "month_file.h"
#include "month_paths.h"

namespace quorvel {
namespace fs = std::filesystem;

namespace {

// The month file is read by its own rules at the next load; this only bounds the copy.
constexpr std::size_t kMaxCopyBytes = 64 * 1024 * 1024;

// Whether writing a month as `path`, with its journal beside it, would write a file of the
// open month: the month itself, its journal as `path` ("NOV2026.jrn"), or a name whose journal
// is the open month's ("NOV2026.REP" beside "NOV2026.rep"). Replacing the journal under the
// open descriptor would send every later action into a file no longer there.
bool writesOpenMonth(const Ledger& ledger, const Journal& journal, const std::string& path) {
    const std::string ownJournal = journal.isOpen() ? journal.path() : Journal::locate(ledger.CurrentFile);
    return sameFile(path, ledger.CurrentFile) || sameFile(path, ownJournal) ||
           sameFile(Journal::pathFor(path), ownJournal) || sameFile(Journal::locate(path), ownJournal);
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
    if (Status own = refuseSharedJournal(path); !own) return own;
    // The new journal is created where its name is, never where a link there would lead.
    if (struct stat info {}; ::lstat(journalPath.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return Status::Error(journalPath + " is not a journal (a link or a special file is in its place). "
                                           "Nothing was written; remove it or choose another name.");
    }
    // Records left in a journal of that name would be replayed into the new month.
    std::error_code error;
    const std::string oldJournal = Journal::locate(path);
    std::string movedAside;
    if (fs::exists(oldJournal, error) && fs::file_size(oldJournal, error) > 0) {
        movedAside = backupNameFor(oldJournal);
        if (std::rename(oldJournal.c_str(), movedAside.c_str()) != 0) {
            return Status::Error("The journal " + oldJournal + " already exists and could not be moved aside: " +
                                 describeErrno(oldJournal, errno));
        }
    }
    if (Status saved = SaveMonthFile(month); !saved) {
        if (!movedAside.empty()) std::rename(movedAside.c_str(), oldJournal.c_str());
        return saved;
    }
    if (Status created = Journal::createEmpty(journalPath); !created) {
        std::string message = path + " is saved as the new month, but its journal " + journalPath +
                              " could not be created:\n" + created.message() +
                              "\nThe month's first action will try again to create it.";
        if (!movedAside.empty())
            message += "\nThe journal that was at that name is kept as " + movedAside + ".";
        return Status::TookEffect(std::move(message));
    }
    return Status::Ok();
}

Status rollOver(Ledger& ledger, Journal& journal, const std::string& newPath, RolloverKind kind) {
    if (writesOpenMonth(ledger, journal, newPath)) {
        return Status::Error(newPath + " is the month that is open now, or its journal. "
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
        return Status::Error(targetPath + " is the month that is open now, or its journal. "
                                          "Choose another name for the copy.");
    }
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
    const std::string targetJournal = Journal::pathFor(targetPath);
    std::error_code error;
    if (fs::file_size(targetJournal, error) > 0 && !error) {
        return writeFileKeepingBackup(targetJournal, records, backupNameFor(targetJournal));
    }
    return writeFileAtomically(targetJournal, records);
}

}  // namespace quorvel
