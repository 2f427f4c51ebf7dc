#include <gtest/gtest.h>

#include <deque>
#include <tuple>

#include "core/sample_month.h"
#include "ledger/account_table.h"
#include "ledger/ledger_routines.h"
#include "ledger/replay.h"

namespace quorvel {
namespace {

TEST(RecomputeTotals, SummaryIdentitiesHold) {
    Ledger l = test::sampleLedger();
    l.Summary[kTotalReceipts] = Money::cents(100000);
    l.DesigAmount[1][kReceivedInMonth] = Money::cents(7000);
    l.DesigAmount[2][kSpentFromFund] = Money::cents(333);
    l.BudgetAmount[1][kSpentInMonth] = Money::cents(1111);
    l.SourceAmount[1] = Money::cents(2500);
    l.SourceAmount[50] = Money::cents(1);
    l.TransferAcct[1] = "01234";
    l.TransferAmount[1] = Money::cents(4000);
    l.TransferAmount[kTransferSlots] = Money::cents(1);
    l.DesigAcctName[40] = " x";  // a leading blank still counts as in use
    l.DesigAcctName[41] = " ";
    RecomputeTotals(l);
    const auto& s = l.Summary;
    EXPECT_EQ(l.SourceAmount[0], Money::cents(2501));
    EXPECT_EQ(s[kInternalTransfers], Money::cents(4001));
    EXPECT_EQ(s[kUndesignatedReceipts], Money::cents(100000 - 7000 + 4001 - 2501));
    EXPECT_EQ(s[kTotalExpenditures], Money::cents(333 + 1111));
    EXPECT_EQ(s[kRemainingBalance],
              s[kBeginningBalance] + s[kTotalReceipts] - s[kTotalExpenditures] + s[kInternalTransfers]);
    EXPECT_EQ(s[kDesignatedAtFirst], Money::cents(50050));
    EXPECT_EQ(l.BudgetAmount[1][kRemaining], Money::cents(120000 - 30050));
    EXPECT_EQ(l.DesigCount, 40);  // the highest named row
}

TEST(ClearLedger, EmptiesTheTablesButKeepsIdsSlotsAndWorkRow) {
    Ledger l = test::sampleLedger();
    l.TransferAcct[1] = "01234";
    l.BudgetAcctName[0] = "holding";
    l.CurrentFile = "x.rep";
    ClearLedger(l);
    EXPECT_TRUE(l.BudgetAcctName[1].empty());
    EXPECT_EQ(l.SourceId[1], "11111");
    EXPECT_EQ(l.TransferAcct[1], "01234");
    EXPECT_EQ(l.BudgetAcctName[0], "holding");
    EXPECT_EQ(l.CurrentFile, "x.rep");
    EXPECT_EQ(l.BudgetCount, 0);
    EXPECT_TRUE(l.Summary[kBeginningBalance].isZero());
}

// Rows are ordered by the bytes of their numbers, every column moving with its row; row 100
// is left alone.
TEST(SortBudgetAccounts, OrdersByNumberMovingEveryColumn) {
    Ledger l;
    const char* numbers[] = {"300", "20", "099"};
    for (int i = 1; i <= 3; ++i) {
        l.BudgetAcctNumber[i] = numbers[i - 1];
        l.BudgetAcctName[i] = std::string("Account ") + numbers[i - 1];
        for (int c = 0; c <= 4; ++c) l.BudgetAmount[i][c] = Money::cents(std::stoi(numbers[i - 1]) * 10 + c);
    }
    l.BudgetAcctNumber[100] = "001";
    Ledger sorted = l;
    SortBudgetAccounts(sorted);
    EXPECT_EQ(sorted.BudgetCount, 3);
    for (const auto& [to, from] : {std::pair(1, 3), std::pair(2, 2), std::pair(3, 1)}) {
        EXPECT_EQ(sorted.BudgetAcctName[to], l.BudgetAcctName[from]);
        EXPECT_EQ(sorted.BudgetAmount[to], l.BudgetAmount[from]);
    }
    EXPECT_EQ(sorted.BudgetAcctNumber[100], "001");
    EXPECT_FALSE(sorted.BudgetAcctNumber[0].empty());  // the holding row keeps the last row moved

    Ledger single;
    single.BudgetAcctName[1] = "Only";
    single.BudgetCount = 7;
    SortBudgetAccounts(single);
    EXPECT_EQ(single.BudgetCount, 7);  // nothing to sort, nothing changed
}

TEST(NewAccountId, SkipsIdsInUseAndPadsToFiveDigits) {
    Ledger l = test::sampleLedger();  // uses 01234, 20000 and source 11111
    std::deque<int> draws = {1234, 20000, 11111, 42};
    std::vector<int> bounds;
    const RandomBelow scripted = [&](int bound) {
        bounds.push_back(bound);
        const int value = draws.front();
        draws.pop_front();
        return value;
    };
    EXPECT_EQ(NewAccountId(l, scripted), "00042");
    EXPECT_EQ(bounds, std::vector<int>(4, 30000));
}

// Rows 1..5 of both tables hold values naming their row in every column; `from` says whose
// values each row holds after the operation on one table (0: an empty row). The other table stays.
TEST(AccountTable, RowOperationsMoveEveryColumn) {
    struct Case {
        const char* what;
        void (*op)(AccountTable&);
        std::array<int, 6> from;
    };
    const Case cases[] = {
        {"copy", [](AccountTable& t) { t.copyRow(2, 4); }, {0, 1, 4, 3, 4, 5}},
        {"clear", [](AccountTable& t) { t.clearRow(3); }, {0, 1, 2, 0, 4, 5}},
        {"carry up", [](AccountTable& t) { t.carryRow(4, 2); }, {0, 1, 4, 2, 3, 5}},
        {"carry down", [](AccountTable& t) { t.carryRow(2, 4); }, {0, 1, 3, 4, 2, 5}},
        {"delete", [](AccountTable& t) { t.deleteRow(2, 5); }, {0, 1, 3, 4, 5, 0}},
    };
    auto rowOf = [](const Ledger& l, bool budget, int r) {
        return budget ? std::tuple(l.BudgetAcctNumber[r], l.BudgetAcctName[r], l.BudgetAmount[r])
                      : std::tuple(l.DesigAcctNumber[r], l.DesigAcctName[r], l.DesigAmount[r]);
    };
    Ledger filled;
    for (int r = 1; r <= 5; ++r) {
        for (int c = 0; c <= 4; ++c) filled.BudgetAmount[r][c] = Money::cents(10 * r + c);
        filled.DesigAmount[r] = filled.BudgetAmount[r];
        filled.BudgetAcctNumber[r] = filled.DesigAcctNumber[r] = std::to_string(r);
        filled.BudgetAcctName[r] = filled.DesigAcctName[r] = "row " + std::to_string(r);
    }
    const Ledger empty;
    for (const Case& c : cases) {
        for (bool budget : {true, false}) {
            Ledger l = filled;
            AccountTable table = budget ? budgetTable(l) : fundTable(l);
            c.op(table);
            for (int r = 1; r <= 5; ++r) {
                const int from = c.from[r];
                EXPECT_EQ(rowOf(l, budget, r), from ? rowOf(filled, budget, from) : rowOf(empty, budget, r))
                    << c.what << " row " << r;
                EXPECT_EQ(rowOf(l, !budget, r), rowOf(filled, !budget, r)) << c.what << " row " << r;
            }
        }
    }
}

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
    EXPECT_EQ(l.DesigAmount[1][kSpentFromFund], a);
    EXPECT_EQ(l.DesigAmount[1][kFundRemaining], Money::cents(50000) - a);
    EXPECT_EQ(l.DesigAmount[2][kReceivedInMonth], a);
    EXPECT_EQ(l.DesigAmount[2][kFundRemaining], Money::cents(50) + a);
    EXPECT_EQ(l.SourceAmount[1], a);
    EXPECT_EQ(l.Summary[kTotalReceipts], Money::cents(10000));
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

// A transfer moves budget spending into a fund: no receipt, no change of cash. Transfers into one
// fund share its slot.
TEST(Replay, TransfersMoveBudgetSpendingIntoOneSlotPerFund) {
    const Ledger base = replayed({});
    const Ledger l =
        replayed({to("101", Money::cents(100)), ti("01234", Money::cents(100)), to("102", Money::cents(250)),
                  ti("01234", Money::cents(250)), to("101", Money::cents(5)), ti("20000", Money::cents(5))});
    EXPECT_EQ(l.Summary[kBudgetExpenditures], base.Summary[kBudgetExpenditures] + Money::cents(355));
    EXPECT_EQ(l.Summary[kInternalTransfers], Money::cents(355));
    EXPECT_EQ(l.Summary[kRemainingBalance], base.Summary[kRemainingBalance]);
    EXPECT_EQ(l.Summary[kUndesignatedReceipts], base.Summary[kUndesignatedReceipts]);
    EXPECT_EQ(l.TransferAcct[1], "01234");
    EXPECT_EQ(l.TransferAmount[1], Money::cents(350));
    EXPECT_EQ(l.TransferAcct[2], "20000");
    EXPECT_EQ(l.TransferAmount[2], Money::cents(5));
}

// Every row filled, with numbers five apart so that many share a place in the lookup: each must
// still reach its own row, and every fund receiving a transfer gets a slot of its own.
TEST(Replay, EveryRowOfFullTablesIsChargedAndADuplicateNumberTheHigherRow) {
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

    // A number held by two rows charges the higher one.
    ledger.BudgetAcctNumber[2] = ledger.BudgetAcctNumber[1];
    ledger.DesigAcctNumber[2] = ledger.DesigAcctNumber[1];
    const Ledger d =
        replayed({bx("105", Money::cents(100)), keyed("DX", "11005", Money::cents(100))}, ledger);
    EXPECT_TRUE(d.BudgetAmount[1][kSpentInMonth].isZero());
    EXPECT_EQ(d.BudgetAmount[2][kSpentInMonth], Money::cents(100));
    EXPECT_EQ(d.DesigAmount[2][kSpentFromFund], Money::cents(100));
}

}  // namespace
}  // namespace quorvel
