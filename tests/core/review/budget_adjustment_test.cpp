#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "review/budget_adjustment.h"

namespace quorvel {
namespace {

using test::bx;
using test::keyed;
using test::readFile;

const std::string kDeleted = "ZZ - action deleted -             ";

// Four accounts in three sections, two funds, and a journal touching account 210 in every way.
Ledger budgetMonth() {
    Ledger l;
    ClearLedger(l);
    const struct {
        const char* number;
        const char* name;
        long long budgeted, spent;
    } accounts[] = {{"101", "Salaries", 120000, 30000},
                    {"210", "Music", 50000, 1000},
                    {"212", "Office", 20000, 0},
                    {"300", "Missions", 90000, 4500}};
    int row = 0;
    for (const auto& a : accounts) {
        ++row;
        l.BudgetAcctNumber[row] = a.number;
        l.BudgetAcctName[row] = a.name;
        l.BudgetAmount[row][kBudgeted] = Money::cents(a.budgeted);
        l.BudgetAmount[row][kSpentInYear] = Money::cents(a.spent);
    }
    l.DesigAcctNumber[1] = "01234";
    l.DesigAcctName[1] = "Memorial Fund";
    l.DesigAcctNumber[2] = "20000";
    l.DesigAcctName[2] = "Organ";
    const char* sections[][2] = {{"101", "Operations"}, {"210", "Worship"}, {"300", "Outreach"}};
    for (int s = 1; s <= 3; ++s) {
        l.SectionStart[s] = sections[s - 1][0];
        l.SectionTitle[s] = sections[s - 1][1];
    }
    l.Summary[kBeginningBalance] = Money::cents(500000);
    l.BudgetCount = 4;
    l.DesigCount = 2;
    return l;
}

std::vector<ActionRecord> budgetJournal() {
    return {
        bx("210", Money::cents(1000), "ck 1"),    // 1
        bx("101", Money::cents(500)),             // 2
        test::to("210", Money::cents(750)),       // 3
        keyed("TI", "01234", Money::cents(750)),  // 4
        bx("210", Money::cents(225)),             // 5
        keyed("DD", "20000", Money::cents(300)),  // 6
        test::to("300", Money::cents(100)),       // 7
        keyed("TI", "20000", Money::cents(100)),  // 8
    };
}

class BudgetAdjustmentTest : public ::testing::Test {
protected:
    void SetUp() override { open(budgetMonth(), budgetJournal()); }

    void open(const Ledger& month, const std::vector<ActionRecord>& records) {
        path = folder.path("MAR" + std::to_string(++opened) + ".rep");  // each with a journal of its own
        test::writeMonth(month, path, records);
        ASSERT_TRUE(LoadMonthFile(ledger, journal, path).ok());
    }

    std::vector<std::string> records() const {
        std::vector<std::string> texts;
        const auto all = journal.readAll();
        for (const ActionRecord& r : all.value()) texts.emplace_back(r.text());
        return texts;
    }
    std::vector<std::string> numbers() const {
        return std::vector<std::string>(ledger.BudgetAcctNumber.begin() + 1,
                                        ledger.BudgetAcctNumber.begin() + 1 + ledger.BudgetCount);
    }
    std::vector<std::string> sectionStarts() const {
        std::vector<std::string> starts;
        for (int s = 1; s <= kSections && !ledger.SectionStart[s].empty(); ++s)
            starts.push_back(ledger.SectionStart[s]);
        return starts;
    }
    int rowOf(const std::string& number) const {
        for (int i = 1; i <= kLastWorkingRow; ++i)
            if (ledger.BudgetAcctNumber[i] == number) return i;
        return 0;
    }
    BudgetEdit editOf(int row) const {
        return {ledger.BudgetAcctNumber[row], ledger.BudgetAcctName[row],
                ledger.BudgetAmount[row][kBudgeted].format00(),
                ledger.BudgetAmount[row][kSpentInYear].format00()};
    }

    test::TestFolder folder;
    int opened = 0;
    std::string path;
    Ledger ledger;
    Journal journal;
};

TEST_F(BudgetAdjustmentTest, ListingShowsEachAccountWithItsFourAmountsAndTheNewLine) {
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
    // Every row listed, then the new line.
    EXPECT_EQ(budgetAdjustList(ledger).rows.back(), kLastWorkingRow + 1);
}

TEST(BudgetFilterKey, FiveCharactersAsTheRecordsHoldTheNumber) {
    EXPECT_EQ(budgetFilterKey("210"), "  210");
    EXPECT_EQ(budgetFilterKey("7"), "  7  ");
    EXPECT_EQ(bx("7", Money::cents(1)).accountKey(), budgetFilterKey("7"));
}

// The account's records and its section follow it to its new number and place.
TEST_F(BudgetAdjustmentTest, RenumberingRewritesItsRecordsAndSortsItAndItsSectionIntoPlace) {
    const struct {
        const char* number;
        std::vector<std::string> numbers, sections;
    } cases[] = {
        {"215", {"101", "212", "215", "300"}, {"101", "215", "300"}},
        {"350", {"101", "212", "300", "350"}, {"101", "300", "350"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        open(budgetMonth(), budgetJournal());
        const std::vector<std::string> before = records();
        BudgetEdit edit = editOf(rowOf("210"));
        edit.number = c.number;
        ASSERT_TRUE(changeBudgetAccount(ledger, journal, rowOf("210"), edit).ok());
        std::vector<std::string> expected = before;
        for (std::size_t i : {0, 2, 4}) expected[i].replace(5, 3, c.number);  // the BX and TO records of 210
        EXPECT_EQ(records(), expected);
        EXPECT_EQ(numbers(), c.numbers);
        EXPECT_EQ(sectionStarts(), c.sections);
        const int row = rowOf(c.number);
        EXPECT_EQ(ledger.BudgetAcctName[row], "Music");
        EXPECT_EQ(ledger.BudgetAmount[row][kSpentInMonth], Money::cents(1975));  // its records still count
        EXPECT_EQ(ledger.SectionTitle[std::stoi(c.number) / 100], "Worship");
    }
}

TEST_F(BudgetAdjustmentTest, NameAndAmountsAloneLeaveJournalAndOrderAlone) {
    const std::string journalBefore = readFile(Journal::pathFor(path));
    const int row = rowOf("210");
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, row, {" 210 ", "Music & Choir", "650", "40.5"}).ok());
    EXPECT_EQ(readFile(Journal::pathFor(path)), journalBefore);
    EXPECT_EQ(ledger.BudgetAcctName[row], "Music & Choir");
    EXPECT_EQ(ledger.BudgetAmount[row][kSpentInMonth], Money::cents(1975));  // the month is not touched
    EXPECT_EQ(ledger.BudgetAmount[row][kRemaining], Money::cents(60950));
}

TEST_F(BudgetAdjustmentTest, ShortNumbersArePaddedOnlyWhenTheNumberChanges) {
    Ledger month = budgetMonth();
    month.BudgetAcctNumber[1] = "7";
    open(month, {bx("7", Money::cents(100)), test::to("7", Money::cents(200)),
                 keyed("TI", "01234", Money::cents(200))});
    const std::string journalBefore = readFile(Journal::pathFor(path));
    // "007" names the same account: nothing is renumbered, so its records keep counting.
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, rowOf("7"), {"007", "Renamed", "10", "0"}).ok());
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInMonth], Money::cents(100));
    EXPECT_EQ(readFile(Journal::pathFor(path)), journalBefore);

    // A new number of one or two digits is stored in three, in the records as well.
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, rowOf("7"), {"8", "Renamed", "10", "0"}).ok());
    EXPECT_EQ(numbers(), (std::vector<std::string>{"008", "210", "212", "300"}));
    EXPECT_EQ(records()[0].substr(0, 8), "BX   008");
    EXPECT_EQ(records()[1].substr(0, 8), "TO   008");
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInMonth], Money::cents(300));  // the transfer now counts too
}

// One row per refusal; that a refusal changes nothing is the model test's.
TEST_F(BudgetAdjustmentTest, RefusalMessages) {
    const int row = rowOf("210");
    const struct {
        BudgetEdit edit;
        const char* message;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit.number + "/" + c.edit.name.substr(0, 40));
        const Status refused = changeBudgetAccount(ledger, journal, row, c.edit);
        EXPECT_NE(refused.message().find(c.message), std::string::npos) << refused.message();
    }
}

TEST_F(BudgetAdjustmentTest, ANewAccountIsCreatedOnlyByChangeAndSortedIntoPlace) {
    const int row = budgetAdjustList(ledger).rows.back();
    ASSERT_EQ(row, 5);
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, row, {"150", "Copier", "75", "0"}).ok());
    EXPECT_EQ(numbers(), (std::vector<std::string>{"101", "150", "210", "212", "300"}));
    EXPECT_EQ(ledger.BudgetAmount[2][kRemaining], Money::cents(7500));
    // Kept as offered, the new number is 999, which no account holds yet.
    ASSERT_TRUE(changeBudgetAccount(ledger, journal, 6, {kNewAccountNumber, kNewAccountName, "0", "0"}).ok());
    EXPECT_EQ(ledger.BudgetAcctNumber[6], "999");
    EXPECT_EQ(changeBudgetAccount(ledger, journal, 7, {"999", "Again", "0", "0"}).message(),
              kDuplicateNumber);
}

TEST_F(BudgetAdjustmentTest, DeletingCancelsTwoExpendituresAndATransferWithItsInHalf) {
    const std::vector<std::string> before = records();
    ASSERT_TRUE(deleteBudgetAccount(ledger, journal, rowOf("210")).ok());
    const std::vector<std::string> after = records();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        const bool isOfAccount = i == 0 || i == 2 || i == 3 || i == 4;  // BX, TO, its TI, BX
        EXPECT_EQ(after[i], isOfAccount ? kDeleted : before[i]) << "record " << i + 1;
    }
    EXPECT_EQ(numbers(), (std::vector<std::string>{"101", "212", "300"}));
    EXPECT_EQ(sectionStarts(), (std::vector<std::string>{"101", "300"}));
    EXPECT_EQ(ledger.SectionTitle[2], "Outreach");
    EXPECT_TRUE(ledger.DesigAmount[1][kReceivedInMonth].isZero());  // the transfer in went with it
    EXPECT_EQ(ledger.Summary[kInternalTransfers], Money::cents(100));
}

TEST_F(BudgetAdjustmentTest, ATransferOutWithoutItsInHalfNextToItIsCancelledAlone) {
    open(budgetMonth(), {test::to("210", Money::cents(100)), bx("212", Money::cents(5)),
                         keyed("TI", "01234", Money::cents(100)), test::to("210", Money::cents(40))});
    const std::vector<std::string> before = records();
    ASSERT_TRUE(deleteBudgetAccount(ledger, journal, rowOf("210")).ok());
    EXPECT_EQ(records(), (std::vector<std::string>{kDeleted, before[1], before[2], kDeleted}));
}

// Neither the report's work row past the last account nor an emptied tenth section is kept.
TEST_F(BudgetAdjustmentTest, DeletingTheLastAccountOfTenSectionsEmptiesPlaceTen) {
    Ledger month = budgetMonth();
    for (int s = 1; s <= kSections; ++s) {
        month.BudgetAcctNumber[s] = std::to_string(100 + s);
        month.BudgetAcctName[s] = "Account " + std::to_string(s);
        month.SectionStart[s] = month.BudgetAcctNumber[s];
        month.SectionTitle[s] = "Section " + std::to_string(s);
    }
    month.BudgetCount = kSections;
    month.BudgetAmount[101][kBudgeted] = Money::cents(999900);  // a report's running subtotal
    open(month, {});
    ASSERT_TRUE(deleteBudgetAccount(ledger, journal, 10).ok());
    EXPECT_EQ(ledger.SectionStart[9], "109");
    EXPECT_EQ(ledger.SectionStart[10], "");
    EXPECT_EQ(ledger.SectionTitle[10], "");
    EXPECT_TRUE(ledger.BudgetAmount[100][kBudgeted].isZero());
    EXPECT_EQ(ledger.BudgetAmount[101][kBudgeted], Money::cents(999900));
}

TEST_F(BudgetAdjustmentTest, AJournalWriteFailingPartWayPutsBackTheRecordsAlreadyWritten) {
    std::vector<ActionRecord> month = budgetJournal();
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
