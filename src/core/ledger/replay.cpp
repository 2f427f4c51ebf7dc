#include "replay.h"

#include "text_fields.h"

namespace quorvel {
namespace {

template <typename Table>
int highestRowEqualTo(const Table& keys, int last, std::string_view key) {
    if (key.empty()) return 0;
    for (int i = last; i >= 1; --i) {
        if (keys[i] == key) return i;
    }
    return 0;
}

}  // namespace

int budgetRowForExpenditure(const Ledger& ledger, const ActionRecord& record) {
    return highestRowEqualTo(ledger.BudgetAcctNumber, kLastWorkingRow, trimBlanks(record.accountKey()));
}

// A transfer compares the three characters exactly, so a number shorter than three
// characters is found by expenditures but not by transfers.
int budgetRowForTransfer(const Ledger& ledger, const ActionRecord& record) {
    return highestRowEqualTo(ledger.BudgetAcctNumber, kLastWorkingRow, record.budgetNumber());
}

int fundRowFor(const Ledger& ledger, std::string_view key) {
    return highestRowEqualTo(ledger.DesigAcctNumber, kLastWorkingRow, key);
}

int sourceRowFor(const Ledger& ledger, std::string_view key) {
    return highestRowEqualTo(ledger.SourceId, kLastSourceRow, key);
}

int transferSlotFor(const Ledger& ledger, std::string_view fundNumber) {
    for (int t = kTransferSlots; t >= 1; --t) {
        if (ledger.TransferAcct[t] == fundNumber) return t;
    }
    for (int t = 1; t <= kTransferSlots; ++t) {
        if (ledger.TransferAcct[t].empty()) return t;
    }
    return 0;
}

void applyRecord(Ledger& ledger, const ActionRecord& record) {
    const std::string_view code = record.code();
    const Money amount = record.amount();
    if (code == "BX" || code == "TO") {
        const int i = code == "BX" ? budgetRowForExpenditure(ledger, record) : budgetRowForTransfer(ledger, record);
        if (i == 0) return;
        ledger.BudgetAmount[i][kSpentInYear] += amount;
        ledger.BudgetAmount[i][kSpentInMonth] += amount;
    } else if (code == "DX") {
        const int i = fundRowFor(ledger, record.accountKey());
        if (i == 0) return;
        ledger.DesigAmount[i][kSpentFromFund] += amount;
        ledger.DesigAmount[i][kFundRemaining] -= amount;
    } else if (code == "DP") {
        ledger.Summary[kTotalReceipts] += amount;
    } else if (code == "DD" || code == "TI") {
        const int i = fundRowFor(ledger, record.accountKey());
        if (i == 0) return;
        ledger.DesigAmount[i][kReceivedInMonth] += amount;
        ledger.DesigAmount[i][kFundRemaining] += amount;
        if (code == "TI") {
            const int t = transferSlotFor(ledger, ledger.DesigAcctNumber[i]);
            ledger.TransferAcct[t] = ledger.DesigAcctNumber[i];
            ledger.TransferAmount[t] += amount;
        }
    } else if (code == "SX") {
        const int k = sourceRowFor(ledger, record.accountKey());
        if (k == 0) return;
        ledger.SourceAmount[k] += amount;
    }
}

void replayJournal(Ledger& ledger, const std::vector<ActionRecord>& records) {
    for (const ActionRecord& record : records) applyRecord(ledger, record);
}

}  // namespace quorvel
