// "View/Adjust Budget Item" driven as the treasurer drives it: the listing in the main list,
// FrmBChange with its Change, Delete and Cancel, and the related actions. Checked against the
// journal and the month file on disk, and against what the main window shows afterwards.
#include <QApplication>
#include <QPointer>
#include <QTest>

#include "ledger/month_file.h"
#include "review/adjust_fixture.h"
#include "review/budget_adjustment.h"
#include "ui/review/FrmBChange.h"
#include "ui/review/adjust_commands.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using test::readFile;

const std::string kDeleted = "ZZ - action deleted -             ";
const QString kHeading1 =
    "        - Budget Accounts -             ANNUAL        EXPENDED      EXPENDED     REMAINING";
const QString kHeading2 =
    "                                        BUDGET        IN  YEAR      IN MONTH     BALANCE";
const QString kCreateLine = "         - Create New Budgeted Account -";
const QString kMustSelect = "- A budget item must be selected -";

// The sample month: 101, 102 and 7 in rows 1-3, sections at 101 and 7.
std::vector<ActionRecord> sampleJournal() {
    return {
        test::bx("101", Money::cents(4000)),             // 1
        test::to("102", Money::cents(2500)),             // 2
        test::keyed("TI", "20000", Money::cents(2500)),  // 3
        test::bx("7", Money::cents(500)),                // 4
        test::keyed("DX", "01234", Money::cents(1250)),  // 5
        test::bx("102", Money::cents(100)),              // 6
        test::keyed("DP", "", Money::cents(9000)),       // 7
    };
}

class BudgetAdjustTest : public MainWindowTest {
protected:
    void SetUp() override { path = openSample("NOV2026.rep", sampleJournal()); }
    ~BudgetAdjustTest() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<ChildWindow*>(w)) delete w;
    }

    void choose(int line, QPushButton* button) { adjusting::choose(window, MnuBudgetAdjust_Click, line, button); }
    FrmBChange* edit(int line) {
        choose(line, window.CmdEdit);
        return adjusting::openWindow<FrmBChange>(window);
    }

    struct Files {
        std::string month, journal;
        bool operator==(const Files&) const = default;
    };
    Files files() const { return {readFile(path), readFile(Journal::pathFor(path))}; }
    std::vector<std::string> records() const {
        const std::string bytes = readFile(Journal::pathFor(path));
        std::vector<std::string> all;
        for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
            all.push_back(bytes.substr(at, kRecordSize));
        return all;
    }
    Ledger onDisk() const {
        Ledger ledger;
        Journal journal;
        EXPECT_TRUE(LoadMonthFile(ledger, journal, path, JournalMode::ReadOnly).ok());
        return ledger;
    }
    QStringList listedRecords() const { return adjusting::listedRecords(window); }
    void expectSummaryBack(const std::string& where) { adjusting::expectSummaryBack(window, path, where); }

    std::string path;
};

TEST_F(BudgetAdjustTest, ListingShowsTheAccountsAndWaitsForEditDisplayOrCancel) {
    const Files before = files();
    MnuBudgetAdjust_Click(window);
    const QStringList lines = window.listLines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], kHeading1);
    EXPECT_EQ(lines[1], kHeading2);
    EXPECT_EQ(lines[2],
              "101 Pastor, Salary                          1200.00       340.50        40.00       859.50");
    EXPECT_EQ(lines[4],
              "7   Short Number                             100.00        30.25         5.00        69.75");
    EXPECT_EQ(lines[5], kCreateLine);
    for (QPushButton* b : {window.CmdEdit, window.CmdDisplay, window.CmdCancel}) EXPECT_TRUE(b->isVisible());
    EXPECT_FALSE(window.CmdProcede->isVisible());
    EXPECT_FALSE(window.MnuEdit->isEnabled());
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    expectSummaryBack("cancelled");
    EXPECT_TRUE(files() == before);
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

TEST_F(BudgetAdjustTest, AHeadingOrNothingChosenIsRefusedForEditAndDisplay) {
    const Files before = files();
    for (QPushButton* button : {window.CmdEdit, window.CmdDisplay}) {
        for (int line : {-1, 0, 1}) {
            const std::string where = button->objectName().toStdString() + " on line " + std::to_string(line);
            choose(line, button);
            EXPECT_EQ(dialogs().messages().back(), kMustSelect) << where;
            expectSummaryBack(where);
        }
    }
    EXPECT_EQ(dialogs().messages().size(), 6);
    EXPECT_TRUE(files() == before);
}

TEST_F(BudgetAdjustTest, ChangingTheNumberRenumbersTheRecordsAndSortsTheAccount) {
    const std::vector<std::string> before = records();
    FrmBChange* w = edit(3);  // 102 Utilities
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Budget Adusting");
    EXPECT_EQ(w->TxtAcctNum->text(), "102");
    EXPECT_EQ(w->TxtName->text(), "Utilities");
    EXPECT_EQ(w->TxtBudgeted->text(), "600.00");
    EXPECT_EQ(w->TxtExpended->text(), "26.00");
    EXPECT_EQ(window.SelIndex, 2);
    adjusting::retype(w->TxtAcctNum, "9");
    adjusting::retype(w->TxtExpended, "30");
    QTest::mouseClick(w->CmdChange, Qt::LeftButton);
    expectSummaryBack("changed");
    const std::vector<std::string> after = records();
    for (std::size_t i = 0; i < after.size(); ++i) {
        std::string expected = before[i];
        if (i == 1 || i == 5) expected.replace(5, 3, "009");
        EXPECT_EQ(after[i], expected) << "record " << i + 1;
    }
    const Ledger disk = onDisk();
    EXPECT_EQ(disk.BudgetAcctNumber[1], "009");
    EXPECT_EQ(disk.BudgetAcctName[1], "Utilities");
    EXPECT_EQ(disk.BudgetAmount[1][kSpentInYear], Money::cents(3000));
    EXPECT_EQ(disk.BudgetAmount[1][kSpentInMonth], Money::cents(2600));
    EXPECT_EQ(window.ledger().BudgetAcctNumber, disk.BudgetAcctNumber);
}

TEST_F(BudgetAdjustTest, ADuplicateNumberIsRefusedAndTheWindowStaysOpen) {
    const Files before = files();
    QPointer<FrmBChange> w = edit(2);  // 101
    ASSERT_TRUE(w);
    adjusting::retype(w->TxtAcctNum, "1234");
    EXPECT_EQ(w->TxtAcctNum->text(), "123");  // the box takes three characters
    adjusting::retype(w->TxtAcctNum, "07");
    QTest::mouseClick(w->CmdChange, Qt::LeftButton);
    EXPECT_EQ(dialogs().messages().back(), "Duplicate account number prohibited");
    ASSERT_TRUE(w && w->isVisible());
    // A text that is no amount is refused in the window's own words and stays as typed.
    adjusting::retype(w->TxtAcctNum, "101");
    adjusting::retype(w->TxtBudgeted, "1,2x");
    QTest::mouseClick(w->CmdChange, Qt::LeftButton);
    EXPECT_EQ(dialogs().messages().back(),
              "\"1,2x\" in the box \"Annual Budget\" is not an amount. Type digits "
              "with at most one decimal point, such as 1250.00 or 1,250.00.");
    EXPECT_EQ(w->TxtBudgeted->text(), "1,2x");
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_TRUE(files() == before);
    QTest::keyClick(w->TxtName, Qt::Key_Escape);
    expectSummaryBack("cancelled after the refusal");
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(window.ledger().BudgetAcctNumber[1], "101");
}

// A name past 32,767 characters was cut by the box without a word.
TEST_F(BudgetAdjustTest, ANameOutsideTheCodePageOrTooLongIsRefused) {
    const Files before = files();
    const std::pair<QString, QString> cases[] = {
        {"Pastor \u03a9", "The name holds a character that cannot be stored in the month's files."},
        {QString(kLongestBudgetName + 1, 'n'), kBudgetNameTooLong},
    };
    for (const auto& [name, message] : cases) {
        QPointer<FrmBChange> w = edit(2);
        ASSERT_TRUE(w);
        w->TxtName->setText(name);
        QTest::mouseClick(w->CmdChange, Qt::LeftButton);
        EXPECT_EQ(dialogs().messages().back(), message);
        ASSERT_TRUE(w && w->isVisible());
        QTest::mouseClick(w->CmdCancel, Qt::LeftButton);
        expectSummaryBack("cancelled");
    }
    EXPECT_TRUE(files() == before);
}

TEST_F(BudgetAdjustTest, ANewAccountExistsOnlyOnceChangeSavesIt) {
    const Files before = files();
    QPointer<FrmBChange> w = edit(5);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->TxtAcctNum->text(), "999");
    EXPECT_EQ(w->TxtName->text(), "New Account");
    EXPECT_EQ(w->TxtBudgeted->text(), "0.00");
    EXPECT_EQ(w->TxtExpended->text(), "0.00");
    EXPECT_EQ(window.SelIndex, 4);
    QTest::mouseClick(w->CmdCancel, Qt::LeftButton);
    expectSummaryBack("new account cancelled");
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(window.ledger().BudgetAcctNumber[4], "");  // nothing was added behind the treasurer's back

    w = edit(5);
    ASSERT_TRUE(w);
    adjusting::retype(w->TxtAcctNum, "150");
    adjusting::retype(w->TxtName, "Copier");
    adjusting::retype(w->TxtBudgeted, "75");
    QTest::mouseClick(w->CmdChange, Qt::LeftButton);
    expectSummaryBack("new account made");
    const Ledger disk = onDisk();
    EXPECT_EQ(disk.BudgetAcctNumber[3], "150");  // in text order: 101, 102, 150, 7
    EXPECT_EQ(disk.BudgetAcctName[3], "Copier");
    EXPECT_EQ(disk.BudgetAmount[3][kRemaining], Money::cents(7500));
    EXPECT_EQ(disk.BudgetAmount[4][kSpentInMonth], Money::cents(500));  // 7 keeps its expenditure
    EXPECT_EQ(disk.BudgetCount, 4);
    EXPECT_EQ(readFile(Journal::pathFor(path)), before.journal);
}

TEST_F(BudgetAdjustTest, DeletingAsksFirstThenCancelsTheRecordsAndTheSection) {
    const Files before = files();
    QPointer<FrmBChange> w = edit(3);  // 102: a transfer out and an expenditure
    ASSERT_TRUE(w);
    dialogs().answerNext(Answer::No);
    QTest::mouseClick(w->CmdDelete, Qt::LeftButton);
    EXPECT_EQ(dialogs().shown.back().text, "Are you sure you want to delete this budget item?");
    EXPECT_EQ(dialogs().shown.back().buttons, platform::Buttons::YesNo);
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_TRUE(files() == before);

    dialogs().answerNext(Answer::Yes);
    QTest::mouseClick(w->CmdDelete, Qt::LeftButton);
    expectSummaryBack("deleted");
    const std::vector<std::string> after = records();
    const std::vector<std::string> original = [&] {
        std::vector<std::string> all;
        for (std::size_t at = 0; at + kRecordSize <= before.journal.size(); at += kRecordSize)
            all.push_back(before.journal.substr(at, kRecordSize));
        return all;
    }();
    ASSERT_EQ(after.size(), original.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i], i == 1 || i == 2 || i == 5 ? kDeleted : original[i]) << "record " << i + 1;
    }
    const Ledger disk = onDisk();
    EXPECT_EQ(disk.BudgetCount, 2);
    EXPECT_EQ(disk.BudgetAcctNumber[2], "7");
    EXPECT_EQ(disk.DesigAmount[2][kReceivedInMonth], Money());  // the transfer in went with it
    EXPECT_TRUE(window.listLines().filter("Internal Transfers").isEmpty());
}

TEST_F(BudgetAdjustTest, DeletingAnAccountThatStartsASectionRemovesTheSection) {
    QPointer<FrmBChange> w = edit(4);  // 7, which starts "Other"
    ASSERT_TRUE(w);
    dialogs().answerNext(Answer::Yes);
    QTest::mouseClick(w->CmdDelete, Qt::LeftButton);
    expectSummaryBack("deleted");
    const Ledger disk = onDisk();
    EXPECT_EQ(disk.SectionStart[1], "101");
    EXPECT_EQ(disk.SectionStart[2], "");
    EXPECT_EQ(records()[3], kDeleted);
}

TEST_F(BudgetAdjustTest, RelatedActionsOfAnAccountOfAShortNumberAndOfTheNewLine) {
    const struct {
        int line;
        QStringList records;
    } cases[] = {{2, {"001"}}, {3, {"002", "006"}}, {4, {"004"}}, {5, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        choose(c.line, window.CmdDisplay);
        EXPECT_EQ(window.listLines().value(0), "                - Actions Taken for This Report -");
        EXPECT_EQ(listedRecords(), c.records);
        ASSERT_TRUE(window.CmdCancel->isVisible());
        QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
        expectSummaryBack("related actions dismissed");
    }
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

TEST_F(BudgetAdjustTest, AFailedSaveIsReportedAndNothingChanges) {
    const Files before = files();
    QPointer<FrmBChange> w = edit(3);
    ASSERT_TRUE(w);
    adjusting::retype(w->TxtAcctNum, "150");
    {
        test::FileSizeLimit full(1000);
        QTest::mouseClick(w->CmdChange, Qt::LeftButton);
    }
    EXPECT_TRUE(dialogs().messages().back().startsWith("Nothing was changed"));
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(window.ledger().BudgetAcctNumber[2], "102");
    QTest::mouseClick(w->CmdCancel, Qt::LeftButton);
    expectSummaryBack("cancelled");
}

TEST_F(MainWindowTest, AdjustingCommandsNeedALoadedMonth) {
    for (void (*command)(FrmMain&) :
         {MnuBudgetAdjust_Click, MnuAdjustDesignation_Click, MnuSetSections_Click, MnuReorder_Click}) {
        command(window);
        EXPECT_EQ(dialogs().messages().back(), "no report loaded");
        EXPECT_FALSE(window.isWaiting());
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_EQ(dialogs().messages().size(), 4);
}

}  // namespace
}  // namespace quorvel::ui
