#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "review/fund_adjustment.h"

namespace quorvel {
namespace {

using test::keyed;
using test::readFile;

// Five funds "Fund 1".."Fund 5" (numbers 10001..10005, balances 10.00..50.00) and one account.
Ledger fundMonth(int funds = 5) {
    Ledger l;
    ClearLedger(l);
    l.BudgetAcctNumber[1] = "101";
    l.BudgetAcctName[1] = "Salaries";
    for (int f = 1; f <= funds; ++f) {
        l.DesigAcctNumber[f] = std::to_string(10000 + f);
        l.DesigAcctName[f] = "Fund " + std::to_string(f);
        l.DesigAmount[f][kAtFirstOfMonth] = Money::cents(1000 * f);
        l.DesigAmount[f][kFundRemaining] = Money::cents(1000 * f);
    }
    l.BudgetCount = 1;
    l.DesigCount = funds;
    return l;
}

class FundAdjustmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        open(fundMonth(), {keyed("DD", "10002", Money::cents(300)), keyed("DX", "10003", Money::cents(125))});
    }

    void open(const Ledger& month, const std::vector<ActionRecord>& records = {}) {
        path = folder.path("APR" + std::to_string(++opened) + ".rep");  // each with a journal of its own
        test::writeMonth(month, path, records);
        ASSERT_TRUE(LoadMonthFile(ledger, journal, path).ok());
    }
    std::vector<std::string> numbers() const {
        return std::vector<std::string>(ledger.DesigAcctNumber.begin() + 1,
                                        ledger.DesigAcctNumber.begin() + 1 + ledger.DesigCount);
    }

    test::TestFolder folder;
    int opened = 0;
    std::string path;
    Ledger ledger;
    Journal journal;
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

TEST_F(FundAdjustmentTest, OnlyAFundWhoseAmountsAddUpToZeroCanBeDeleted) {
    const struct {
        long long first, designated, expended, remaining;
        bool deletable;
    } cases[] = {
        {0, 0, 0, 0, true},
        {-500, 500, 0, 0, true},
        {1000, 0, 1000, 0, false},
        {0, 0, 0, 1, false},
    };
    for (const auto& c : cases) {
        ledger.DesigAmount[1] = {Money(), Money::cents(c.first), Money::cents(c.designated),
                                 Money::cents(c.expended), Money::cents(c.remaining)};
        EXPECT_EQ(fundDeletion(ledger, journal, 1).ok(), c.deletable)
            << c.first << " " << c.designated << " " << c.expended;
    }
    EXPECT_TRUE(fundDeletion(ledger, journal, 6).ok());  // the row a new fund takes
}

// A transfer into a fund whose amounts cancel out would stay spent but no longer received.
TEST_F(FundAdjustmentTest, AFundWithActionsThisMonthIsNotDeleted) {
    Ledger month = fundMonth(3);
    month.DesigAmount[2][kAtFirstOfMonth] = Money::cents(-500);
    month.DesigAmount[2][kFundRemaining] = Money::cents(-500);
    open(month, {test::to("101", Money::cents(500)), composeKeyedRecord("TI", "10002", "5.00", "")});
    EXPECT_EQ(fundDeletion(ledger, journal, 2).message(), kFundHasActions);  // not even offered
    EXPECT_EQ(deleteFund(ledger, journal, 2).message(), kFundHasActions);
}

TEST_F(FundAdjustmentTest, ANewFundTakesTheRowAfterTheLastAndAChangedOneKeepsItsNumberAndMonth) {
    ASSERT_TRUE(changeFund(ledger, journal, 6, {"Youth Camp", "50.00"}, random).ok());
    EXPECT_EQ(ledger.DesigAcctName[6], "Youth Camp");
    EXPECT_EQ(ledger.DesigAcctNumber[6], "02289");  // the seeded number
    EXPECT_EQ(ledger.DesigAmount[6][kFundRemaining], Money::cents(5000));
    EXPECT_EQ(journal.recordCount(), 2);  // no record announces it

    ASSERT_TRUE(changeFund(ledger, journal, 2, {" Organ Repair ", "1,250.00"}, random).ok());
    EXPECT_EQ(ledger.DesigAcctNumber[2], "10002");
    EXPECT_EQ(ledger.DesigAcctName[2], "Organ Repair");
    EXPECT_EQ(ledger.DesigAmount[2][kFundRemaining], Money::cents(125300));
    ASSERT_TRUE(changeFund(ledger, journal, 3, {"Fund 3", "100.00"}, random).ok());
    // The new balance less this month's spending.
    EXPECT_EQ(ledger.DesigAmount[3][kFundRemaining], Money::cents(10000 - 125));
}

// One row per refusal; that a refusal changes nothing is the model test's.
TEST_F(FundAdjustmentTest, RefusalMessages) {
    const struct {
        FundEdit edit;
        const char* reason;
    } cases[] = {
        {{" ", "1"}, kFundNameNeeded},        {{"The \"Best\" Fund", "1"}, "double quote"},
        {{"Big", "123456789"}, "too large"},  {{"Big", "1e3"}, "not an amount"},
        {{" fUND 3", "1"}, "already exists"},  // another fund's name in any letter case
    };
    for (const auto& c : cases) {
        const std::string message = changeFund(ledger, journal, 2, c.edit, random).message();
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
    EXPECT_EQ(deleteFund(ledger, journal, 2).message(), kFundNotEmpty);
}

// Two funds of one name, as an older file may hold them, can still have their balances set.
TEST_F(FundAdjustmentTest, AFundKeepingItsNameIsNoNewDuplicate) {
    ledger.DesigAcctName[3] = ledger.DesigAcctName[2];
    EXPECT_TRUE(changeFund(ledger, journal, 2, {ledger.DesigAcctName[2], "5"}, random).ok());
    EXPECT_NE(
        changeFund(ledger, journal, 4, {ledger.DesigAcctName[2], "5"}, random).message().find("already"),
        std::string::npos);
}

TEST_F(FundAdjustmentTest, MoveToTopCarriesTheFundsRecordsAndIgnoresTheNewFundRow) {
    const std::string before = readFile(path);
    ASSERT_TRUE(moveFundToTop(ledger, journal, 6).ok());
    EXPECT_EQ(readFile(path), before);
    ASSERT_TRUE(moveFundToTop(ledger, journal, 3).ok());
    EXPECT_EQ(numbers(), (std::vector<std::string>{"10003", "10001", "10002", "10004", "10005"}));
    EXPECT_EQ(ledger.DesigAmount[1][kAtFirstOfMonth], Money::cents(3000));
    EXPECT_EQ(ledger.DesigAmount[1][kSpentFromFund], Money::cents(125));  // its records follow its number
    EXPECT_EQ(ledger.DesigAmount[3][kReceivedInMonth], Money::cents(300));
}

TEST_F(FundAdjustmentTest, DeletingTheSecondOfThreeFunds) {
    Ledger month = fundMonth(3);
    month.DesigAmount[2] = AmountRow{};
    open(month);
    ASSERT_TRUE(deleteFund(ledger, journal, 2).ok());
    Ledger expected = fundMonth(2);
    expected.DesigAcctNumber[2] = "10003";
    expected.DesigAcctName[2] = "Fund 3";
    expected.DesigAmount[2] = fundMonth(3).DesigAmount[3];
    RecomputeTotals(expected);
    EXPECT_EQ(ledger.DesigCount, 2);
    EXPECT_EQ(ledger.DesigAcctNumber, expected.DesigAcctNumber);
    EXPECT_EQ(ledger.DesigAcctName, expected.DesigAcctName);
    EXPECT_EQ(ledger.DesigAmount, expected.DesigAmount);
}

}  // namespace
}  // namespace quorvel
