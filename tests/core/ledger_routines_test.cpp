#include <gtest/gtest.h>

#include <deque>

#include "core/sample_month.h"
#include "ledger/ledger_routines.h"

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
    EXPECT_EQ(l.DesigCount, 2);
}

TEST(RecomputeTotals, DesigCountFollowsTheHighestNamedRow) {
    Ledger l = test::sampleLedger();
    l.DesigAcctName[40] = " x";  // a leading blank still counts as in use
    l.DesigAcctName[41] = " ";
    RecomputeTotals(l);
    EXPECT_EQ(l.DesigCount, 40);
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

}  // namespace
}  // namespace quorvel
