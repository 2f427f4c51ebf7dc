// The audit entries of the review commands: how each thing changed reads before and after,
// the step that writes the entry to the month's audit trail (ledger/audit_trail.h) before
// the change is made, and the trail as the Audit Trail window and quorvel-cli list it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/action_record.h"
#include "ledger/audit_trail.h"
#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

// "action 12" with the record as the journal holds it before and after.
AuditChange recordChange(std::int64_t number, const ActionRecord& before, const ActionRecord& after);
// The record number of an "action N" subject, 0 for any other subject.
std::int64_t recordNumberOf(const AuditChange& change);

// An amount as the trail holds it: two decimals, four where it has hundredths of a cent, so
// no change, however small, reads the same before and after.
std::string auditAmount(Money amount);
// "210 Salaries; annual budget 12000.00; expended in year 3000.00"
std::string budgetAccountText(const Ledger& ledger, int row);
// One change per fund (by number) whose name, balance at the first of the month or place differs.
std::vector<AuditChange> fundChanges(const Ledger& before, const Ledger& after);
// One change per section place whose start or title differs.
std::vector<AuditChange> sectionChanges(const Ledger& before, const Ledger& after);

// Appends an entry of `command` with the `changes` that differ to the trail of the month
// `ledger` holds, flushed to disk, then runs `change`. A trail that cannot be written refuses
// the change, and nothing is changed. A change that fails without taking effect is followed
// by a kAuditNotMade entry giving the reason. With nothing that differs, `change` runs alone.
Status auditedChange(const Ledger& ledger, const Journal& journal, std::string_view command,
                     std::vector<AuditChange> changes, const std::function<Status()>& change,
                     std::string note = {});

// An entry as the listing shows it: the time, user and command, then each change's subject
// with its before and after on lines of their own, an action also named as `ledger` names
// it now. Control bytes and the backslash are shown escaped.
std::vector<std::string> auditEntryLines(const AuditEntry& entry, const Ledger& ledger);

}  // namespace quorvel
