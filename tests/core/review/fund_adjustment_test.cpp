#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "core/open_month.h"
#include "ledger/ledger_routines.h"
#include "review/fund_adjustment.h"
#include "review/fund_order.h"

namespace quorvel {
namespace {

using test::keyed;
using test::readFile;

// Funds "Fund 1".."Fund n" (numbers 10001.., fund n holding n times 10.00), five unless told, and one
// budget account. The fund order tests use it too: a fund's number names where it started.
Ledger fundMonth(int funds = 5) {
    Ledger l;
    ClearLedger(l);
    l.BudgetAcctNumber[1] = "101";
    l.BudgetAcctName[1] = "Salaries";
    for (int f = 1; f <= funds; ++f) {
        l.DesigAcctNumber[f] = std::to_string(10000 + f);
        l.DesigAcctName[f] = "Fund " + std::to_string(f);
        l.DesigAmount[f][kAtFirstOfMonth] = l.DesigAmount[f][kFundRemaining] = Money::cents(1000 * f);
    }
    l.BudgetCount = 1;
    l.DesigCount = funds;
    return l;
}

class FundAdjustmentTest : public test::OpenMonthTest {
protected:
    void SetUp() override {
        open(fundMonth(), {keyed("DD", "10002", Money::cents(300)), keyed("DX", "10003", Money::cents(125)),
                           keyed("DD", "10003", Money::cents(50)), test::to("101", Money::cents(500)),
                           keyed("TI", "10005", Money::cents(500))});
    }

    RandomBelow random = seededRandom(7);
};

TEST_F(FundAdjustmentTest, ListingLeadsEveryLineToItsOwnRowAcrossAGap) {
    ledger.DesigAcctName[2] = "Memorial Fund";
    ledger.DesigAcctName[4] = "A very long fund name that runs past forty characters";
    ledger.DesigAmount[4] = {Money(), -Money::cents(500), Money::cents(500), Money(), Money()};
    ledger.DesigAcctName[3] = "";              // a row without a name between named ones
    ledger.DesigAcctName[0] = "The work row";  // never a fund
    const PickList list = fundAdjustList(ledger);
    EXPECT_EQ(list.lines[0], kFundAdjustHeading);
    EXPECT_EQ(list.lines[1], kFundAdjustHeading2);
    EXPECT_EQ(list.lines[3],
              "Memorial Fund                                 20.00         3.00         0.00        23.00");
    // A name past 39 characters is covered by the first amount.
    EXPECT_EQ(list.lines[4],
              "A very long fund name that runs past fo       -5.00r        5.00         0.00         0.00");
    EXPECT_EQ(list.lines.back(), kCreateFundLine);
    EXPECT_EQ(list.rows, (std::vector<int>{0, 0, 1, 2, 4, 5, 6}));
    EXPECT_EQ(list.newLine, 6);
}

// A fund this month spends from or transfers into would leave that spent but no longer received,
// even when its amounts cancel out; a designation only falls back to the undesignated money.
TEST_F(FundAdjustmentTest, OnlyAFundWhoseAmountsAddUpToZeroAndNoActionsCanBeDeleted) {
    // clang-format off
    // row, at first of month, designated, expended, remaining, the refusal ("" when it can go)
    const std::tuple<int, long long, long long, long long, long long, std::string> cases[] = {
        {1, 0, 0, 0, 0, ""}, {1, -500, 500, 0, 0, ""}, {1, 1000, 0, 1000, 0, kFundNotEmpty},
        {1, 0, 0, 0, 1, kFundNotEmpty}, {2, -300, 300, 0, 0, ""}, {3, -125, 0, 125, 0, kFundHasActions},
        {5, -500, 500, 0, 0, kFundHasActions}, {6, 0, 0, 0, 0, ""},  // the row a new fund takes
    };
    // clang-format on
    for (const auto& [row, first, designated, expended, remaining, refusal] : cases) {
        ledger.DesigAmount[row] = {Money(), Money::cents(first), Money::cents(designated),
                                   Money::cents(expended), Money::cents(remaining)};
        EXPECT_EQ(fundDeletion(ledger, journal, row).message(), refusal) << row << ": " << first;
        if (!refusal.empty()) {
            EXPECT_EQ(deleteFund(ledger, journal, row).message(), refusal) << row;
        }
    }
}

// A new fund takes the row after the last, a changed one keeps its number and month; one row per
// refusal, as that a refusal changes nothing is the model test's.
TEST_F(FundAdjustmentTest, ChangesMakeANewFundOrKeepNumberAndMonthAndRefusalsSayWhy) {
    ASSERT_TRUE(changeFund(ledger, journal, 6, {"Youth Camp", "50.00"}, random).ok());
    EXPECT_EQ(ledger.DesigAcctName[6], "Youth Camp");
    EXPECT_EQ(ledger.DesigAcctNumber[6], "02289");  // the seeded number
    EXPECT_EQ(ledger.DesigAmount[6][kFundRemaining], Money::cents(5000));
    EXPECT_EQ(journal.recordCount(), 5);  // no record announces it

    ASSERT_TRUE(changeFund(ledger, journal, 2, {" Organ Repair ", "1,250.00"}, random).ok());
    EXPECT_EQ(ledger.DesigAcctNumber[2], "10002");
    EXPECT_EQ(ledger.DesigAcctName[2], "Organ Repair");
    EXPECT_EQ(ledger.DesigAmount[2][kFundRemaining], Money::cents(125300));
    ASSERT_TRUE(changeFund(ledger, journal, 3, {"Fund 3", "100.00"}, random).ok());
    // The new balance with this month's receipts less its spending, as the file holds it: a load
    // recomputes the remaining column, so only the bytes show what the change wrote. A row of the
    // file's first line gives the budget's and the fund's four columns in turn, then the fund's name.
    EXPECT_TRUE(test::holds(readFile(path), ",0,100,0,.5,0,1.25,0,99.25,\"Fund 3\","));

    const std::tuple<int, FundEdit, const char*> cases[] = {
        {2, {" ", "1"}, kFundNameNeeded},        {2, {"The \"Best\" Fund", "1"}, "double quote"},
        {2, {"Big", "123456789"}, "too large"},  {2, {"Big", "1e3"}, "not an amount"},
        {2, {" fUND 3", "1"}, "already exists"},  // another fund's name in any letter case
        {2, {"Fund 4", "1"}, "already exists"},   // a name that two funds hold
    };
    ledger.DesigAcctName[5] = "Fund 4";
    for (const auto& [row, edit, reason] : cases)
        EXPECT_TRUE(test::holds(changeFund(ledger, journal, row, edit, random).message(), reason));
    // Two funds of one name, as an older file may hold them, can still have their balances set.
    const Status kept = changeFund(ledger, journal, 4, {"Fund 4", "5"}, random);
    EXPECT_TRUE(kept.ok()) << kept.message();
}

TEST_F(FundAdjustmentTest, MovingToTopAndDeletingCarryEachFundsRowAndRecords) {
    const std::string before = readFile(path);
    ASSERT_TRUE(moveFundToTop(ledger, journal, 6).ok());
    EXPECT_EQ(readFile(path), before);
    ASSERT_TRUE(moveFundToTop(ledger, journal, 3).ok());
    EXPECT_EQ(std::vector(ledger.DesigAcctNumber.begin(), ledger.DesigAcctNumber.begin() + 7),
              (std::vector<std::string>{"", "10003", "10001", "10002", "10004", "10005", ""}));
    EXPECT_EQ(ledger.DesigAmount[1][kAtFirstOfMonth], Money::cents(3000));

    // An emptied fund deleted, the funds below move up a row with their names and amounts.
    ledger.DesigAmount[4] = AmountRow{};
    const AmountRow fifth = ledger.DesigAmount[5];
    ASSERT_TRUE(deleteFund(ledger, journal, 4).ok());
    EXPECT_EQ(std::vector(ledger.DesigAcctNumber.begin(), ledger.DesigAcctNumber.begin() + 6),
              (std::vector<std::string>{"", "10003", "10001", "10002", "10005", ""}));
    EXPECT_EQ(
        std::tie(ledger.DesigCount, ledger.DesigAcctName[4], ledger.DesigAmount[4], ledger.DesigAmount[5]),
        std::make_tuple(4, "Fund 5", fifth, AmountRow{}));
}

// The funds' original numbers (1..n) in row order, checked to have travelled with name and amounts.
std::vector<int> order(const Ledger& l) {
    std::vector<int> all;
    for (int row = 1; row <= l.DesigCount; ++row) {
        const int f = std::stoi(l.DesigAcctNumber[row]) - 10000;
        EXPECT_EQ(l.DesigAcctName[row], "Fund " + std::to_string(f));
        EXPECT_EQ(l.DesigAmount[row][kFundRemaining], Money::cents(1000 * f));
        all.push_back(f);
    }
    return all;
}

// Each move and its limits; the full view numbers every row, one without a name too; the place view
// shows fifteen around the moved one.
TEST(FundOrder, EachMoveWithItsLimitsAndTheViewsNumberTheRows) {
    const std::tuple<int, FundMove, int, std::vector<int>> moves[] = {
        {4, FundMove::ToTop, 1, {4, 1, 2, 3, 5}},   {3, FundMove::UpOne, 2, {1, 3, 2, 4, 5}},
        {3, FundMove::DownOne, 4, {1, 2, 4, 3, 5}}, {2, FundMove::ToBottom, 5, {1, 3, 4, 5, 2}},
        {1, FundMove::UpOne, 1, {1, 2, 3, 4, 5}},   {1, FundMove::ToTop, 1, {1, 2, 3, 4, 5}},
        {5, FundMove::DownOne, 5, {1, 2, 3, 4, 5}}, {5, FundMove::ToBottom, 5, {1, 2, 3, 4, 5}},
    };
    for (const auto& [row, move, newRow, expected] : moves) {
        SCOPED_TRACE(::testing::Message() << "row " << row << ", move " << static_cast<int>(move));
        Ledger l = fundMonth();
        EXPECT_EQ(moveFund(l, row, move), newRow);
        EXPECT_EQ(order(l), expected);
        EXPECT_EQ(l.DesigAcctName[6], "");  // nothing spills past the last fund
    }
    Ledger l = fundMonth(30);
    l.DesigAcctName[3] = "";
    std::vector<std::string> full = {"     - ordered list of designated funds -"};
    for (int f = 1; f <= 30; ++f)
        full.push_back((f < 10 ? " " : "") + std::to_string(f) + "   " + l.DesigAcctName[f]);
    EXPECT_EQ(fundOrderLines(l), full);
    const std::tuple<int, int, int> cases[] = {
        {20, 13, 27}, {1, 1, 15}, {30, 23, 30}, {8, 1, 15}, {9, 2, 16}};
    for (const auto& [row, first, last] : cases) {
        const FundPlaceView view = fundPlaceView(l, row);
        std::vector<std::string> expected;
        for (int r = first; r <= last; ++r) {
            char number[16];
            std::snprintf(number, sizeof number, "     %2d    ", r);
            expected.push_back((r == row ? " " : std::string(number)) + l.DesigAcctName[r]);
        }
        EXPECT_EQ(std::tie(view.first, view.last, view.lines), std::tie(first, last, expected)) << row;
    }
}

}  // namespace
}  // namespace quorvel
