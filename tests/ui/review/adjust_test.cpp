// "View/Adjust Budget Item" and "View/Adjust Designated Item": the listing in the main list,
// FrmBChange and FrmDChange with their buttons, the related actions, and what reached the files.
#include <QPointer>

#include "review/budget_adjustment.h"
#include "ui/review/FrmBChange.h"
#include "ui/review/FrmDChange.h"
#include "ui/review/adjust_commands.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

const QString kBadName = "The name holds a character that cannot be stored in the month's files.";

// Replaces a box's text as a user would.
void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The sample month: budget accounts 101, 102, 7 and funds 01234, 20000 in rows 1-3 and 1-2.
class AdjustTest : public MainWindowTest {
  protected:
    void SetUp() override {
        openSample("NOV2026.rep", {
                                      test::bx("101", Money::cents(4000)),             // 1
                                      test::to("102", Money::cents(2500)),             // 2
                                      test::keyed("TI", "20000", Money::cents(2500)),  // 3
                                      test::bx("7", Money::cents(500)),                // 4
                                      test::keyed("DX", "01234", Money::cents(1250)),  // 5
                                      test::bx("102", Money::cents(100)),              // 6
                                      test::keyed("DD", "20000", Money::cents(300)),   // 7
                                  });
    }
    template <typename Window>
    Window* edit(void (*command)(FrmMain&), int line) {
        command(window);
        pick(line, window.CmdEdit);
        EXPECT_FALSE(window.isVisible()) << "the main window stays hidden while the window is open";
        return shown<Window>();
    }
    FrmBChange* budget(int line) { return edit<FrmBChange>(MnuBudgetAdjust_Click, line); }
    FrmDChange* fund(int line) { return edit<FrmDChange>(MnuAdjustDesignation_Click, line); }
};

TEST_F(AdjustTest, ListingsWaitForEditDisplayOrCancelAndRefuseALineThatIsNoAccount) {
    const Files before = files();
    const struct {
        void (*command)(FrmMain&);
        QPushButton* button;
        std::vector<int> lines;
        QString message;  // empty: the listing is cancelled
    } cases[] = {
        {MnuBudgetAdjust_Click, window.CmdCancel, {2}, ""},
        {MnuBudgetAdjust_Click, window.CmdEdit, {-1, 0, 1}, "- A budget item must be selected -"},
        {MnuBudgetAdjust_Click, window.CmdDisplay, {-1, 0, 1}, "- A budget item must be selected -"},
        {MnuAdjustDesignation_Click, window.CmdCancel, {2}, ""},
        {MnuAdjustDesignation_Click, window.CmdEdit, {-1, 0, 1}, "No valid account was selected"},
        {MnuAdjustDesignation_Click, window.CmdDisplay, {-1, 0, 1}, " oops no account was selected "},
    };
    for (const auto& c : cases) {
        for (int line : c.lines) {
            const std::string where =
                c.button->objectName().toStdString() + " on line " + std::to_string(line);
            const QStringList shownBefore = dialogs().messages();
            c.command(window);
            for (QPushButton* b : {window.CmdEdit, window.CmdDisplay, window.CmdCancel})
                EXPECT_TRUE(b->isVisible());
            EXPECT_FALSE(window.CmdProcede->isVisible());
            EXPECT_FALSE(window.MnuEdit->isEnabled());
            pick(line, c.button);
            EXPECT_EQ(dialogs().messages(),
                      c.message.isEmpty() ? shownBefore : shownBefore + QStringList{c.message})
                << where;
            expectSummaryBack(where);
        }
    }
    EXPECT_TRUE(files() == before);
}

TEST_F(AdjustTest, RelatedActionsOfEachAccountAndFundAndOfTheNewLine) {
    const struct {
        void (*command)(FrmMain&);
        int line;
        QStringList records;
    } cases[] = {{MnuBudgetAdjust_Click, 2, {"001"}},      {MnuBudgetAdjust_Click, 3, {"002", "006"}},
                 {MnuBudgetAdjust_Click, 4, {"004"}},      {MnuBudgetAdjust_Click, 5, {}},
                 {MnuAdjustDesignation_Click, 2, {"005"}}, {MnuAdjustDesignation_Click, 3, {"003", "007"}},
                 {MnuAdjustDesignation_Click, 4, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        c.command(window);
        pick(c.line, window.CmdDisplay);
        const QStringList lines = window.listLines();
        EXPECT_EQ(lines.value(0), "                - Actions Taken for This Report -");
        QStringList numbers;  // record numbers at positions 88-90
        for (int i = 1; i < lines.size(); ++i)
            numbers << lines[i].mid(87, 3);
        EXPECT_EQ(numbers, c.records);
        pick(-1, window.CmdCancel);
        expectSummaryBack("related actions dismissed");
    }
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

TEST_F(AdjustTest, BudgetChangeShowsTheAccountAndSavesWhatWasTyped) {
    FrmBChange* w = budget(3);  // 102 Utilities
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Budget Adusting");
    EXPECT_EQ(w->TxtAcctNum->text(), "102");
    EXPECT_EQ(w->TxtName->text(), "Utilities");
    EXPECT_EQ(w->TxtBudgeted->text(), "600.00");
    EXPECT_EQ(w->TxtExpended->text(), "26.00");
    EXPECT_EQ(window.SelIndex, 2);
    retype(w->TxtAcctNum, "9");
    QTest::mouseClick(w->CmdChange, Qt::LeftButton);
    expectSummaryBack("changed");
    EXPECT_EQ(onDisk(path).BudgetAcctNumber[1], "009");
}

TEST_F(AdjustTest, RefusedChangesKeepTheWindowOpenAndTheFilesAsTheyWere) {
    const Files before = files();
    const QString notAnAmount =
        " is not an amount. Type digits with at most one decimal point, such as 1250.00 or 1,250.00.";
    const struct {
        bool budget;
        const char* box;
        QString typed;
        QString message;
    } cases[] = {
        {true, "TxtAcctNum", "07", "Duplicate account number prohibited"},
        {true, "TxtBudgeted", "1,2x", "\"1,2x\" in the box \"Annual Budget\"" + notAnAmount},
        {true, "TxtName", "Pastor \u03a9", kBadName},
        {true, "TxtName", QString(kLongestBudgetName + 1, 'n'),
         kBudgetNameTooLong},  // once cut without a word
        {false, "TxtName", "Memorial \u4e2d", kBadName},
        {false, "TxtName", " ", "A designated fund needs a name."},
        {false, "TxtAmount", "1e15", "\"1e15\" in the box \"Beginning Balance\"" + notAnAmount},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.left(20).toStdString());
        QPointer<QDialog> w = c.budget ? static_cast<QDialog*>(budget(2)) : fund(2);
        ASSERT_TRUE(w);
        w->findChild<QLineEdit*>(c.box)->setText(c.typed);
        QTest::mouseClick(w->findChild<QPushButton*>(c.budget ? "CmdChange" : "Command1"), Qt::LeftButton);
        EXPECT_EQ(lastMessage(), c.message);
        ASSERT_TRUE(w && w->isVisible());
        EXPECT_EQ(w->findChild<QLineEdit*>(c.box)->text(), c.typed);
        QTest::keyClick(w->findChild<QLineEdit*>("TxtName"), Qt::Key_Escape);
        expectSummaryBack("escaped");
    }
    EXPECT_TRUE(files() == before);
    QPointer<FrmBChange> w = budget(2);
    retype(w->TxtAcctNum, "1234");
    EXPECT_EQ(w->TxtAcctNum->text(), "123");  // the box takes three characters
}

TEST_F(AdjustTest, ANewBudgetAccountExistsOnlyOnceChangeSavesIt) {
    const Files before = files();
    QPointer<FrmBChange> w = budget(5);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->TxtAcctNum->text(), "999");
    EXPECT_EQ(w->TxtName->text(), "New Account");
    EXPECT_EQ(w->TxtBudgeted->text(), "0.00");
    EXPECT_EQ(window.SelIndex, 4);
    QTest::mouseClick(w->CmdCancel, Qt::LeftButton);
    expectSummaryBack("new account cancelled");
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(window.ledger().BudgetAcctNumber[4], "");  // nothing was added behind the treasurer's back

    w = budget(5);
    ASSERT_TRUE(w);
    retype(w->TxtAcctNum, "150");
    retype(w->TxtName, "Copier");
    QTest::mouseClick(w->CmdChange, Qt::LeftButton);
    expectSummaryBack("new account made");
    EXPECT_EQ(onDisk(path).BudgetCount, 4);
    EXPECT_EQ(files().journal, before.journal);
}

TEST_F(AdjustTest, DeletingABudgetAccountAsksFirst) {
    const Files before = files();
    QPointer<FrmBChange> w = budget(3);
    ASSERT_TRUE(w);
    for (Answer answer : {Answer::No, Answer::Yes}) {
        dialogs().answerNext(answer);
        QTest::mouseClick(w->CmdDelete, Qt::LeftButton);
        EXPECT_EQ(dialogs().lastMessage().text, "Are you sure you want to delete this budget item?");
        EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
        if (answer == Answer::No) {
            ASSERT_TRUE(w && w->isVisible());
            EXPECT_TRUE(files() == before);
        }
    }
    expectSummaryBack("deleted");
    EXPECT_NE(files().journal, before.journal);
    EXPECT_EQ(onDisk(path).BudgetCount, 2);
}

TEST_F(AdjustTest, FundChangeShowsTheFundAndSavesWhatWasTyped) {
    QPointer<FrmDChange> w = fund(2);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Adjusting Designated Account");
    EXPECT_EQ(w->TxtName->text(), "Memorial Fund");
    EXPECT_EQ(w->TxtAmount->text(), "500");  // plain number text until the box is left
    EXPECT_FALSE(w->CmdDelete->isVisible());
    EXPECT_EQ(w->Command3->toolTip(), "If activated, shows this account first in lists");
    retype(w->TxtName, "Memorial Gifts");
    retype(w->TxtAmount, "1250");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    expectSummaryBack("changed");
    EXPECT_EQ(onDisk(path).DesigAcctName[1], "Memorial Gifts");
    EXPECT_EQ(onDisk(path).DesigAmount[1][kAtFirstOfMonth], Money::cents(125000));

    w = fund(4);  // Create New Account
    ASSERT_TRUE(w);
    EXPECT_EQ(w->TxtName->text(), "");
    EXPECT_EQ(w->TxtAmount->text(), "0");
    EXPECT_TRUE(w->CmdDelete->isVisible());
    QTest::keyClicks(w->TxtName, "Youth Camp");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    expectSummaryBack("created");
    EXPECT_EQ(onDisk(path).DesigAcctName[3], "Youth Camp");

    w = fund(3);  // Move to Top ignores what was typed
    ASSERT_TRUE(w);
    retype(w->TxtName, "Typed but not applied");
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    expectSummaryBack("moved");
    EXPECT_EQ(onDisk(path).DesigAcctName[1], "Organ, Repair");
    EXPECT_EQ(onDisk(path).DesigAcctName[2], "Memorial Gifts");
}

TEST_F(AdjustTest, OnlyAFundThatAddsUpToZeroCanBeDeletedAndNoneIsAddedPastTheLast) {
    Ledger month = test::sampleLedger();
    month.DesigAcctNumber[3] = "30000";
    month.DesigAcctName[3] = "Bells";
    month.DesigAmount[3][kAtFirstOfMonth] = -Money::cents(500);
    month.DesigAmount[3][kFundRemaining] = -Money::cents(500);
    openSample("BELLS.rep", {test::keyed("DD", "30000", Money::cents(500))}, month);  // -5.00 + 5.00
    QPointer<FrmDChange> w = fund(3);                                                 // Organ, Repair: 0.50
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->CmdDelete->isVisible());
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    expectSummaryBack("cancelled");
    w = fund(4);
    ASSERT_TRUE(w && w->CmdDelete->isVisible());
    QTest::mouseClick(w->CmdDelete, Qt::LeftButton);  // no question is asked
    expectSummaryBack("deleted");
    EXPECT_EQ(onDisk(path).DesigCount, 2);

    for (int f = 1; f <= kLastWorkingRow; ++f) {
        month.DesigAcctName[f] = "Fund " + std::to_string(f);
        month.DesigAcctNumber[f] = std::to_string(10000 + f);
    }
    openSample("FULL.rep", {}, month);
    MnuAdjustDesignation_Click(window);
    pick(kLastWorkingRow + 2, window.CmdEdit);
    EXPECT_EQ(lastMessage(), "out of designated account space");
    expectSummaryBack("refused");
}

TEST_F(AdjustTest, AFailedSaveIsReportedAndTheWindowStaysOpen) {
    const Files before = files();
    for (bool budgetWindow : {true, false}) {
        QPointer<QDialog> w = budgetWindow ? static_cast<QDialog*>(budget(3)) : fund(3);
        ASSERT_TRUE(w);
        if (budgetWindow) retype(w->findChild<QLineEdit*>("TxtAcctNum"), "150");
        {
            test::FileSizeLimit full(1000);
            QTest::mouseClick(w->findChild<QPushButton*>(budgetWindow ? "CmdChange" : "Command3"),
                              Qt::LeftButton);
        }
        EXPECT_TRUE(lastMessage().startsWith("Nothing was changed")) << lastMessage().toStdString();
        ASSERT_TRUE(w && w->isVisible());
        EXPECT_TRUE(files() == before);
        QTest::keyClick(w, Qt::Key_Escape);
        expectSummaryBack("cancelled");
    }
    EXPECT_EQ(window.ledger().BudgetAcctNumber[2], "102");
    EXPECT_EQ(window.ledger().DesigAcctNumber[1], "01234");
}

TEST_F(MainWindowTest, AdjustingCommandsNeedALoadedMonth) {
    for (void (*command)(FrmMain&) :
         {MnuBudgetAdjust_Click, MnuAdjustDesignation_Click, MnuSetSections_Click, MnuReorder_Click}) {
        command(window);
        EXPECT_EQ(lastMessage(), "no report loaded");
        EXPECT_FALSE(window.isWaiting());
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_EQ(dialogs().messages().size(), 4);
}

}  // namespace
}  // namespace quorvel::ui
