// Replaying the month's journal into the tables: after the month file is read, every
// record adds its amount to the account it names. DN, D2, SN and cancelled (ZZ) records
// change nothing; a record whose key matches no current account is skipped.
#pragma once

#include <vector>

#include "action_record.h"
#include "ledger.h"

namespace quorvel {

void applyRecord(Ledger& ledger, const ActionRecord& record);
void replayJournal(Ledger& ledger, const std::vector<ActionRecord>& records);

// Row lookups used by the replay; the highest matching row wins, 0 when none matches.
int budgetRowForExpenditure(const Ledger& ledger, const ActionRecord& record);  // trimmed 4-8
int budgetRowForTransfer(const Ledger& ledger, const ActionRecord& record);     // exact 6-8
int fundRowFor(const Ledger& ledger, std::string_view key);
int sourceRowFor(const Ledger& ledger, std::string_view key);

// The transfer slot of a fund: its own slot, else the lowest free one.
int transferSlotFor(const Ledger& ledger, std::string_view fundNumber);

}  // namespace quorvel
