// The month file (.rep): the chart of accounts, the balances carried into the month, the
// deposit sources, the report sections and the main balance, as 1,394 comma-separated
// fields. Everything that happens during the month lives in the journal beside it.
#pragma once

#include <string>

#include "journal.h"
#include "ledger.h"
#include "status.h"

namespace quorvel {

inline constexpr int kMonthFileFields = 1394;

// The exact bytes of the month file for `ledger` (CR LF line ends). Budget column 2 is
// written as year-to-date less the month's expenditure, so the file holds the year up to
// the end of the previous month; the replay adds the month back at the next load.
Result<std::string> composeMonthFile(const Ledger& ledger);

// Writes ledger.CurrentFile safely; on failure the old file stays as it was. The version it
// replaces is kept as monthBackupPath(), so one bad save can always be undone by hand. The
// ledger is not changed. Refuses a name that the format cannot hold (a double quote, for one).
Status SaveMonthFile(const Ledger& ledger);

// The single backup beside a month file: "NOV2026.rep.bak" for "NOV2026.rep".
std::string monthBackupPath(const std::string& monthPath);

// Saves `changed`, a changed copy of the loaded month, and loads it back into `ledger` and
// `journal`. When the save fails nothing changes, so the screen keeps matching the files.
Status saveChangedMonth(Ledger& ledger, Journal& journal, const Ledger& changed);

// After `what` ("The transfer") reached the journal: saves `toSave` (unless null) and reloads
// the month, so the screen is the files' image. A failure of either is a Status::TookEffect
// that says the action is recorded, what could not be done and what the files hold.
Status saveAfterRecording(Ledger& ledger, Journal& journal, const std::string& what, const Ledger* toSave);

// Reads `bytes` as a month file into `ledger`, which starts afresh (no journal replay, no
// recompute). `fileName` only names the file in messages.
Status parseMonthFile(const std::string& bytes, const std::string& fileName, Ledger& ledger);

// Loads `path` (a link resolved: CurrentFile becomes the real file, see realMonthPath):
// reads the month file, opens its journal (see Journal::locate), replays it and recomputes.
// Only when all of that succeeds are `ledger` and `journal` replaced; a damaged file leaves
// the loaded month untouched and no journal is created beside it. A journal with a damaged
// record loads the records before it and refuses every write (journal.damagedRecord()).
Status LoadMonthFile(Ledger& ledger, Journal& journal, const std::string& path,
                     JournalMode mode = JournalMode::ReadWrite);

}  // namespace quorvel
