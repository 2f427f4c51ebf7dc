#include "replay.h"

#include <string_view>
#include <unordered_map>

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

namespace {

// The key tables do not change during a replay, so one lookup table per replay replaces a
// scan of every row for every record.
class RowIndex {
public:
    template <typename Table>
    RowIndex(const Table& keys, int last) {
        rows_.reserve(static_cast<std::size_t>(last));
        for (int i = 1; i <= last; ++i) {
            if (!keys[i].empty()) rows_[keys[i]] = i;  // a later row replaces: the highest wins
        }
    }
    int find(std::string_view key) const {
        if (key.empty()) return 0;
        const auto it = rows_.find(key);
        return it == rows_.end() ? 0 : it->second;
    }

private:
    std::unordered_map<std::string_view, int> rows_;
};

template <typename BudgetRow, typename FundRow, typename SourceRow>
void apply(Ledger& ledger, const ActionRecord& record, BudgetRow budgetRow, FundRow fundRow, SourceRow sourceRow) {
    const std::string_view code = record.code();
    const Money amount = record.amount();
    if (code == "BX" || code == "TO") {
        const int i = budgetRow(code == "BX" ? trimBlanks(record.accountKey()) : record.budgetNumber());
        if (i == 0) return;
        ledger.BudgetAmount[i][kSpentInYear] += amount;
        ledger.BudgetAmount[i][kSpentInMonth] += amount;
    } else if (code == "DX") {
        const int i = fundRow(record.accountKey());
        if (i == 0) return;
        ledger.DesigAmount[i][kSpentFromFund] += amount;
        ledger.DesigAmount[i][kFundRemaining] -= amount;
    } else if (code == "DP") {
        ledger.Summary[kTotalReceipts] += amount;
    } else if (code == "DD" || code == "TI") {
        const int i = fundRow(record.accountKey());
        if (i == 0) return;
        ledger.DesigAmount[i][kReceivedInMonth] += amount;
        ledger.DesigAmount[i][kFundRemaining] += amount;
        if (code == "TI") {
            const int t = transferSlotFor(ledger, ledger.DesigAcctNumber[i]);
            ledger.TransferAcct[t] = ledger.DesigAcctNumber[i];
            ledger.TransferAmount[t] += amount;
        }
    } else if (code == "SX") {
        const int k = sourceRow(record.accountKey());
        if (k == 0) return;
        ledger.SourceAmount[k] += amount;
    }
}

}  // namespace

void applyRecord(Ledger& ledger, const ActionRecord& record) {
    apply(
        ledger, record,
        [&](std::string_view key) { return highestRowEqualTo(ledger.BudgetAcctNumber, kLastWorkingRow, key); },
        [&](std::string_view key) { return fundRowFor(ledger, key); },
        [&](std::string_view key) { return sourceRowFor(ledger, key); });
}

void replayJournal(Ledger& ledger, const std::vector<ActionRecord>& records) {
    const RowIndex budgets(ledger.BudgetAcctNumber, kLastWorkingRow);
    const RowIndex funds(ledger.DesigAcctNumber, kLastWorkingRow);
    const RowIndex sources(ledger.SourceId, kLastSourceRow);
    for (const ActionRecord& record : records) {
        apply(
            ledger, record, [&](std::string_view key) { return budgets.find(key); },
            [&](std::string_view key) { return funds.find(key); },
            [&](std::string_view key) { return sources.find(key); });
    }
}

}  // namespace quorvel
