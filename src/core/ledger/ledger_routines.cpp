#include "ledger_routines.h"

#include <chrono>
#include <memory>
#include <random>
#include <utility>

#include "account_table.h"
#include "text_fields.h"

namespace quorvel {

void ClearLedger(Ledger& ledger) {
    for (int i = 1; i < kAccountRows; ++i) {
        ledger.BudgetAcctNumber[i].clear();
        ledger.BudgetAcctName[i].clear();
        ledger.DesigAcctName[i].clear();
        ledger.DesigAcctNumber[i].clear();
        for (int c = 1; c <= 4; ++c) {
            ledger.BudgetAmount[i][c] = Money();
            ledger.DesigAmount[i][c] = Money();
        }
    }
    for (int k = 1; k <= kLastSourceRow; ++k) {
        ledger.SourceName[k] = "0";
        ledger.SourceAmount[k] = Money();
    }
    for (int j = 1; j <= kSections; ++j) {
        ledger.Summary[j] = Money();
        ledger.SectionStart[j].clear();
        ledger.SectionTitle[j].clear();
    }
    ledger.BudgetCount = 0;
    ledger.DesigCount = 0;
}

void RecomputeTotals(Ledger& ledger) {
    auto& s = ledger.Summary;
    for (int i = kLastWorkingRow; i >= 1; --i) {
        if (nameInUse(ledger.DesigAcctName[i])) {
            ledger.DesigCount = i;
            break;
        }
    }
    // Summary(3) is built in three steps: receipts, less money designated, then the
    // transfers in (not receipts) added back and the income noted from sources taken out.
    s[kDesignatedAtFirst] = Money();
    s[kUndesignatedReceipts] = s[kTotalReceipts];
    for (int k : {kInternalTransfers, kDesignatedExpenditures, kBudgetExpenditures, kTotalExpenditures,
                  kDesignatedFundTotals}) {
        s[k] = Money();
    }
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        auto& budget = ledger.BudgetAmount[i];
        const auto& fund = ledger.DesigAmount[i];
        budget[kRemaining] = budget[kBudgeted] - budget[kSpentInYear];
        s[kDesignatedAtFirst] += fund[kAtFirstOfMonth];
        s[kUndesignatedReceipts] -= fund[kReceivedInMonth];
        s[kDesignatedExpenditures] += fund[kSpentFromFund];
        s[kBudgetExpenditures] += budget[kSpentInMonth];
        s[kDesignatedFundTotals] += fund[kFundRemaining];
    }
    Money sources;
    for (int k = 1; k <= kLastSourceRow; ++k) sources += ledger.SourceAmount[k];
    ledger.SourceAmount[0] = sources;
    for (int t = 1; t <= kTransferSlots; ++t) s[kInternalTransfers] += ledger.TransferAmount[t];
    s[kUndesignatedReceipts] = s[kUndesignatedReceipts] + s[kInternalTransfers] - ledger.SourceAmount[0];
    s[kTotalExpenditures] = s[kBudgetExpenditures] + s[kDesignatedExpenditures];
    s[kRemainingBalance] =
        s[kBeginningBalance] + s[kTotalReceipts] - s[kTotalExpenditures] + s[kInternalTransfers];
}

void SortBudgetAccounts(Ledger& ledger) {
    int n = 0;
    for (int i = kLastWorkingRow - 1; i >= 1; --i) {
        if (nameInUse(ledger.BudgetAcctName[i])) {
            n = i;
            break;
        }
    }
    if (n <= 1) return;
    AccountTable budget = budgetTable(ledger);
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int i = 1; i < n; ++i) {
            if (ledger.BudgetAcctNumber[i + 1] < ledger.BudgetAcctNumber[i]) {
                budget.copyRow(0, i);
                budget.copyRow(i, i + 1);
                budget.copyRow(i + 1, 0);
                exchanged = true;
            }
        }
    }
    ledger.BudgetCount = n;
}

RandomBelow seededRandom(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(*engine); };
}

RandomBelow clockSeededRandom() {
    static const RandomBelow random =
        seededRandom(static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    return random;
}

std::string NewAccountId(const Ledger& ledger, const RandomBelow& random) {
    for (;;) {
        std::string id = zeroPadded(random(30000), 5);
        bool taken = false;
        for (int i = 1; i <= kLastWorkingRow && !taken; ++i) taken = ledger.DesigAcctNumber[i] == id;
        for (int k = 1; k <= kLastSourceRow && !taken; ++k) taken = ledger.SourceId[k] == id;
        if (!taken) return id;
    }
}

}  // namespace quorvel
