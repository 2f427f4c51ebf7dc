#include "action_edit.h"

#include <algorithm>
#include <vector>

#include "actions/recording.h"
#include "ledger/action_record.h"
#include "ledger/budget_number.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ledger/replay.h"
#include "ledger/text_fields.h"
#include "ledger/typed_amount.h"
#include "review/action_list.h"
#include "review/audited_change.h"

namespace quorvel {
namespace {

template <typename Keys, typename Names>
std::string firstNameFor(const Keys& keys, const Names& names, int last, std::string_view key) {
    for (int i = 1; i <= last; ++i) {
        if (keys[i] == key) return names[i];
    }
    return {};
}

// The record a transfer half belongs with, as read; number 0 when the neighbour is not its other half.
struct OtherHalf {
    std::int64_t number = 0;
    ActionRecord record;
};
OtherHalf otherHalf(const Journal& journal, std::int64_t number, std::string_view code) {
    const std::int64_t neighbour = code == "TO" ? number + 1 : code == "TI" ? number - 1 : 0;
    if (neighbour < 1 || neighbour > journal.recordCount()) return {};
    const auto record = journal.read(neighbour);
    if (!record) return {};
    const std::string_view expected = code == "TO" ? "TI" : "TO";
    return record->code() == expected ? OtherHalf{neighbour, *record} : OtherHalf{};
}

// Writes the record (and its other half) in one go, the lower record number first.
Status writePair(Journal& journal, std::int64_t number, const ActionRecord& record, std::int64_t otherNumber,
                 const ActionRecord& other) {
    if (otherNumber == 0) return journal.write(number, record);
    const ActionRecord pair[2] = {otherNumber < number ? other : record,
                                  otherNumber < number ? record : other};
    return journal.write(std::min(number, otherNumber), pair);
}

// The record is already rewritten on disk, so the month is reloaded even when the save fails:
// what the treasurer sees is always what the files hold.
Status saveAndReload(Ledger& ledger, Journal& journal) {
    Ledger current = ledger;
    RecomputeTotals(current);
    return saveAfterRecording(ledger, journal, "The change", &current);
}

// The number a changed budget record holds: an account's own number, as a new record of that
// kind holds it, so the replay charges that account. A number left as it was stays.
Result<std::string> editedBudgetNumber(const Ledger& ledger, const ActionRecord& record,
                                       std::string_view typed) {
    const std::string_view wanted = trimBlanks(typed);
    if (wanted == trimBlanks(record.budgetNumber())) return std::string(record.budgetNumber());
    const auto padded = chargeableNumber(wanted);
    std::string numbers;
    for (int k = 1; k <= ledger.BudgetCount; ++k) {
        const std::string& number = ledger.BudgetAcctNumber[k];
        if (number.empty()) continue;
        if (number == wanted || (padded && number == *padded)) {
            if (record.code() == "TO" && !canTransferFrom(ledger, k)) {
                return Status::Error(cannotTransferMessage(ledger, k));
            }
            return number;
        }
        numbers += (numbers.empty() ? "" : ", ") + number;
    }
    return Status::Error(
        "No budget account has the number \"" + std::string(wanted) + "\"" +
        (numbers.empty() ? std::string(".") : ". The accounts are numbered " + numbers + "."));
}

// The checks of an edit for a record written back whole: a kind an edit changes, an amount
// the record can hold, and the account it names still there (else the replay would skip it).
Status checkRestorable(const Ledger& ledger, const ActionRecord& record) {
    const std::string_view code = record.code();
    const std::string key(trimBlanks(record.accountKey()));
    const std::string refused = "The action cannot be restored: ";
    if (!record.isWellFormed() || !amountAsRight(record.amount())) {
        return Status::Error(refused + "the record in the audit trail is not one the journal can hold.");
    }
    if (code == "BX" && budgetRowForExpenditure(ledger, record) == 0) {
        return Status::Error(refused + "no budget account has the number " + key + " now.");
    }
    if (code == "TO") {
        const int row = budgetRowForTransfer(ledger, record);
        if (row == 0) return Status::Error(refused + "no budget account has the number " + key + " now.");
        if (!canTransferFrom(ledger, row)) return Status::Error(refused + cannotTransferMessage(ledger, row));
    }
    if ((code == "DX" || code == "DD" || code == "TI") && fundRowFor(ledger, record.accountKey()) == 0) {
        return Status::Error(refused + "no designated fund has the number " + key + " now.");
    }
    if (code == "SX" && sourceRowFor(ledger, record.accountKey()) == 0) {
        return Status::Error(refused + "no deposit source has the id " + key + " now.");
    }
    if (code != "BX" && code != "TO" && code != "TI" && code != "DX" && code != "DD" && code != "DP" &&
        code != "SX") {
        return Status::Error(refused + "it is not an action an edit can change.");
    }
    return Status::Ok();
}

// The subject under which the audit trail names the account, fund or source a record charges.
std::string accountSubject(const ActionRecord& record) {
    const std::string_view code = record.code();
    if (code == "BX" || code == "TO")
        return "budget account " + std::string(trimBlanks(record.budgetNumber()));
    const std::string key(trimBlanks(record.accountKey()));
    if (code == "DX" || code == "DD" || code == "TI") return "designated fund " + key;
    if (code == "SX") return "source " + key;
    return {};
}

// Whether a change made the subject another thing (created, deleted, renumbered, renamed,
// other amounts), not merely moved it to another place in its list.
bool changesIdentity(const AuditChange& change) {
    auto withoutPlace = [](std::string_view text) { return text.substr(0, text.rfind("; place ")); };
    return change.before.empty() || change.after.empty() ||
           withoutPlace(change.before) != withoutPlace(change.after);
}

}  // namespace

ActionView actionView(const Ledger& ledger, const ActionRecord& record) {
    ActionView view;
    view.code = std::string(record.code());
    const std::string key(record.accountKey());
    if (view.code == "BX" || view.code == "TO") {
        view.typeCaption = view.code == "BX" ? "Budget Expenditure" : "Transfer Out from Budget Account";
        view.showsAccountNumber = true;
        view.accountNumber = std::string(record.budgetNumber());
    } else if (view.code == "DX" || view.code == "DD" || view.code == "TI") {
        view.typeCaption = view.code == "DX"   ? "Designated Expenditure"
                           : view.code == "DD" ? "Designation in Deposit"
                                               : "Transfer In to Designated Account";
        view.showsAccountName = true;
        view.accountName = firstNameFor(ledger.DesigAcctNumber, ledger.DesigAcctName, kLastWorkingRow, key);
    } else if (view.code == "SX") {
        view.typeCaption = "Note deposit source";
        view.showsAccountName = true;
        view.accountName = firstNameFor(ledger.SourceId, ledger.SourceName, kLastSourceRow, key);
    } else if (view.code == "DP") {
        view.typeCaption = "Deposit";
    } else {
        view.typeCaption = "- no action to edit - ";
        view.showsAmount = false;
        return view;
    }
    view.amountText = record.amount().format00();
    view.reference = std::string(record.reference());
    return view;
}

Status editAction(Ledger& ledger, Journal& journal, std::int64_t number, const ActionEdit& edit) {
    auto read = journal.read(number);
    if (!read) return read.status();
    ActionRecord record = *read;
    const std::string code(record.code());
    const auto typed = readTypedAmount(edit.amountText, "Amount");
    if (!typed) return typed.status();
    auto amount = amountAsRight(*typed);
    if (!amount) return amount.status();
    const std::string trimmedReference(trimBlanks(edit.reference));

    auto setAmountAndReference = [&](ActionRecord& target, const std::string& reference) {
        target.blank(23, 10);
        target.place(10, *amount, kAmountWidth);
        target.place(23, reference, 10);
    };

    std::string budgetNumber;
    if (code == "BX" || code == "TO") {
        auto checked = editedBudgetNumber(ledger, record, edit.accountNumber);
        if (!checked) return checked.status();
        budgetNumber = std::move(checked).value();
    }

    OtherHalf half;
    ActionRecord other;
    if (code == "BX") {
        setAmountAndReference(record, trimmedReference);
        record.blank(6, 3);
        record.place(6, budgetNumber, 3);
    } else if (code == "DX" || code == "DP" || code == "DD") {
        setAmountAndReference(record, trimmedReference);
    } else if (code == "SX") {
        // A source note keeps its reference as typed, leading blanks and all.
        setAmountAndReference(record, edit.reference);
    } else if (code == "TO" || code == "TI") {
        setAmountAndReference(record, edit.reference);
        if (code == "TO") {
            record.blank(6, 3);
            record.place(6, budgetNumber, 3);
        }
        half = otherHalf(journal, number, code);
        other = half.record;
        setAmountAndReference(other, edit.reference);
    } else {
        return Status::Ok();  // a kind with nothing to edit: nothing written, nothing to save
    }
    std::vector<AuditChange> changes{recordChange(number, *read, record)};
    if (half.number != 0) changes.push_back(recordChange(half.number, half.record, other));
    return auditedChange(ledger, journal, "Edit action", std::move(changes), [&] {
        if (Status written = writePair(journal, number, record, half.number, other); !written) return written;
        return saveAndReload(ledger, journal);
    });
}

Status cancelAction(Ledger& ledger, Journal& journal, std::int64_t number) {
    auto read = journal.read(number);
    if (!read) return read.status();
    const ActionRecord cancelled = cancelledRecord(CancelReason::Canceled);
    const OtherHalf other = otherHalf(journal, number, read->code());
    const std::int64_t otherNumber = other.number;
    std::vector<AuditChange> changes{recordChange(number, *read, cancelled)};
    if (otherNumber != 0) changes.push_back(recordChange(otherNumber, other.record, cancelled));
    return auditedChange(ledger, journal, kCancelCommand, std::move(changes), [&] {
        if (Status s = writePair(journal, number, cancelled, otherNumber, cancelled); !s) return s;
        return saveAfterRecording(ledger, journal, "The cancellation", nullptr);
    });
}

Result<std::vector<CancelledRecord>> restorableRecords(const Ledger& ledger, const Journal& journal,
                                                       const AuditTrailRead& trail, std::size_t index) {
    const std::string refused = "The action cannot be restored: ";
    if (index >= trail.entries.size()) return Status::Error(refused + "the audit trail has no such entry.");
    // What a skipped line or another name of the file changed is unknown, so nothing is trusted.
    if (!trail.message.empty()) return Status::Error(refused + trail.message);
    const AuditEntry& entry = trail.entries[index];
    if (entry.command != kCancelCommand || entry.changes.empty() || entry.changes.size() > 2)
        return Status::Error(refused + "the entry is not a cancellation.");
    if (index + 1 < trail.entries.size() && trail.entries[index + 1].command == kAuditNotMade)
        return Status::Error(refused + "the audit trail says this cancellation was not made.");
    // The trail is plain text anyone can edit: only the journal says what is cancelled now.
    std::vector<CancelledRecord> records;
    for (const AuditChange& change : entry.changes) {
        const std::int64_t number = recordNumberOf(change);
        if (number == 0 || change.before.size() != kRecordSize || change.after.size() != kRecordSize)
            return Status::Error(refused + "the entry does not hold a whole record.");
        const auto now = journal.read(number);
        if (!now || now->code() != "ZZ" || now->text() != change.after)
            return Status::Error(refused + "action " + std::to_string(number) + " is not cancelled now.");
        records.push_back({number, ActionRecord::fromBytes(change.before)});
    }
    std::sort(records.begin(), records.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    if (records.size() == 2 && (records[1].number != records[0].number + 1 ||
                                records[0].original.code() != "TO" || records[1].original.code() != "TI")) {
        return Status::Error(refused + "its two records are not the two halves of one transfer.");
    }
    for (std::size_t later = index + 1; later < trail.entries.size(); ++later) {
        const AuditEntry& next = trail.entries[later];
        const std::string since = " since (" + next.command + ", " + next.time + ")";
        for (const AuditChange& change : next.changes) {
            for (const CancelledRecord& record : records) {
                if (recordNumberOf(change) == record.number) {
                    return Status::Error(refused + "action " + std::to_string(record.number) +
                                         " was changed" + since +
                                         ", so this entry no longer holds it as it is.");
                }
                if (change.subject == accountSubject(record.original) && changesIdentity(change)) {
                    return Status::Error(refused + change.subject + " was changed" + since +
                                         ", so the action might land on another account. Record it again if "
                                         "it still belongs there.");
                }
            }
        }
    }
    for (const CancelledRecord& record : records) {
        if (Status s = checkRestorable(ledger, record.original); !s) return s;
    }
    return records;
}

std::string describeAction(const Ledger& ledger, const ActionRecord& record) {
    const ActionView view = actionView(ledger, record);
    std::string action(trimBlanks(view.typeCaption));
    if (view.showsAccountNumber) action += " " + view.accountNumber;
    if (view.showsAccountName) action += " (" + std::string(trimBlanks(view.accountName)) + ")";
    if (!view.showsAmount) return action;
    action += ", " + view.amountText;
    if (const std::string_view reference = trimBlanks(view.reference); !reference.empty())
        action += ", " + std::string(reference);
    return action;
}

Status restoreAction(Ledger& ledger, Journal& journal, const AuditTrailRead& trail, std::size_t index) {
    const auto records = restorableRecords(ledger, journal, trail, index);
    if (!records) return records.status();
    std::vector<AuditChange> changes;
    for (const CancelledRecord& cancelled : *records) {
        const auto now = journal.read(cancelled.number);
        if (!now) return now.status();
        changes.push_back(recordChange(cancelled.number, *now, cancelled.original));
    }
    const CancelledRecord& first = records->front();
    const CancelledRecord none{0, ActionRecord()};
    const CancelledRecord& second = records->size() > 1 ? (*records)[1] : none;
    const AuditEntry& entry = trail.entries[index];
    return auditedChange(
        ledger, journal, "Restore action", std::move(changes),
        [&] {
            Status written = writePair(journal, first.number, first.original, second.number, second.original);
            if (!written) return written;
            return saveAfterRecording(ledger, journal, "The restored action", nullptr);
        },
        "cancelled " + entry.time + " by " + entry.user);
}

}  // namespace quorvel
