// Replaying the month's journal into the tables: after the month file is read, every
// record adds its amount to the account it names. DN, D2, SN and cancelled (ZZ) records
// change nothing; a record whose key matches no current account is skipped.
// Recording an action goes the same way, so the screen shows what the next load gives.
#pragma once

#include <span>
#include <vector>

#include "action_record.h"
#include "journal.h"
#include "ledger.h"
#include "status.h"

namespace quorvel {

void applyRecord(Ledger& ledger, const ActionRecord& record);
// Appends `records` in one write and applies them only once the journal holds them; a failed
// append leaves the tables as they were.
Status appendAndApply(Ledger& ledger, Journal& journal, std::span<const ActionRecord> records);
inline Status appendAndApply(Ledger& ledger, Journal& journal, const ActionRecord& record) {
    return appendAndApply(ledger, journal, std::span(&record, 1));
}
void replayJournal(Ledger& ledger, const std::vector<ActionRecord>& records);

// Row lookups used by the replay; the highest matching row wins, 0 when none matches.
int budgetRowForExpenditure(const Ledger& ledger, const ActionRecord& record);  // trimmed 4-8
int budgetRowForTransfer(const Ledger& ledger, const ActionRecord& record);     // exact 6-8
int fundRowFor(const Ledger& ledger, std::string_view key);
int sourceRowFor(const Ledger& ledger, std::string_view key);

// The transfer slot of a fund: its own slot, else the lowest free one.
int transferSlotFor(const Ledger& ledger, std::string_view fundNumber);

}  // namespace quorvel
