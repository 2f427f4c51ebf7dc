// The reconciliation file beside a month ("DEC2026.rec" beside "DEC2026.rep"): the statement
// as it was read, each line's match and whether the treasurer confirmed it, the other
// accounts, and the items still outstanding (the next month's reconciliation works them out
// afresh from the month's journal; the list stands for the months before the first one
// reconciled).
// The month file and its journal know nothing of it; a month without one is as before.
//
// Text, one entry per line, fields separated by tabs (tabs and line ends in texts become
// blanks), amounts as the month file writes them, dates as 2026-12-08:
//   quorvel reconciliation 1
//   statement NAME            closing AMOUNT DATE            other NAME AMOUNT
//   line DATE CHEQUE AMOUNT DESCRIPTION MATCH   (MATCH: "-", or ORIGIN:RECORD and P or C)
//   outstanding ORIGIN RECORD CODE AMOUNT REFERENCE
//   pending DATE CHEQUE AMOUNT DESCRIPTION    (a line not yet in the closing balance)
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledger/month_own_files.h"
#include "ledger/status.h"
#include "reconciliation.h"

namespace quorvel {

inline constexpr std::size_t kMaxReconciliationBytes = std::size_t{4} * 1024 * 1024;

struct SavedReconciliation {
    std::string statementName;
    Statement statement;
    std::vector<OtherAccount> others;
    std::vector<std::string> matchKeys;  // per line: an item's key(), empty for none
    std::vector<bool> confirmed;
    std::vector<BookItem> outstanding;
};

// The month's name as book items carry it: the file name without its extension.
std::string monthOrigin(const std::string& monthPath);

std::string composeReconciliation(const Reconciliation& rec);
// A damaged file is refused naming the line.
Result<SavedReconciliation> parseReconciliation(std::string_view bytes);
// Nothing when the month has no reconciliation file.
Result<std::optional<SavedReconciliation>> loadReconciliation(const std::string& path);
// Written safely: a temporary file, flushed to disk, renamed over the old one.
Status saveReconciliation(const std::string& path, const Reconciliation& rec);
// Saved as the month's reconciliation file, refused when that is the month's file, journal or
// another of its own files under another name.
Status saveMonthReconciliation(const std::string& monthPath, const Reconciliation& rec);

// The month's reconciliation file as it stands beside it, whatever its letter case.
std::string reconciliationFileOf(const std::string& monthPath);

// What the month before `monthPath` (by name, in the same folder, any letter case) left
// outstanding: its book items and what it carried, less what its saved reconciliation's
// confirmed matches cleared. When no month up to it was reconciled, its own book items. A
// month's file that cannot be read is reported, naming it first (and, for a damaged
// reconciliation file, how to replace it): then nothing may be saved that would drop its
// items. A month without files in the walk back, with a reconciled month before it, is told
// in `notice`.
Result<std::vector<BookItem>> carriedItems(const std::string& monthPath, std::string* notice = nullptr);

// A reconciliation of `statement` against this month's and the carried items: the matches a
// saved reconciliation of the same lines made are kept, the rest proposed.
Reconciliation reconcile(Statement statement, std::vector<BookItem> items,
                         const std::optional<SavedReconciliation>& saved);
// The saved reconciliation as it stood, with its own statement, against the items of today.
Reconciliation restoreReconciliation(const SavedReconciliation& saved, std::vector<BookItem> items);

}  // namespace quorvel
