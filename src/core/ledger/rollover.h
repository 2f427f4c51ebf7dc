// Closing a month into the next one: "Start New Month" carries the balances forward within
// the year; "Save As Fresh Year" also sets the year's expenditures back to zero. And the
// duplicate of a month ("Save As"), which copies the month file with its journal and audit
// trail. A new month starts with no audit trail; its old month keeps its own.
#pragma once

#include <string>

#include "journal.h"
#include "ledger.h"
#include "status.h"

namespace quorvel {

enum class RolloverKind { NewMonth, FreshYear };

// The ledger of the first day of the next month: remaining balances become the balances at
// the first of the month, the month's columns and the deposit sources start empty, and for a
// fresh year each account's whole budget is remaining again.
Ledger carriedForward(const Ledger& month, RolloverKind kind);

// Writes `month` as month.CurrentFile, the first file of its name's month, with an empty
// journal and no audit trail. A journal or audit trail already of that name that holds
// anything is moved aside to a backup first, never deleted, and put back if the save fails. A
// name that would make the month file its own journal is refused. When only the empty journal
// cannot be made, the month file stands: Status::TookEffect, saying so.
Status saveAsNewMonth(const Ledger& month);

// Writes the carried-forward month as `newPath` with an empty journal, then empties `ledger`
// (ClearLedger; CurrentFile = newPath) and closes `journal`. A journal already beside
// `newPath` that holds anything is moved aside to a backup first, never deleted. Refuses to
// overwrite the month that is open; on any other failure nothing is changed and the reason
// returned. A TookEffect from saveAsNewMonth counts as done.
Status rollOver(Ledger& ledger, Journal& journal, const std::string& newPath, RolloverKind kind);

// Copies the open month (its file, journal and audit trail as they are on disk) to
// `targetPath` with its journal and trail beside it, replacing files of those names (those
// that hold anything are kept as backups). The open month is not changed. A trail that cannot
// be copied is a Status::TookEffect: the month is copied.
Status copyMonth(const Ledger& ledger, const Journal& journal, const std::string& targetPath);

// True when both names lead to the same file (or, for names that do not exist yet, the same path).
bool sameFile(const std::string& a, const std::string& b);

// A free name beside `path` for keeping an old file: "path.bak", then "path.bak2", ...
std::string backupNameFor(const std::string& path);

}  // namespace quorvel
