// Correcting a recorded action: its journal record is rewritten in place with the edited
// values, or replaced by a cancelled record, and the month is rebuilt from its files. Totals
// are never adjusted by hand. The two halves of a transfer change together, but only when the
// neighbour really is the other half.
#pragma once

#include <cstdint>
#include <string>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

// What the action editor shows for a record.
struct ActionView {
    std::string code;
    std::string typeCaption;       // "Budget Expenditure", ... or "- no action to edit - "
    std::string accountName;       // shown under the caption; empty when not shown
    bool showsAccountName = false;
    bool showsAccountNumber = false;  // budget actions: their number can be edited
    std::string accountNumber;        // record positions 6-8
    bool showsAmount = true;          // false for a cancelled record
    std::string amountText;           // "0.00"
    std::string reference;            // positions 23-32 as stored
};

ActionView actionView(const Ledger& ledger, const ActionRecord& record);

struct ActionEdit {
    std::string accountNumber;  // the account number box, as typed
    std::string amountText;     // the amount box
    std::string reference;      // the reference box, as typed
};

// Rewrites record `number` with `edit` (each kind keeps its own trimming rules), then saves
// and reloads the month. A changed account number must be an account's own (a transfer's, one
// it can transfer from); it is refused otherwise, as is a text that is no amount. A cancelled
// record is left as it is.
Status editAction(Ledger& ledger, Journal& journal, std::int64_t number, const ActionEdit& edit);

// Replaces record `number` (and a transfer's other half) by "ZZ - action canceled -" and
// reloads the month.
Status cancelAction(Ledger& ledger, Journal& journal, std::int64_t number);

}  // namespace quorvel
