// A year set up from nothing: its entries (number order, the limits, the refusals, deleting),
// the setup list that shows them (titles per occasion, budget accounts in reverse, 50 columns),
// and its first month, written with the journal of that name.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/reload_check.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/budget_number.h"
#include "setup/first_month.h"
#include "setup/setup_list.h"

namespace quorvel {
namespace {

using test::readFile;
using Strings = std::vector<std::string>;

// A generator that gives the numbers it was handed, in order, across copies of itself.
RandomBelow scripted(std::vector<int> numbers) {
    return [numbers, next = std::make_shared<std::size_t>(0)](int) { return numbers.at((*next)++); };
}

// Rows 1 to `count` of the budget or funds table: number, name and the amounts of columns 1 to 4.
Strings rows(const Ledger& t, SetupMode mode, int count) {
    const bool budget = mode == SetupMode::Budget;
    Strings out;
    for (int i = 1; i <= count; ++i) {
        std::string row = budget ? t.BudgetAcctNumber[i] + " " + t.BudgetAcctName[i]
                                 : t.DesigAcctNumber[i] + " " + t.DesigAcctName[i];
        for (int j = 1; j <= 4; ++j) row += " " + (budget ? t.BudgetAmount : t.DesigAmount)[i][j].format00();
        out.push_back(row);
    }
    return out;
}
const std::string kEmptyRow = "  0.00 0.00 0.00 0.00";

// Only numbers an expenditure and a transfer can find are taken; "" means refused.
TEST(AccountNumberTest, OnlyChargeableNumbersArePaddedToThreeDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "007"}, {"  42 ", "042"}, {"999", "999"}, {"001", "001"}, {"", ""},    {"   ", ""},
        {"000", ""},  {"1234", ""},     {"abc", ""},    {"7.0", ""},    {"-12", ""}, {"1 2", ""},
    };
    for (const auto& [typed, padded] : cases)
        EXPECT_EQ(chargeableNumber(typed) ? *chargeableNumber(typed) : "", padded) << '"' << typed << '"';
}

TEST(AnnualSetupTest, AccountsAreStoredInNumberOrderAndDeletedByLine) {
    AnnualSetup setup;
    // What is not available counts as spent before the setup, less than nothing if more is.
    ASSERT_TRUE(setup.addBudgetAccount("300", "Three", Money::cents(30000), Money::cents(35000)).ok());
    ASSERT_TRUE(setup.addBudgetAccount("100", "One", Money::cents(10000), Money::cents(9000)).ok());
    ASSERT_TRUE(setup.addBudgetAccount("200", "Two", Money::cents(20000), Money::cents(5000)).ok());
    const Ledger& t = setup.tables();
    const std::string one = "100 One 100.00 10.00 0.00 90.00", three = "300 Three 300.00 -50.00 0.00 350.00";
    EXPECT_EQ(t.BudgetCount, 3);
    EXPECT_EQ(rows(t, SetupMode::Budget, 4),
              (Strings{one, "200 Two 200.00 150.00 0.00 50.00", three, kEmptyRow}));
    // The title, no selection and a line past the last delete nothing.
    const Ledger before = t;
    for (int line : {-1, 0, 4})
        EXPECT_EQ(setup.deleteLine(SetupMode::Budget, line).message(), kNoLineSelected);
    EXPECT_TRUE(t == before);

    // The list runs 300, 200, 100 under its title: line 2 is 200, and line 1 the highest number.
    ASSERT_TRUE(setup.deleteLine(SetupMode::Budget, 2).ok());
    EXPECT_EQ(t.BudgetCount, 2);
    EXPECT_EQ(rows(t, SetupMode::Budget, 3), (Strings{one, three, kEmptyRow}));
    ASSERT_TRUE(setup.deleteLine(SetupMode::Budget, 1).ok());
    EXPECT_EQ(rows(t, SetupMode::Budget, 2), (Strings{one, kEmptyRow}));
}

TEST(AnnualSetupTest, AHundredOfEachInAnyOrderAreAllKeptAndNoMore) {
    AnnualSetup setup;
    // From the highest number down, so every new account goes to the top, the last one from row 100.
    for (int n = 199; n >= 100; --n) {
        const std::string number = std::to_string(n);
        ASSERT_TRUE(setup.addBudgetAccount(number, "Account " + number, Money(), Money()).ok()) << n;
        ASSERT_TRUE(setup.addFund("Fund " + number, Money(), seededRandom(n)).ok()) << n;
    }
    const Ledger before = setup.tables();
    EXPECT_EQ(before.BudgetCount, 100);
    EXPECT_EQ(before.DesigCount, 100);
    for (int i = 1; i <= 100; ++i) EXPECT_EQ(before.BudgetAcctNumber[i], std::to_string(99 + i)) << i;
    EXPECT_EQ(before.BudgetAcctName[100], "Account 199");
    EXPECT_EQ(before.DesigAcctName[100], "Fund 100");
    EXPECT_EQ(setup.addBudgetAccount("050", "One too many", Money(), Money()).message(), kOutOfBudgetSpace);
    EXPECT_EQ(setup.addFund("One too many", Money(), seededRandom(0)).message(), kOutOfDesignatedSpace);
    EXPECT_TRUE(setup.tables() == before);
}

TEST(AnnualSetupTest, FundsGetNewFiveDigitNumbersAndRefusedEntriesAddNothing) {
    AnnualSetup setup;
    ASSERT_TRUE(setup.addBudgetAccount("101", "Rent", Money::cents(100), Money::cents(100)).ok());
    ASSERT_TRUE(setup.addBudgetAccount("007", "Seven", Money::cents(100), Money::cents(100)).ok());
    // The second fund is offered the first one's number and must take another.
    const RandomBelow random = scripted({1234, 1234, 29999, 7});
    ASSERT_TRUE(setup.addFund("Memorial", Money::cents(50000), random).ok());
    ASSERT_TRUE(setup.addFund("Organ", Money::cents(25), random).ok());
    ASSERT_TRUE(setup.addFund("Youth", Money(), random).ok());
    const Ledger& t = setup.tables();
    const std::string organ = "29999 Organ 0.25 0.00 0.00 0.25", youth = "00007 Youth 0.00 0.00 0.00 0.00";
    EXPECT_EQ(t.DesigCount, 3);
    EXPECT_EQ(rows(t, SetupMode::Designated, 4),
              (Strings{"01234 Memorial 500.00 0.00 0.00 500.00", organ, youth, kEmptyRow}));

    // mode, number, name, the whole message or a part of it
    const SetupMode budget = SetupMode::Budget, funds = SetupMode::Designated;
    // clang-format off
    const std::tuple<SetupMode, const char*, const char*, const char*> cases[] = {
        {budget, "101", "Rent again", kDuplicateAccountNumber},
        {budget, "7", "Same", kDuplicateAccountNumber}, {budget, "7.0", "Not a number", "cannot be charged"},
        {budget, "", "Never", "Type the account number"}, {funds, "", " MEMORIAL ", "already exists"},
        {budget, "201", "Say \"when\"", "double quote"}, {funds, "", "Say \"when\"", "double quote"},
        {budget, "201", " ", kNameNeeded}, {funds, "", " ", kNameNeeded},
        {budget, "201", "Tab\there", "may not contain a line break or control character."},
        {budget, "201", "Bad \x81 byte", "cannot store (Windows-1252 only)."}};
    // clang-format on
    const Ledger before = t;
    for (const auto& [mode, number, name, message] : cases) {
        const Status status = mode == SetupMode::Budget
                                  ? setup.addBudgetAccount(number, name, Money::cents(500), Money::cents(500))
                                  : setup.addFund(name, Money::cents(500), seededRandom(2));
        EXPECT_NE(status.message().find(message), std::string::npos) << name << ": " << status.message();
        EXPECT_TRUE(t == before) << name;
    }
    ASSERT_TRUE(setup.deleteLine(SetupMode::Designated, 1).ok());
    EXPECT_EQ(t.DesigCount, 2);
    EXPECT_EQ(rows(t, SetupMode::Designated, 3), (Strings{organ, youth, kEmptyRow}));
    // A number of another value is welcome.
    EXPECT_TRUE(setup.addBudgetAccount("070", "Seventy", Money(), Money()).ok());
}

// `left` in positions 1-37, `amount` right-aligned in 38-49, `last` in 50.
std::string line(const std::string& left, const std::string& amount, char last = ' ') {
    return left + std::string(37 - left.size(), ' ') + std::string(12 - amount.size(), ' ') + amount + last;
}

TEST(SetupListTest, EachOccasionHasItsTitleAndNumberFormAndLongNamesAreCut) {
    const SetupMode budget = SetupMode::Budget, funds = SetupMode::Designated;
    using enum ListOccasion;
    AnnualSetup setup;
    for (SetupMode mode : {budget, funds})
        EXPECT_TRUE(setupListLines(setup.tables(), mode, Switched).empty());
    ASSERT_TRUE(setup.addBudgetAccount("300", "Three", Money::cents(30000), Money::cents(30000)).ok());
    ASSERT_TRUE(setup.addBudgetAccount("100", "One", Money::cents(120000), Money::cents(90000)).ok());
    ASSERT_TRUE(setup.addFund("Memorial", Money::cents(50050), seededRandom(1)).ok());
    ASSERT_TRUE(setup.addFund("Organ", Money(), seededRandom(2)).ok());
    // clang-format off
    const std::tuple<SetupMode, ListOccasion, Strings> cases[] = {
        {budget, Added, {kBudgetTitle, line("300 Three", "300.00"), line("100 One", "900.00")}},
        {budget, Switched, {kBudgetTitle, line("300 Three", "300"), line("100 One", "900")}},
        {budget, Deleted, {kBudgetTitleAfterDelete, line("300 Three", "300"), line("100 One", "900")}},
        {funds, Added, {kFundTitle, line("Memorial", "500.50"), line("Organ", "0.00")}},
        {funds, Deleted, {kFundTitleAfterDelete, line("Memorial", "500.5"), line("Organ", "0")}},
    };
    // clang-format on
    for (const auto& [mode, occasion, lines] : cases)
        EXPECT_EQ(setupListLines(setup.tables(), mode, occasion), lines) << lines.front();

    // A long name is overwritten by the amount and cut at the line's end.
    const std::string name = "Building and Grounds Maintenance, Major Repairs Reserve";  // 55 characters
    ASSERT_TRUE(setup.addBudgetAccount("410", name, Money::cents(123456789), Money::cents(123456789)).ok());
    ASSERT_TRUE(setup.addFund(name, Money::cents(-2500), seededRandom(3)).ok());
    EXPECT_EQ(setupListLines(setup.tables(), budget, Added).at(1),
              line("410 " + name.substr(0, 33), "1234567.89", name[45]));
    EXPECT_EQ(setupListLines(setup.tables(), funds, Switched).at(3),
              line(name.substr(0, 37), "-25", name[49]));
    // With every entry deleted the title stays.
    for (int n = 3; n > 0; --n) ASSERT_TRUE(setup.deleteLine(budget, n).ok());
    EXPECT_EQ(setupListLines(setup.tables(), budget, Deleted), Strings{kBudgetTitleAfterDelete});
}

AnnualSetup sampleYear() {
    AnnualSetup setup;
    const std::tuple<const char*, const char*, Money, Money> accounts[] = {
        {"300", "Missions, Local", Money::cents(240000), Money::cents(240000)},
        {"007", "Office \x80 Supplies", Money::cents(120000), Money::cents(90000)},
        {"101", "Pastor", Money::cents(3000000), Money::fromUnits(15000012345)},
    };
    for (const auto& [number, name, budget, balance] : accounts)
        EXPECT_TRUE(setup.addBudgetAccount(number, name, budget, balance).ok()) << name;
    EXPECT_TRUE(setup.addFund("Memorial Fund", Money::cents(50000), seededRandom(5)).ok());
    EXPECT_TRUE(setup.addFund("Organ, Repair", Money::cents(-25), seededRandom(6)).ok());
    return setup;
}

// A journal with a record in it.
std::string stale() { return std::string(test::keyed("DP", "", Money::cents(99900)).text()); }

TEST(FirstMonthTest, OpensWithTheYearsFiguresMovesOldRecordsAsideAndFailsCleanly) {
    // the journal already there, a backup already there, where its records end up (none: it was empty)
    // clang-format off
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"JAN2027.jrn", nullptr, "JAN2027.jrn.bak"}, {"JAN2027.jrn", "JAN2027.jrn.bak", "JAN2027.jrn.bak2"},
        {"JAN2027.JRN", nullptr, "JAN2027.JRN.bak"}, {"JAN2027.jrn", nullptr, nullptr}};
    // clang-format on
    for (const auto& [journal, olderBackup, backup] : cases) {
        SCOPED_TRACE(std::string(journal) + (olderBackup ? " with a backup" : ""));
        test::TestFolder own;
        test::writeFile(own.path(journal), backup ? stale() : "");
        if (olderBackup) test::writeFile(own.path(olderBackup), "an older backup");
        const Ledger month = firstMonth(sampleYear(), Money::cents(100), own.path("JAN2027.rep"));
        ASSERT_TRUE(saveFirstMonth(month).ok());
        if (backup) {
            EXPECT_EQ(readFile(own.path(backup)), stale());
        }
        if (olderBackup) {
            EXPECT_EQ(readFile(own.path(olderBackup)), "an older backup");
        }
        const auto files = std::distance(std::filesystem::directory_iterator(own.root()), {});
        EXPECT_EQ(files, 2 + (backup ? 1 : 0) + (olderBackup ? 1 : 0));
        EXPECT_EQ(readFile(own.path("JAN2027.jrn")), "");
        EXPECT_TRUE(test::sameAsReload(month));  // the old records are not replayed
    }

    test::TestFolder folder;
    const std::string path = folder.path("JAN2027.rep");
    const Ledger month = firstMonth(sampleYear(), Money::cents(150025), path);
    EXPECT_EQ(month.Summary[kBeginningBalance], Money::cents(150025));
    EXPECT_EQ(month.Summary[kDesignatedAtFirst], Money::cents(49975));
    EXPECT_EQ(month.Summary[kRemainingBalance], Money::cents(150025));
    EXPECT_EQ(month.Summary[kDesignatedFundTotals], Money::cents(49975));
    EXPECT_EQ(month.BudgetAcctNumber[1], "007");
    EXPECT_EQ(month.BudgetAmount[2][kSpentInYear], Money::cents(3000000) - Money::fromUnits(15000012345));

    // The journal moved aside is put back.
    test::writeFile(folder.path("JAN2027.jrn"), stale());
    const Status status = [&] {
        test::FileSizeLimit full(100);
        return saveFirstMonth(month);
    }();
    EXPECT_NE(status.message().find(path), std::string::npos) << status.message();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), stale());
    EXPECT_FALSE(std::filesystem::exists(folder.path("JAN2027.jrn.bak")));

    // A month named as a journal is refused.
    const Status refused =
        saveFirstMonth(firstMonth(sampleYear(), Money::cents(100), folder.path("JAN2027.jrn")));
    EXPECT_NE(refused.message().find(".rep"), std::string::npos) << refused.message();
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), stale());
}

}  // namespace
}  // namespace quorvel
