#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "ledger/ledger_routines.h"
#include "ledger/replay.h"

namespace quorvel {
namespace {

using test::bx;
using test::keyed;
using test::to;

Ledger replayed(const std::vector<ActionRecord>& records) {
    Ledger ledger = test::sampleLedger();
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

TEST(Replay, RecordsThatChangeNothing) {
    const Ledger base = replayed({});
    const Ledger l = replayed({composeFundCreated("01234"), composeFundName("New"),
                               ActionRecord::fromBytes("SN 11111  5"), cancelledRecord(CancelReason::Canceled),
                               ActionRecord::fromBytes("  "), ActionRecord::fromBytes("QQ 01234  99"),
                               bx("999", Money::cents(100)), keyed("DX", "99999", Money::cents(100)),
                               keyed("SX", "54321", Money::cents(100)), bx("", Money::cents(100))});
    for (int j = 1; j <= kSummaryLines; ++j) EXPECT_EQ(l.Summary[j], base.Summary[j]) << j;
    for (int i = 0; i < kAccountRows; ++i) {
        EXPECT_EQ(l.BudgetAmount[i], base.BudgetAmount[i]) << i;
        EXPECT_EQ(l.DesigAmount[i], base.DesigAmount[i]) << i;
    }
    EXPECT_TRUE(l.SourceAmount[0].isZero());
}

// A short number is found by an expenditure (trimmed key) but not by a transfer (exact 6-8).
TEST(Replay, ShortBudgetNumberFoundByExpenditureNotByTransfer) {
    const Ledger l = replayed({bx("7", Money::cents(100)), to("7", Money::cents(5000))});
    EXPECT_EQ(l.BudgetAmount[3][kSpentInMonth], Money::cents(100));
    EXPECT_EQ(l.Summary[kBudgetExpenditures], Money::cents(100));
}

TEST(Replay, TransferMovesBudgetSpendingIntoAFund) {
    const Ledger base = replayed({});
    const Money a = Money::cents(5000);
    const Ledger l = replayed({to("101", a), ti("01234", a)});
    EXPECT_EQ(l.BudgetAmount[1][kSpentInMonth], a);
    EXPECT_EQ(l.DesigAmount[1][kReceivedInMonth], a);
    EXPECT_EQ(l.Summary[kBudgetExpenditures], base.Summary[kBudgetExpenditures] + a);
    EXPECT_EQ(l.Summary[kInternalTransfers], a);
    EXPECT_EQ(l.Summary[kRemainingBalance], base.Summary[kRemainingBalance]);
    EXPECT_EQ(l.Summary[kUndesignatedReceipts], base.Summary[kUndesignatedReceipts]);  // not a receipt
}

TEST(Replay, TransfersIntoOneFundShareOneSlot) {
    const Ledger l = replayed({to("101", Money::cents(100)), ti("01234", Money::cents(100)),
                               to("102", Money::cents(250)), ti("01234", Money::cents(250)),
                               to("101", Money::cents(5)), ti("20000", Money::cents(5))});
    EXPECT_EQ(l.TransferAcct[1], "01234");
    EXPECT_EQ(l.TransferAmount[1], Money::cents(350));
    EXPECT_EQ(l.TransferAcct[2], "20000");
    EXPECT_EQ(l.TransferAmount[2], Money::cents(5));
    EXPECT_TRUE(l.TransferAcct[3].empty());
    EXPECT_EQ(l.Summary[kInternalTransfers], Money::cents(355));
}

// Ten slots were never enough for a busy month; every fund gets one and the summary agrees.
TEST(Replay, MoreThanTenFundsReceivingTransfersAllCount) {
    Ledger ledger = test::sampleLedger();
    std::vector<ActionRecord> records;
    for (int f = 1; f <= 30; ++f) {
        ledger.DesigAcctNumber[f] = "1" + std::to_string(1000 + f);
        ledger.DesigAcctName[f] = "Fund " + std::to_string(f);
        records.push_back(to("101", Money::cents(100)));
        records.push_back(ti(ledger.DesigAcctNumber[f], Money::cents(100)));
    }
    replayJournal(ledger, records);
    RecomputeTotals(ledger);
    EXPECT_EQ(ledger.Summary[kInternalTransfers], Money::cents(3000));
    Money fundsReceived;
    for (int f = 1; f <= kLastWorkingRow; ++f) fundsReceived += ledger.DesigAmount[f][kReceivedInMonth];
    EXPECT_EQ(fundsReceived, ledger.Summary[kInternalTransfers]);
    EXPECT_EQ(ledger.TransferAcct[30], "11030");
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

TEST(Replay, JournalAmountsInOtherRenderings) {
    const std::vector<ActionRecord> records = {
        composeKeyedRecord("DP", "", " .5", ""),
        composeKeyedRecord("DP", "", "12.50", ""),
        composeKeyedRecord("DP", "", "       12.50", ""),
        composeKeyedRecord("DP", "", "-.25", ""),
    };
    EXPECT_EQ(replayed(records).Summary[kTotalReceipts], Money::cents(50 + 1250 + 1250 - 25));
}

}  // namespace
}  // namespace quorvel
