#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "ledger/ledger_routines.h"
#include "ledger/replay.h"

namespace quorvel {
namespace {

using test::bx;
using test::keyed;
using test::to;

Ledger replayed(const std::vector<ActionRecord>& records, Ledger ledger = test::sampleLedger()) {
    replayJournal(ledger, records);
    RecomputeTotals(ledger);
    return ledger;
}

ActionRecord ti(const std::string& fund, Money amount) {
    return composeKeyedRecord("TI", fund, *amountAsBox(amount.format00()), "");
}

TEST(Replay, EveryRecordKindReachesItsColumns) {
    const Money a = Money::cents(1250);
    const Ledger base = replayed({});
    const Ledger l = replayed({bx("101", a), keyed("DX", "01234", a), keyed("DP", "", Money::cents(10000)),
                               keyed("DD", "20000", a), keyed("SX", "11111", a)});
    EXPECT_EQ(l.BudgetAmount[1][kSpentInYear], base.BudgetAmount[1][kSpentInYear] + a);
    EXPECT_EQ(l.BudgetAmount[1][kSpentInMonth], a);
    EXPECT_EQ(l.BudgetAmount[1][kRemaining], base.BudgetAmount[1][kRemaining] - a);
    EXPECT_EQ(l.DesigAmount[1][kSpentFromFund], a);
    EXPECT_EQ(l.DesigAmount[1][kFundRemaining], Money::cents(50000) - a);
    EXPECT_EQ(l.DesigAmount[2][kReceivedInMonth], a);
    EXPECT_EQ(l.DesigAmount[2][kFundRemaining], Money::cents(50) + a);
    EXPECT_EQ(l.SourceAmount[1], a);
    EXPECT_EQ(l.SourceAmount[0], a);
    EXPECT_EQ(l.Summary[kTotalReceipts], Money::cents(10000));
    // Receipts 100.00 less 12.50 designated less 12.50 noted from a source.
    EXPECT_EQ(l.Summary[kUndesignatedReceipts], Money::cents(7500));
    EXPECT_EQ(l.Summary[kBudgetExpenditures], a);
    EXPECT_EQ(l.Summary[kDesignatedExpenditures], a);
    EXPECT_EQ(l.Summary[kRemainingBalance], Money::cents(100075 + 10000 - 2500));
}

// Unknown keys and codes, and records of names and cancellations; a short number is found by an
// expenditure (trimmed key) but not by a transfer (exact 6-8).
TEST(Replay, RecordsThatChangeNothing) {
    const Ledger l =
        replayed({composeFundCreated("01234"), composeFundName("New"), ActionRecord::fromBytes("SN 11111  5"),
                  cancelledRecord(CancelReason::Canceled), ActionRecord::fromBytes("  "),
                  ActionRecord::fromBytes("QQ 01234  99"), bx("999", Money::cents(100)),
                  keyed("DX", "99999", Money::cents(100)), keyed("SX", "54321", Money::cents(100)),
                  bx("", Money::cents(100)), to("7", Money::cents(5000))});
    EXPECT_TRUE(l == replayed({}));
    EXPECT_EQ(replayed({bx("7", Money::cents(100))}).BudgetAmount[3][kSpentInMonth], Money::cents(100));
}

TEST(Replay, TransferMovesBudgetSpendingIntoAFund) {
    const Ledger base = replayed({});
    const Money a = Money::cents(5000);
    const Ledger l = replayed({to("101", a), ti("01234", a)});
    EXPECT_EQ(l.Summary[kBudgetExpenditures], base.Summary[kBudgetExpenditures] + a);
    EXPECT_EQ(l.Summary[kInternalTransfers], a);
    EXPECT_EQ(l.Summary[kRemainingBalance], base.Summary[kRemainingBalance]);
    EXPECT_EQ(l.Summary[kUndesignatedReceipts], base.Summary[kUndesignatedReceipts]);  // not a receipt
}

TEST(Replay, TransfersIntoOneFundShareOneSlot) {
    const Ledger l =
        replayed({to("101", Money::cents(100)), ti("01234", Money::cents(100)), to("102", Money::cents(250)),
                  ti("01234", Money::cents(250)), to("101", Money::cents(5)), ti("20000", Money::cents(5))});
    EXPECT_EQ(l.TransferAcct[1], "01234");
    EXPECT_EQ(l.TransferAmount[1], Money::cents(350));
    EXPECT_EQ(l.TransferAcct[2], "20000");
    EXPECT_EQ(l.TransferAmount[2], Money::cents(5));
    EXPECT_TRUE(l.TransferAcct[3].empty());
    EXPECT_EQ(l.Summary[kInternalTransfers], Money::cents(355));
}

// Every row filled, with numbers five apart so that many share a place in the lookup: each must
// still reach its own row, and every fund receiving a transfer gets a slot of its own.
TEST(Replay, EveryRowOfFullTablesIsCharged) {
    Ledger ledger = test::sampleLedger();
    std::vector<ActionRecord> records;
    for (int r = 1; r <= kLastWorkingRow; ++r) {
        ledger.BudgetAcctNumber[r] = std::to_string(100 + 5 * r);
        ledger.DesigAcctNumber[r] = "1" + std::to_string(1000 + 5 * r);
        ledger.DesigAcctName[r] = "Fund " + std::to_string(r);
        records.push_back(bx(ledger.BudgetAcctNumber[r], Money::cents(r)));
        records.push_back(to(ledger.BudgetAcctNumber[r], Money::cents(100)));
        records.push_back(ti(ledger.DesigAcctNumber[r], Money::cents(r)));
    }
    const Ledger l = replayed(records, ledger);
    for (int r = 1; r <= kLastWorkingRow; ++r) {
        EXPECT_EQ(l.BudgetAmount[r][kSpentInMonth], Money::cents(r + 100)) << r;
        EXPECT_EQ(l.DesigAmount[r][kReceivedInMonth], Money::cents(r)) << r;
    }
    EXPECT_EQ(l.TransferAcct[kLastWorkingRow], "11500");
    EXPECT_EQ(l.Summary[kInternalTransfers], Money::cents(5050));
}

TEST(Replay, DuplicateKeysChargeTheHighestRow) {
    Ledger ledger = test::sampleLedger();
    ledger.BudgetAcctNumber[2] = "101";
    ledger.DesigAcctNumber[2] = "01234";
    replayJournal(ledger, {bx("101", Money::cents(100)), keyed("DX", "01234", Money::cents(100))});
    EXPECT_TRUE(ledger.BudgetAmount[1][kSpentInMonth].isZero());
    EXPECT_EQ(ledger.BudgetAmount[2][kSpentInMonth], Money::cents(100));
    EXPECT_EQ(ledger.DesigAmount[2][kSpentFromFund], Money::cents(100));
}

}  // namespace
}  // namespace quorvel
