// Correcting a recorded action: its journal record is rewritten in place with the edited
// values, or replaced by a cancelled record, and the month is rebuilt from its files. Totals
// are never adjusted by hand. The two halves of a transfer change together, but only when the
// neighbour really is the other half.
#pragma once

#include <cstdint>
#include <string>

#include <vector>

#include "ledger/audit_trail.h"
#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

// What the action editor shows for a record.
struct ActionView {
    std::string code;
    std::string typeCaption;  // "Budget Expenditure", ... or "- no action to edit - "
    std::string accountName;  // shown under the caption; empty when not shown
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
// reloads the month. The audit trail keeps the records as they were, for restoreAction.
Status cancelAction(Ledger& ledger, Journal& journal, std::int64_t number);

inline constexpr const char* kCancelCommand = "Cancel action";

// "Budget Expenditure 210, 125.00, ck 1234": the action as a question about it names it.
std::string describeAction(const Ledger& ledger, const ActionRecord& record);

struct CancelledRecord {
    std::int64_t number;
    ActionRecord original;
};
// The records entry `index` of `trail` cancelled (lower number first), when they can be
// written back now: the trail was read whole, the entry is a cancellation that was made, each
// record is cancelled in the journal now, two records are the halves of one transfer, no later
// entry touches them or changes the account, fund or source they name, and the checks of an
// edit pass. Otherwise the reason.
Result<std::vector<CancelledRecord>> restorableRecords(const Ledger& ledger, const Journal& journal,
                                                       const AuditTrailRead& trail, std::size_t index);

// Writes back what restorableRecords() gives. The restore is itself audited.
Status restoreAction(Ledger& ledger, Journal& journal, const AuditTrailRead& trail, std::size_t index);

}  // namespace quorvel
