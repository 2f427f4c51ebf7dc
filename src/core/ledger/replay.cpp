#include "replay.h"

#include <array>
#include <cstdint>
#include <string_view>

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
// scan of every row for every record. Record keys are at most five bytes, so keys of up to
// seven bytes are packed, with their length, into one integer and found in a small
// open-addressing table; a longer key falls back to the scan.
template <typename Table>
class RowIndex {
public:
    RowIndex(const Table& keys, int last) : keys_(keys), last_(last) {
        for (int i = 1; i <= last; ++i) {
            std::uint64_t packed = 0;
            if (!pack(keys[i], packed)) continue;
            std::size_t s = home(packed);
            while (slots_[s].row != 0 && slots_[s].key != packed) s = (s + 1) % kSlots;
            slots_[s] = {packed, i};  // a later row replaces: the highest wins
        }
    }
    int find(std::string_view key) const {
        if (key.empty()) return 0;
        std::uint64_t packed = 0;
        if (!pack(key, packed)) return highestRowEqualTo(keys_, last_, key);
        for (std::size_t s = home(packed); slots_[s].row != 0; s = (s + 1) % kSlots) {
            if (slots_[s].key == packed) return slots_[s].row;
        }
        return 0;
    }

private:
    // More than twice the most rows a table has, so a probe ends soon at an empty slot.
    static constexpr std::size_t kSlots = 256;
    struct Slot {
        std::uint64_t key = 0;
        int row = 0;  // 0: empty
    };

    static bool pack(std::string_view key, std::uint64_t& packed) {
        if (key.empty() || key.size() > 7) return false;
        std::uint64_t value = key.size();
        for (char c : key) value = (value << 8) | static_cast<unsigned char>(c);
        packed = value;
        return true;
    }
    static std::size_t home(std::uint64_t packed) {
        return static_cast<std::size_t>((packed * 0x9E3779B97F4A7C15ULL) >> 56);
    }

    const Table& keys_;
    int last_;
    std::array<Slot, kSlots> slots_;
};

// Besides the tables, a record moves the Summary lines it changes, a source note its share out
// of the undesignated receipts, so what the screen shows is what the next load gives. The
// summary is recomputed whole at load, which also sets the fund totals after a transfer (a
// transfer is saved and the month loaded again).
template <typename BudgetRow, typename FundRow, typename SourceRow>
void apply(Ledger& ledger, const ActionRecord& record, BudgetRow budgetRow, FundRow fundRow,
           SourceRow sourceRow) {
    const std::string_view code = record.code();
    const Money amount = record.amount();
    auto& summary = ledger.Summary;
    if (code == "BX" || code == "TO") {
        const int i = budgetRow(code == "BX" ? trimBlanks(record.accountKey()) : record.budgetNumber());
        if (i == 0) return;
        auto& budget = ledger.BudgetAmount[i];
        budget[kSpentInYear] += amount;
        budget[kSpentInMonth] += amount;
        budget[kRemaining] = budget[kBudgeted] - budget[kSpentInYear];
        if (code == "TO") return;
        summary[kBudgetExpenditures] += amount;
        summary[kTotalExpenditures] += amount;
        summary[kRemainingBalance] -= amount;
    } else if (code == "DX") {
        const int i = fundRow(record.accountKey());
        if (i == 0) return;
        ledger.DesigAmount[i][kSpentFromFund] += amount;
        ledger.DesigAmount[i][kFundRemaining] -= amount;
        summary[kDesignatedExpenditures] += amount;
        summary[kTotalExpenditures] += amount;
        summary[kRemainingBalance] -= amount;
        summary[kDesignatedFundTotals] -= amount;
    } else if (code == "DP") {
        summary[kUndesignatedReceipts] += amount;
        summary[kTotalReceipts] += amount;
        summary[kRemainingBalance] += amount;
    } else if (code == "DD" || code == "TI") {
        const int i = fundRow(record.accountKey());
        if (i == 0) return;
        ledger.DesigAmount[i][kReceivedInMonth] += amount;
        ledger.DesigAmount[i][kFundRemaining] += amount;
        if (code == "TI") {
            const int t = transferSlotFor(ledger, ledger.DesigAcctNumber[i]);
            ledger.TransferAcct[t] = ledger.DesigAcctNumber[i];
            ledger.TransferAmount[t] += amount;
            summary[kInternalTransfers] += amount;
        }
    } else if (code == "SX") {
        const int k = sourceRow(record.accountKey());
        if (k == 0) return;
        ledger.SourceAmount[k] += amount;
        ledger.SourceAmount[0] += amount;
        summary[kUndesignatedReceipts] -= amount;
    }
}

}  // namespace

void applyRecord(Ledger& ledger, const ActionRecord& record) {
    apply(
        ledger, record,
        [&](std::string_view key) {
            return highestRowEqualTo(ledger.BudgetAcctNumber, kLastWorkingRow, key);
        },
        [&](std::string_view key) { return fundRowFor(ledger, key); },
        [&](std::string_view key) { return sourceRowFor(ledger, key); });
}

Status appendAndApply(Ledger& ledger, Journal& journal, std::span<const ActionRecord> records) {
    if (Status appended = journal.append(records); !appended) return appended;
    for (const ActionRecord& record : records) applyRecord(ledger, record);
    return Status::Ok();
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
