#include "action_edit.h"

#include <vector>

#include "actions/recording.h"
#include "ledger/action_record.h"
#include "ledger/budget_number.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ledger/text_fields.h"
#include "ledger/typed_amount.h"
#include "review/action_list.h"

namespace quorvel {
namespace {

template <typename Keys, typename Names>
std::string firstNameFor(const Keys& keys, const Names& names, int last, std::string_view key) {
    for (int i = 1; i <= last; ++i) {
        if (keys[i] == key) return names[i];
    }
    return {};
}

// The record a transfer half belongs with, or 0 when the neighbour is not its other half.
std::int64_t otherHalf(const Journal& journal, std::int64_t number, std::string_view code) {
    const std::int64_t neighbour = code == "TO" ? number + 1 : code == "TI" ? number - 1 : 0;
    if (neighbour < 1 || neighbour > journal.recordCount()) return 0;
    const auto record = journal.read(neighbour);
    if (!record) return 0;
    const std::string_view expected = code == "TO" ? "TI" : "TO";
    return record->code() == expected ? neighbour : 0;
}

// Writes the record (and its other half) in one go, the lower record number first.
Status writePair(Journal& journal, std::int64_t number, const ActionRecord& record, std::int64_t otherNumber,
                 const ActionRecord& other) {
    if (otherNumber == 0) return journal.write(number, record);
    const ActionRecord pair[2] = {otherNumber < number ? other : record, otherNumber < number ? record : other};
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
        budgetNumber = std::move(*checked);
    }

    Status written = Status::Ok();
    if (code == "BX") {
        setAmountAndReference(record, trimmedReference);
        record.blank(6, 3);
        record.place(6, budgetNumber, 3);
        written = journal.write(number, record);
    } else if (code == "DX" || code == "DP" || code == "DD") {
        setAmountAndReference(record, trimmedReference);
        written = journal.write(number, record);
    } else if (code == "SX") {
        // A source note keeps its reference as typed, leading blanks and all.
        setAmountAndReference(record, edit.reference);
        written = journal.write(number, record);
    } else if (code == "TO" || code == "TI") {
        setAmountAndReference(record, edit.reference);
        if (code == "TO") {
            record.blank(6, 3);
            record.place(6, budgetNumber, 3);
        }
        const std::int64_t otherNumber = otherHalf(journal, number, code);
        ActionRecord other;
        if (otherNumber != 0) {
            other = journal.read(otherNumber).value();
            setAmountAndReference(other, edit.reference);
        }
        written = writePair(journal, number, record, otherNumber, other);
    } else {
        return Status::Ok();  // a kind with nothing to edit: nothing written, nothing to save
    }
    if (!written) return written;
    return saveAndReload(ledger, journal);
}

Status cancelAction(Ledger& ledger, Journal& journal, std::int64_t number) {
    auto read = journal.read(number);
    if (!read) return read.status();
    const ActionRecord cancelled = cancelledRecord(CancelReason::Canceled);
    const std::int64_t otherNumber = otherHalf(journal, number, read->code());
    if (Status s = writePair(journal, number, cancelled, otherNumber, cancelled); !s) return s;
    return saveAfterRecording(ledger, journal, "The cancellation", nullptr);
}

}  // namespace quorvel
