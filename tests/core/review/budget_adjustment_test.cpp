#include <gtest/gtest.h>

#include <tuple>

#include "core/open_month.h"
#include "ledger/ledger_routines.h"
#include "review/budget_adjustment.h"

namespace quorvel {
namespace {

using test::bx;
using test::keyed;
using test::readFile;

using Starts = decltype(Ledger::SectionStart);
const std::string kDeleted = "ZZ - action deleted -             ";

// Four accounts in three sections, two funds, and a journal touching account 210 in every way.
Ledger budgetMonth() {
    Ledger l;
    ClearLedger(l);
    const std::tuple<const char*, const char*, long long, long long> accounts[] = {
        {"101", "Salaries", 120000, 30000},
        {"210", "Music", 50000, 1000},
        {"212", "Office", 20000, 0},
        {"300", "Missions", 90000, 4500}};
    for (int row = 1; const auto& [number, name, budgeted, spent] : accounts) {
        l.BudgetAcctNumber[row] = number;
        l.BudgetAcctName[row] = name;
        l.BudgetAmount[row][kBudgeted] = Money::cents(budgeted);
        l.BudgetAmount[row++][kSpentInYear] = Money::cents(spent);
    }
    l.DesigAcctNumber = {"", "01234", "20000"};
    l.DesigAcctName = {"", "Memorial Fund", "Organ"};
    l.SectionStart = {"", "101", "210", "300"};
    l.SectionTitle = {"", "Operations", "Worship", "Outreach"};
    l.Summary[kBeginningBalance] = Money::cents(500000);
    l.BudgetCount = 4;
    l.DesigCount = 2;
    return l;
}

// Records 1-2 charge 210 and 101, 3-4 move money from 210 to a fund, 5 charges 210, 6 designates
// to a fund, 7-8 move money from 300 to a fund.
const std::vector<ActionRecord> kJournal = {
    bx("210", Money::cents(1000), "ck 1"), bx("101", Money::cents(500)),
    test::to("210", Money::cents(750)),    keyed("TI", "01234", Money::cents(750)),
    bx("210", Money::cents(225)),          keyed("DD", "20000", Money::cents(300)),
    test::to("300", Money::cents(100)),    keyed("TI", "20000", Money::cents(100))};

class BudgetAdjustmentTest : public test::OpenMonthTest {
protected:
    void SetUp() override { open(budgetMonth(), kJournal); }

    std::vector<std::string> numbers() const {
        return {ledger.BudgetAcctNumber.begin() + 1,
                ledger.BudgetAcctNumber.begin() + 1 + ledger.BudgetCount};
    }
    int rowOf(const std::string& number) const {
        for (int i = 1; i <= kLastWorkingRow; ++i)
            if (ledger.BudgetAcctNumber[i] == number) return i;
        return 0;
    }
};

TEST_F(BudgetAdjustmentTest, ListingShowsEachAccountWithItsFourAmountsAndTheNewLineAndItsKey) {
    ledger.BudgetAcctName[2] = "A name well beyond thirty characters long";
    const PickList list = budgetAdjustList(ledger);
    const std::vector<std::string> expected = {
        "        - Budget Accounts -             ANNUAL        EXPENDED      EXPENDED     REMAINING",
        "                                        BUDGET        IN  YEAR      IN MONTH     BALANCE",
        "101 Salaries                                1200.00       305.00         5.00       895.00",
        "210 A name well beyond thirty char           500.00        29.75        19.75       470.25",
        "212 Office                                   200.00         0.00         0.00       200.00",
        "300 Missions                                 900.00        46.00         1.00       854.00",
        "         - Create New Budgeted Account -",
    };
    EXPECT_EQ(list.lines, expected);
    EXPECT_EQ(list.rows, (std::vector<int>{0, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(list.newLine, 6);
    ledger.BudgetAcctNumber[3] = " ";  // the listing stops at the first row without a number
    EXPECT_EQ(budgetAdjustList(ledger).rows, (std::vector<int>{0, 0, 1, 2, 3}));
    for (int i = 1; i <= kLastWorkingRow; ++i) ledger.BudgetAcctNumber[i] = std::to_string(100 + i);
    EXPECT_EQ(budgetAdjustList(ledger).rows.back(), kLastWorkingRow + 1);  // every row, then the new line
    // An account's records are picked out by its number in five characters, as they hold it.
    EXPECT_EQ(budgetFilterKey("210"), "  210");
    EXPECT_EQ(budgetFilterKey("7"), "  7  ");
    EXPECT_EQ(bx("7", Money::cents(1)).accountKey(), budgetFilterKey("7"));
}

// The account's records and its section follow it to its new number and place; a name and amounts
// alone (the number as typed naming the same account) leave the journal and the order alone.
TEST_F(BudgetAdjustmentTest, ChangingRewritesItsRecordsAndSortsItAndItsSectionIntoPlaceInThreeDigits) {
    // clang-format off
    const std::tuple<BudgetEdit, std::vector<std::string>, Starts, long long> cases[] = {
        {{"215", "Music", "500", "29.75"}, {"101", "212", "215", "300"}, {"", "101", "215", "300"}, 47025},
        {{"350", "Music", "500", "29.75"}, {"101", "212", "300", "350"}, {"", "101", "300", "350"}, 47025},
        {{" 210 ", "Music & Choir", "650", "40.5"}, {"101", "210", "212", "300"}, {"", "101", "210", "300"},
         60950},
    };
    // clang-format on
    for (const auto& [edit, accounts, sections, remaining] : cases) {
        std::string stored = edit.number;
        std::erase(stored, ' ');
        SCOPED_TRACE(stored);
        open(budgetMonth(), kJournal);
        std::vector<std::string> expected = texts();
        ASSERT_TRUE(changeBudgetAccount(ledger, journal, rowOf("210"), edit).ok());
        for (std::size_t i : {0, 2, 4}) expected[i].replace(5, 3, stored);  // the BX and TO records of 210
        EXPECT_EQ(texts(), expected);                                       // for 210 the journal as it was
        EXPECT_EQ(numbers(), accounts);
        EXPECT_EQ(ledger.SectionStart, sections);
        const int row = rowOf(stored);
        EXPECT_EQ(ledger.BudgetAcctName[row], edit.name);
        EXPECT_EQ(ledger.BudgetAmount[row][kRemaining], Money::cents(remaining));
        EXPECT_EQ(ledger.SectionTitle[std::stoi(stored) / 100], "Worship");
    }

    Ledger month = budgetMonth();
    month.BudgetAcctNumber[1] = "7";
    open(month, {bx("7", Money::cents(100)), test::to("7", Money::cents(200)),
                 keyed("TI", "01234", Money::cents(200))});
    const std::string journalBefore = readFile(Journal::pathFor(path));
    // "007" names the same account: nothing is renumbered, so its records keep counting.
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, 1, {"007", "Renamed", "10", "0"}).ok());
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInMonth], Money::cents(100));
    EXPECT_EQ(readFile(Journal::pathFor(path)), journalBefore);
    // A new number of one or two digits is stored in three, in the records as well.
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, 1, {"8", "Renamed", "10", "0"}).ok());
    EXPECT_EQ(numbers(), (std::vector<std::string>{"008", "210", "212", "300"}));
    EXPECT_EQ(texts()[0].substr(0, 8), "BX   008");
    EXPECT_EQ(texts()[1].substr(0, 8), "TO   008");
}

// One row per refusal (that a refusal changes nothing is the model test's); a new account is made
// on the listing's new line and sorted into place.
TEST_F(BudgetAdjustmentTest, RefusalsSayWhyAndANewAccountIsSortedIntoPlace) {
    const std::pair<BudgetEdit, std::string> cases[] = {
        {{"101", "Music", "500", "0"}, kDuplicateNumber},
        {{"0101", "Music", "500", "0"}, "cannot be charged"},
        {{"", "Music", "500", "0"}, "Type the account number"},
        {{"210", "Music", "1,25", "0"}, "not an amount"},
        {{"30", "Mus\"ic", "500", "0"}, "double quote"},
        {{"210", " ", "500", "0"}, kBudgetNameNeeded},
        {{"210", std::string(kLongestBudgetName + 1, 'n'), "500", "0"}, kBudgetNameTooLong},
        {{"210", "Music", "100000000", "0"}, "too large"},
        {{"210", "Music", "500", "-100000000"}, "too large"},
    };
    for (const auto& [edit, message] : cases)
        EXPECT_TRUE(test::holds(changeBudgetAccount(ledger, journal, rowOf("210"), edit).message(), message));

    ASSERT_TRUE(changeBudgetAccount(ledger, journal, 5, {"150", "Copier", "75", "0"}).ok());
    EXPECT_EQ(numbers(), (std::vector<std::string>{"101", "150", "210", "212", "300"}));
    EXPECT_EQ(ledger.BudgetAmount[2][kRemaining], Money::cents(7500));
    // Kept as offered, the new number is 999, which no account holds yet.
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, 6, {kNewAccountNumber, kNewAccountName, "0", "0"}).ok());
    EXPECT_EQ(ledger.BudgetAcctNumber[6], "999");
    EXPECT_EQ(changeBudgetAccount(ledger, journal, 7, {"999", "Again", "0", "0"}).message(),
              kDuplicateNumber);
}

// Its expenditures go, and a transfer out with the in-half next to it; an in-half elsewhere stays.
TEST_F(BudgetAdjustmentTest, DeletingCancelsItsRecordsAndATransferWithItsInHalfAndEmptiesItsPlace) {
    // the journal, the records that go
    const std::pair<std::vector<ActionRecord>, std::vector<std::size_t>> cases[] = {
        {kJournal, {0, 2, 3, 4}},  // BX, TO, its TI, BX
        {{test::to("210", Money::cents(100)), bx("212", Money::cents(5)),
          keyed("TI", "01234", Money::cents(100)), test::to("210", Money::cents(40))},
         {0, 3}},
    };
    for (const auto& [month, deleted] : cases) {
        open(budgetMonth(), month);
        std::vector<std::string> expected = texts();
        for (const std::size_t i : deleted) expected[i] = kDeleted;
        ASSERT_TRUE(deleteBudgetAccount(ledger, journal, rowOf("210")).ok());
        EXPECT_EQ(texts(), expected);
        EXPECT_EQ(numbers(), (std::vector<std::string>{"101", "212", "300"}));
        EXPECT_EQ(ledger.SectionStart, (Starts{"", "101", "300"}));
        EXPECT_EQ(ledger.SectionTitle[2], "Outreach");
    }

    // The last account of ten sections deleted, neither the report's work row past the last account
    // nor an emptied tenth section is kept.
    Ledger month = budgetMonth();
    for (int s = 1; s <= kSections; ++s) {
        month.BudgetAcctNumber[s] = month.SectionStart[s] = std::to_string(100 + s);
        month.BudgetAcctName[s] = "Account " + std::to_string(s);
        month.SectionTitle[s] = "Section " + std::to_string(s);
    }
    month.BudgetCount = kSections;
    month.BudgetAmount[101][kBudgeted] = Money::cents(999900);  // a report's running subtotal
    open(month);
    ASSERT_TRUE(deleteBudgetAccount(ledger, journal, 10).ok());
    EXPECT_EQ(ledger.SectionStart[9], "109");
    EXPECT_EQ(ledger.SectionStart[10] + ledger.SectionTitle[10], "");
    EXPECT_TRUE(ledger.BudgetAmount[100][kBudgeted].isZero());
    EXPECT_EQ(ledger.BudgetAmount[101][kBudgeted], Money::cents(999900));
}

TEST_F(BudgetAdjustmentTest, AJournalWriteFailingPartWayPutsBackTheRecordsAlreadyWritten) {
    std::vector<ActionRecord> month = kJournal;
    month.push_back(bx("210", Money::cents(1)));  // record 9, at byte 272
    open(budgetMonth(), month);
    const std::string journalBefore = readFile(Journal::pathFor(path));
    {
        test::FileSizeLimit full(8 * kRecordSize);  // records 1 to 8 can be rewritten, 9 cannot
        EXPECT_FALSE(deleteBudgetAccount(ledger, journal, rowOf("210")).ok());
    }
    EXPECT_EQ(readFile(Journal::pathFor(path)), journalBefore);
    EXPECT_EQ(numbers(), (std::vector<std::string>{"101", "210", "212", "300"}));
}

}  // namespace
}  // namespace quorvel
