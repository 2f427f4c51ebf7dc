// The entries of a year set up from nothing: number order, the limits, the refusals, deleting.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "ledger/budget_number.h"
#include "setup/annual_setup.h"

namespace quorvel {
namespace {

// A generator that gives the numbers it was handed, in order.
RandomBelow scripted(std::initializer_list<int> numbers) {
    auto queue = std::make_shared<std::deque<int>>(numbers);
    return [queue](int) {
        const int n = queue->front();
        queue->pop_front();
        return n;
    };
}

using Strings = std::vector<std::string>;

// Rows 1 to `rows` of a table.
template <typename Table>
auto head(const Table& table, int rows) {
    return std::vector(table.begin() + 1, table.begin() + 1 + rows);
}

std::string numberOf(int n) { return std::string(3 - std::to_string(n).size(), '0') + std::to_string(n); }

// Only numbers an expenditure and a transfer can find are taken; "" means refused.
TEST(AccountNumberTest, OnlyChargeableNumbersArePaddedToThreeDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "007"}, {"  42 ", "042"}, {"999", "999"}, {"001", "001"}, {"", ""},    {"   ", ""},
        {"000", ""},  {"1234", ""},     {"abc", ""},    {"7.0", ""},    {"-12", ""}, {"1 2", ""},
    };
    for (const auto& [typed, padded] : cases) {
        const auto number = chargeableNumber(typed);
        EXPECT_EQ(number ? *number : "", padded) << '"' << typed << '"';
    }
}

TEST(AnnualSetupTest, WhatIsNotAvailableCountsAsSpentBeforeTheSetup) {
    const struct {
        Money budget, balance, spent;
    } cases[] = {
        {Money::cents(120000), Money::cents(90000), Money::cents(30000)},
        {Money::cents(10000), Money::cents(15000), Money::cents(-5000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.balance.format00());
        AnnualSetup setup;
        ASSERT_TRUE(setup.addBudgetAccount("101", "Rent", c.budget, c.balance).ok());
        const AmountRow& row = setup.tables().BudgetAmount[1];
        EXPECT_EQ(row[kBudgeted], c.budget);
        EXPECT_EQ(row[kSpentInYear], c.spent);
        EXPECT_TRUE(row[kSpentInMonth].isZero());
        EXPECT_EQ(row[kRemaining], c.balance);
    }
}

TEST(AnnualSetupTest, AccountsAreStoredInNumberOrderAndDeletedByLine) {
    AnnualSetup setup;
    ASSERT_TRUE(setup.addBudgetAccount("300", "Three", Money::cents(30000), Money::cents(30000)).ok());
    ASSERT_TRUE(setup.addBudgetAccount("100", "One", Money::cents(10000), Money::cents(9000)).ok());
    ASSERT_TRUE(setup.addBudgetAccount("200", "Two", Money::cents(20000), Money::cents(5000)).ok());
    const Ledger& t = setup.tables();
    EXPECT_EQ(t.BudgetCount, 3);
    EXPECT_EQ(head(t.BudgetAcctNumber, 4), (Strings{"100", "200", "300", ""}));
    EXPECT_EQ(head(t.BudgetAcctName, 3), (Strings{"One", "Two", "Three"}));
    EXPECT_EQ(t.BudgetAmount[2][kRemaining], Money::cents(5000));
    const AmountRow three = t.BudgetAmount[3];

    // The list runs 300, 200, 100 under its title: line 2 is 200, and line 1 the highest number.
    ASSERT_TRUE(setup.deleteLine(SetupMode::Budget, 2).ok());
    EXPECT_EQ(t.BudgetCount, 2);
    EXPECT_EQ(head(t.BudgetAcctNumber, 3), (Strings{"100", "300", ""}));
    EXPECT_EQ(head(t.BudgetAcctName, 3), (Strings{"One", "Three", ""}));
    EXPECT_EQ(head(t.BudgetAmount, 3), (std::vector<AmountRow>{t.BudgetAmount[1], three, {}}));
    ASSERT_TRUE(setup.deleteLine(SetupMode::Budget, 1).ok());
    EXPECT_EQ(head(t.BudgetAcctName, 2), (Strings{"One", ""}));
}

TEST(AnnualSetupTest, AHundredAccountsInAnyOrderAreAllKeptInOrderAndNoMore) {
    AnnualSetup setup;
    // Entered from the highest number down, so every new account goes to the top, the last one from row 100.
    for (int n = 199; n >= 100; --n) {
        ASSERT_TRUE(
            setup.addBudgetAccount(numberOf(n), "Account " + numberOf(n), Money::cents(n), Money::cents(n))
                .ok())
            << n;
    }
    const Ledger before = setup.tables();
    EXPECT_EQ(before.BudgetCount, 100);
    for (int i = 1; i <= 100; ++i) EXPECT_EQ(before.BudgetAcctNumber[i], numberOf(99 + i)) << i;
    EXPECT_EQ(before.BudgetAcctName[100], "Account 199");
    const Status refused = setup.addBudgetAccount("050", "One too many", Money(), Money());
    EXPECT_EQ(refused.message(), kOutOfBudgetSpace);
    EXPECT_TRUE(setup.tables() == before);
}

TEST(AnnualSetupTest, RefusedEntriesAddNothing) {
    const struct {
        SetupMode mode;
        const char* number;
        const char* name;
        const char* message;  // the whole message, or a part of it
    } cases[] = {
        {SetupMode::Budget, "101", "Rent again", kDuplicateAccountNumber},
        {SetupMode::Budget, "7", "Same number", kDuplicateAccountNumber},
        {SetupMode::Budget, "7.0", "Not a number", "cannot be charged"},
        {SetupMode::Budget, "", "Never padded", "Type the account number"},
        {SetupMode::Designated, "", " MEMORIAL ", "already exists"},
        {SetupMode::Budget, "201", "Say \"when\"", "double quote"},
        {SetupMode::Budget, "201", "Tab\there", "control character"},
        {SetupMode::Budget, "201", "Bad \x81 byte", "cannot store"},
        {SetupMode::Budget, "201", " ", kNameNeeded},
        {SetupMode::Designated, "", "Say \"when\"", "double quote"},
        {SetupMode::Designated, "", " ", kNameNeeded},
    };
    AnnualSetup setup;
    ASSERT_TRUE(setup.addBudgetAccount("101", "Rent", Money::cents(100), Money::cents(100)).ok());
    ASSERT_TRUE(setup.addBudgetAccount("007", "Seven", Money::cents(100), Money::cents(100)).ok());
    ASSERT_TRUE(setup.addFund("Memorial", Money::cents(100), seededRandom(1)).ok());
    const Ledger before = setup.tables();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.number) + " " + c.name);
        const Status status =
            c.mode == SetupMode::Budget
                ? setup.addBudgetAccount(c.number, c.name, Money::cents(500), Money::cents(500))
                : setup.addFund(c.name, Money::cents(500), seededRandom(2));
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find(c.message), std::string::npos) << status.message();
        EXPECT_TRUE(setup.tables() == before);
    }
    // A number of another value is welcome.
    EXPECT_TRUE(setup.addBudgetAccount("070", "Seventy", Money(), Money()).ok());
}

TEST(AnnualSetupTest, FundsGetNewFiveDigitNumbersAndKeepTheirOrder) {
    AnnualSetup setup;
    // The second fund is offered the first one's number and must take another.
    const RandomBelow random = scripted({1234, 1234, 29999, 7});
    ASSERT_TRUE(setup.addFund("Memorial", Money::cents(50000), random).ok());
    ASSERT_TRUE(setup.addFund("Organ", Money::cents(25), random).ok());
    ASSERT_TRUE(setup.addFund("Youth", Money(), random).ok());
    const Ledger& t = setup.tables();
    EXPECT_EQ(t.DesigCount, 3);
    EXPECT_EQ(head(t.DesigAcctNumber, 4), (Strings{"01234", "29999", "00007", ""}));
    AmountRow organ{};
    organ[kAtFirstOfMonth] = Money::cents(25);
    organ[kFundRemaining] = Money::cents(25);
    EXPECT_EQ(t.DesigAmount[2], organ);

    ASSERT_TRUE(setup.deleteLine(SetupMode::Designated, 1).ok());
    EXPECT_EQ(t.DesigCount, 2);
    EXPECT_EQ(head(t.DesigAcctNumber, 3), (Strings{"29999", "00007", ""}));
    EXPECT_EQ(head(t.DesigAcctName, 3), (Strings{"Organ", "Youth", ""}));
    EXPECT_EQ(head(t.DesigAmount, 3), (std::vector<AmountRow>{organ, {}, {}}));
}

TEST(AnnualSetupTest, AHundredFundsAndNoMore) {
    AnnualSetup setup;
    for (int f = 1; f <= 100; ++f)
        ASSERT_TRUE(setup.addFund("Fund " + std::to_string(f), Money(), seededRandom(f)).ok());
    EXPECT_EQ(setup.addFund("One too many", Money(), seededRandom(0)).message(), kOutOfDesignatedSpace);
    EXPECT_EQ(setup.tables().DesigCount, 100);
    EXPECT_EQ(setup.tables().DesigAcctName[100], "Fund 100");
    EXPECT_TRUE(setup.tables().DesigAcctName[101].empty());
}

TEST(AnnualSetupTest, DeletingTheTitleOrNothingDeletesNothing) {
    AnnualSetup setup;
    ASSERT_TRUE(setup.addBudgetAccount("101", "Rent", Money(), Money()).ok());
    ASSERT_TRUE(setup.addBudgetAccount("102", "Heat", Money(), Money()).ok());
    ASSERT_TRUE(setup.addFund("Memorial", Money(), seededRandom(3)).ok());
    const Ledger before = setup.tables();
    for (SetupMode mode : {SetupMode::Budget, SetupMode::Designated}) {
        for (int line : {-1, 0, mode == SetupMode::Budget ? 3 : 2}) {
            EXPECT_EQ(setup.deleteLine(mode, line).message(), kNoLineSelected) << line;
        }
    }
    EXPECT_TRUE(setup.tables() == before);
}

}  // namespace
}  // namespace quorvel
