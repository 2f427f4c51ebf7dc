// "View/Adjust Designated Item" driven through its listing and FrmDChange: Make Change, new
// funds, Move to Top, Delete Account, Cancel and the related actions, checked against the month
// file on disk and the main window afterwards.
#include <QApplication>
#include <QPointer>
#include <QTest>

#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ui/review/FrmDChange.h"
#include "ui/review/adjust_commands.h"
#include "review/adjust_fixture.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using test::readFile;

const QString kNoAccount = "No valid account was selected";
const QString kOops = " oops no account was selected ";

std::vector<ActionRecord> fundJournal() {
    return {
        test::keyed("DX", "01234", Money::cents(1250)),  // 1
        test::keyed("DD", "20000", Money::cents(300)),   // 2
        test::to("102", Money::cents(2500)),             // 3
        test::keyed("TI", "20000", Money::cents(2500)),  // 4
        test::bx("101", Money::cents(100)),              // 5
    };
}

class FundAdjustTest : public MainWindowTest {
protected:
    void SetUp() override { open(test::sampleLedger(), fundJournal()); }
    ~FundAdjustTest() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<ChildWindow*>(w)) delete w;
    }

    void open(const Ledger& month, const std::vector<ActionRecord>& records = {}) {
        path = folder.path("F" + std::to_string(++opened) + ".rep");
        test::writeMonth(month, path, records);
        dialogs().chooseFileNext(QString::fromStdString(path));
        window.MnuOpen->trigger();
        ASSERT_EQ(window.ledger().CurrentFile, path);
    }
    void choose(int line, QPushButton* button) { adjusting::choose(window, MnuAdjustDesignation_Click, line, button); }
    FrmDChange* edit(int line) {
        choose(line, window.CmdEdit);
        return adjusting::openWindow<FrmDChange>(window);
    }
    Ledger onDisk() const {
        Ledger ledger;
        Journal journal;
        EXPECT_TRUE(LoadMonthFile(ledger, journal, path, JournalMode::ReadOnly).ok());
        return ledger;
    }
    std::string month() const { return readFile(path); }
    QStringList listedRecords() const { return adjusting::listedRecords(window); }
    void expectSummaryBack(const std::string& where) { adjusting::expectSummaryBack(window, path, where); }

    int opened = 0;
    std::string path;
};

TEST_F(FundAdjustTest, ListingShowsTheFundsAndCancelChangesNothing) {
    const std::string before = month();
    MnuAdjustDesignation_Click(window);
    EXPECT_EQ(
        window.listLines(),
        (QStringList{
            "        - Designated Accounts -         BAL FIRST     DESIGNATED    EXPENDED     REMAINING",
            "                                        OF  MONTH     IN   MONTH    IN MONTH     BALANCE",
            "Memorial Fund                                500.00         0.00        12.50       487.50",
            "Organ, Repair                                  0.50        28.00         0.00        28.50",
            "      - Create New Account -"}));
    for (QPushButton* b : {window.CmdEdit, window.CmdDisplay, window.CmdCancel}) EXPECT_TRUE(b->isVisible());
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    expectSummaryBack("cancelled");
    EXPECT_EQ(month(), before);
}

TEST_F(FundAdjustTest, NothingOrAHeadingChosenIsRefused) {
    const struct {
        QPushButton* button;
        int line;
        QString message;
    } cases[] = {{window.CmdEdit, -1, kNoAccount}, {window.CmdEdit, 0, kNoAccount},
                 {window.CmdEdit, 1, kNoAccount},  {window.CmdDisplay, -1, kOops},
                 {window.CmdDisplay, 0, kOops},    {window.CmdDisplay, 1, kOops}};
    for (const auto& c : cases) {
        const std::string where = c.button->objectName().toStdString() + " on line " + std::to_string(c.line);
        choose(c.line, c.button);
        EXPECT_EQ(dialogs().messages().back(), c.message) << where;
        expectSummaryBack(where);
    }
}

TEST_F(FundAdjustTest, MakeChangeRenamesAndSetsTheBalanceAtTheFirstOfTheMonth) {
    QPointer<FrmDChange> w = edit(2);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Adjusting Designated Account");
    EXPECT_EQ(w->TxtName->text(), "Memorial Fund");
    EXPECT_EQ(w->TxtAmount->text(), "500");  // plain number text until the box is left
    EXPECT_FALSE(w->CmdDelete->isVisible());
    EXPECT_EQ(w->Command3->toolTip(), "If activated, shows this account first in lists");
    adjusting::retype(w->TxtName, "Memorial Gifts");
    adjusting::retype(w->TxtAmount, "1250");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    expectSummaryBack("changed");
    const Ledger disk = onDisk();
    EXPECT_EQ(disk.DesigAcctName[1], "Memorial Gifts");
    EXPECT_EQ(disk.DesigAcctNumber[1], "01234");
    EXPECT_EQ(disk.DesigAmount[1][kAtFirstOfMonth], Money::cents(125000));
    EXPECT_EQ(disk.DesigAmount[1][kFundRemaining], Money::cents(123750));
    EXPECT_EQ(window.ledger().DesigAmount[1], disk.DesigAmount[1]);
}

TEST_F(FundAdjustTest, CreateNewAccountAddsAFundAfterTheLast) {
    QPointer<FrmDChange> w = edit(4);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->TxtName->text(), "");
    EXPECT_EQ(w->TxtAmount->text(), "0");
    EXPECT_TRUE(w->CmdDelete->isVisible());
    QTest::keyClicks(w->TxtName, "Youth Camp");
    adjusting::retype(w->TxtAmount, "50.00");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    expectSummaryBack("created");
    const Ledger disk = onDisk();
    EXPECT_EQ(disk.DesigCount, 3);
    EXPECT_EQ(disk.DesigAcctName[3], "Youth Camp");
    EXPECT_EQ(disk.DesigAcctNumber[3].size(), 5u);
    EXPECT_NE(disk.DesigAcctNumber[3], "01234");
    EXPECT_NE(disk.DesigAcctNumber[3], "20000");
    EXPECT_EQ(disk.DesigAmount[3][kAtFirstOfMonth], Money::cents(5000));
    EXPECT_EQ(disk.DesigAmount[3][kFundRemaining], Money::cents(5000));
    EXPECT_TRUE(window.listLines().contains(QString("Designated Fund Totals").leftJustified(35) +
                                            QString("566.00").rightJustified(12)));
}

TEST_F(FundAdjustTest, MoveToTopIgnoresWhatWasTyped) {
    QPointer<FrmDChange> w = edit(3);  // Organ, Repair
    ASSERT_TRUE(w);
    adjusting::retype(w->TxtName, "Typed but not applied");
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    expectSummaryBack("moved");
    const Ledger disk = onDisk();
    EXPECT_EQ(disk.DesigAcctNumber[1], "20000");
    EXPECT_EQ(disk.DesigAcctName[1], "Organ, Repair");
    EXPECT_EQ(disk.DesigAcctName[2], "Memorial Fund");
    EXPECT_EQ(disk.DesigAmount[1][kFundRemaining], Money::cents(2850));
}

TEST_F(FundAdjustTest, DeleteAccountOnlyForAFundThatAddsUpToZero) {
    Ledger month = test::sampleLedger();
    month.DesigAcctNumber[3] = "30000";
    month.DesigAcctName[3] = "Bells";
    month.DesigAmount[3][kAtFirstOfMonth] = -Money::cents(500);
    month.DesigAmount[3][kFundRemaining] = -Money::cents(500);
    open(month, {test::keyed("DD", "30000", Money::cents(500))});  // -5.00 at first, 5.00 designated

    QPointer<FrmDChange> w = edit(3);  // Organ, Repair: 0.50
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->CmdDelete->isVisible());
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    expectSummaryBack("cancelled");

    w = edit(4);
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->CmdDelete->isVisible());
    QTest::mouseClick(w->CmdDelete, Qt::LeftButton);  // no question is asked
    expectSummaryBack("deleted");
    EXPECT_EQ(onDisk().DesigCount, 2);
    EXPECT_EQ(onDisk().DesigAcctName[3], "");
    EXPECT_EQ(window.ledger().DesigCount, 2);
}

TEST_F(FundAdjustTest, AFundAfterAGapIsTheOneChosen) {
    Ledger month = test::sampleLedger();
    month.DesigAcctName[2] = "";  // row 2 left without a name
    month.DesigAcctNumber[3] = "30000";
    month.DesigAcctName[3] = "Bells";
    month.DesigAmount[3][kAtFirstOfMonth] = Money::cents(700);
    month.DesigAmount[3][kFundRemaining] = Money::cents(700);
    open(month, {test::keyed("DX", "30000", Money::cents(100)), test::keyed("DX", "20000", Money::cents(1))});
    MnuAdjustDesignation_Click(window);
    ASSERT_EQ(window.listLines().size(), 5);
    EXPECT_TRUE(window.listLines()[3].startsWith("Bells"));
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);

    choose(3, window.CmdDisplay);
    EXPECT_EQ(listedRecords(), QStringList{"001"});
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);

    QPointer<FrmDChange> w = edit(3);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->TxtName->text(), "Bells");
    adjusting::retype(w->TxtAmount, "9");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    expectSummaryBack("changed");
    EXPECT_EQ(onDisk().DesigAmount[3][kAtFirstOfMonth], Money::cents(900));
    EXPECT_EQ(onDisk().DesigAmount[2][kAtFirstOfMonth], Money::cents(50));
}

TEST_F(FundAdjustTest, RefusalsAndCancelLeaveTheMonthAsItWas) {
    const std::string before = month();
    QPointer<FrmDChange> w = edit(2);
    ASSERT_TRUE(w);
    w->TxtName->setText("Memorial \u4e2d");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(dialogs().messages().back(),
              "The name holds a character that cannot be stored in the month's files.");
    adjusting::retype(w->TxtName, " ");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(dialogs().messages().back(), "A designated fund needs a name.");
    ASSERT_TRUE(w && w->isVisible());
    adjusting::retype(w->TxtName, "Memorial");
    adjusting::retype(w->TxtAmount, "1e15");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_TRUE(
        dialogs().messages().back().startsWith("\"1e15\" in the box \"Beginning Balance\" is not an amount"));
    EXPECT_EQ(w->TxtAmount->text(), "1e15");
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(month(), before);
    QTest::keyClick(w->TxtName, Qt::Key_Escape);
    expectSummaryBack("escaped");
    EXPECT_EQ(month(), before);
    EXPECT_EQ(window.ledger().DesigAcctName[1], "Memorial Fund");
}

TEST_F(FundAdjustTest, AFailedSaveIsReportedAndTheWindowStaysOpen) {
    const std::string before = month();
    QPointer<FrmDChange> w = edit(3);
    ASSERT_TRUE(w);
    {
        test::FileSizeLimit full(1000);
        QTest::mouseClick(w->Command3, Qt::LeftButton);
    }
    EXPECT_TRUE(dialogs().messages().back().startsWith("Nothing was changed"));
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(month(), before);
    EXPECT_EQ(window.ledger().DesigAcctNumber[1], "01234");
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    expectSummaryBack("cancelled");
}

TEST_F(FundAdjustTest, RelatedActionsOfEachFundAndOfTheNewLine) {
    const struct {
        int line;
        QStringList records;
    } cases[] = {{2, {"001"}}, {3, {"002", "004"}}, {4, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        choose(c.line, window.CmdDisplay);
        EXPECT_EQ(window.listLines().value(0), "                - Actions Taken for This Report -");
        EXPECT_EQ(listedRecords(), c.records);
        QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
        expectSummaryBack("related actions dismissed");
    }
}

TEST_F(FundAdjustTest, NoNewFundPastOneHundred) {
    Ledger month = test::sampleLedger();
    for (int f = 1; f <= kLastWorkingRow; ++f) {
        month.DesigAcctName[f] = "Fund " + std::to_string(f);
        month.DesigAcctNumber[f] = std::to_string(10000 + f);
    }
    open(month);
    choose(kLastWorkingRow + 2, window.CmdEdit);
    EXPECT_EQ(dialogs().messages().back(), "out of designated account space");
    expectSummaryBack("refused");
}

}  // namespace
}  // namespace quorvel::ui
