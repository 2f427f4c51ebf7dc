// The setup list: titles per occasion, reverse order for budget accounts, the 50-character line.
#include <gtest/gtest.h>

#include "setup/setup_list.h"

namespace quorvel {
namespace {

using Lines = std::vector<std::string>;

// `left` in positions 1-37, `amount` right-aligned in 38-49, `last` in 50.
std::string line(const std::string& left, const std::string& amount, char last = ' ') {
    return left + std::string(37 - left.size(), ' ') + std::string(12 - amount.size(), ' ') + amount + last;
}

AnnualSetup sample() {
    AnnualSetup setup;
    EXPECT_TRUE(setup.addBudgetAccount("300", "Three", Money::cents(30000), Money::cents(30000)).ok());
    EXPECT_TRUE(setup.addBudgetAccount("100", "One", Money::cents(120000), Money::cents(90000)).ok());
    EXPECT_TRUE(setup.addFund("Memorial", Money::cents(50050), seededRandom(1)).ok());
    EXPECT_TRUE(setup.addFund("Organ", Money(), seededRandom(2)).ok());
    return setup;
}

TEST(SetupListTest, EachOccasionHasItsTitleAndNumberForm) {
    const AnnualSetup setup = sample();
    const struct {
        SetupMode mode;
        ListOccasion occasion;
        Lines lines;
    } cases[] = {
        {SetupMode::Budget,
         ListOccasion::Added,
         {kBudgetTitle, line("300 Three", "300.00"), line("100 One", "900.00")}},
        {SetupMode::Budget,
         ListOccasion::Switched,
         {kBudgetTitle, line("300 Three", "300"), line("100 One", "900")}},
        {SetupMode::Budget,
         ListOccasion::Deleted,
         {kBudgetTitleAfterDelete, line("300 Three", "300"), line("100 One", "900")}},
        {SetupMode::Designated,
         ListOccasion::Added,
         {kFundTitle, line("Memorial", "500.50"), line("Organ", "0.00")}},
        {SetupMode::Designated,
         ListOccasion::Switched,
         {kFundTitle, line("Memorial", "500.5"), line("Organ", "0")}},
        {SetupMode::Designated,
         ListOccasion::Deleted,
         {kFundTitleAfterDelete, line("Memorial", "500.5"), line("Organ", "0")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.front());
        EXPECT_EQ(setupListLines(setup.tables(), c.mode, c.occasion), c.lines);
    }
}

TEST(SetupListTest, NoEntriesShowNothingUntilSomethingIsDeleted) {
    AnnualSetup setup;
    for (SetupMode mode : {SetupMode::Budget, SetupMode::Designated}) {
        EXPECT_TRUE(setupListLines(setup.tables(), mode, ListOccasion::Switched).empty());
    }
    ASSERT_TRUE(setup.addBudgetAccount("101", "Rent", Money(), Money()).ok());
    ASSERT_TRUE(setup.deleteLine(SetupMode::Budget, 1).ok());
    EXPECT_EQ(setupListLines(setup.tables(), SetupMode::Budget, ListOccasion::Deleted),
              Lines{kBudgetTitleAfterDelete});
}

TEST(SetupListTest, ALongNameIsOverwrittenByTheAmountAndCutAtTheLineEnd) {
    const std::string name = "Building and Grounds Maintenance, Major Repairs Reserve";  // 55 characters
    AnnualSetup setup;
    ASSERT_TRUE(setup.addBudgetAccount("410", name, Money::cents(123456789), Money::cents(123456789)).ok());
    ASSERT_TRUE(setup.addFund(name, Money::cents(-2500), seededRandom(1)).ok());
    const Lines budget = setupListLines(setup.tables(), SetupMode::Budget, ListOccasion::Added);
    ASSERT_EQ(budget.size(), 2u);
    EXPECT_EQ(budget[1], line("410 " + name.substr(0, 33), "1234567.89", name[45]));
    const Lines funds = setupListLines(setup.tables(), SetupMode::Designated, ListOccasion::Switched);
    ASSERT_EQ(funds.size(), 2u);
    EXPECT_EQ(funds[1], line(name.substr(0, 37), "-25", name[49]));
}

}  // namespace
}  // namespace quorvel
