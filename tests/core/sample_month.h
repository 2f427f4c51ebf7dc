// A small month used across the core tests: three budget accounts (one numbered "7"),
// two funds, one source, two sections and a beginning balance. It matches
// tests/data/small_month.rep, which was written independently of this code.
#pragma once

#include <string>
#include <vector>

#include "ledger/action_record.h"
#include "ledger/journal.h"
#include "ledger/ledger.h"

namespace quorvel::test {

Ledger sampleLedger();

// Saves `ledger` as `path` with a journal holding `records`.
void writeMonth(Ledger ledger, const std::string& path, const std::vector<ActionRecord>& records = {});

// A month's ledger as loaded read-only, with its journal's records.
struct LoadedMonth {
    Ledger ledger;
    std::vector<ActionRecord> records;
};
LoadedMonth loadMonth(const std::string& path);

// Shorthands for records in the forms the recording windows write.
ActionRecord bx(const std::string& number, Money amount, const std::string& reference = "");
ActionRecord to(const std::string& number, Money amount);
ActionRecord keyed(const std::string& code, const std::string& key, Money amount);

}  // namespace quorvel::test
