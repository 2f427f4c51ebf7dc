// "View/Adjust Action", the sources, the main balance and the usage listing: which list and
// window show, the words shown, and whether the journal and the month file changed.
#include <QLabel>

#include "ledger/file_faults.h"
#include "ui/review/FrmActChange.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

// A month with a budget expenditure, a deposit, a transfer pair and a source note.
class ActionReviewTest : public MainWindowTest {
  protected:
    void SetUp() override {
        openSample("DEC2026.rep",
                   {test::bx("101", Money::cents(4000), "ck 1"), test::keyed("DP", "", Money::cents(50000)),
                    test::to("102", Money::cents(1000)), composeKeyedRecord("TI", "01234", "10.00", ""),
                    test::keyed("SX", "11111", Money::cents(1250))});
    }
    FrmActChange* edit(int line) {
        window.MnuAdjustAction->trigger();
        pick(line, window.CmdEdit);
        return shown<FrmActChange>();
    }
};

TEST_F(ActionReviewTest, ListingWaitsForEditOrCancelAndRefusesALineThatIsNoAction) {
    const Files before = files();
    window.MnuAdjustAction->trigger();
    EXPECT_EQ(window.listLines().value(0), "                - Actions Taken for This Report -");
    EXPECT_TRUE(window.CmdEdit->isVisible());
    EXPECT_FALSE(window.CmdDisplay->isVisible());
    pick(2, window.CmdCancel);
    expectSummaryBack("cancelled");
    for (int line : {-1, 0}) {
        EXPECT_EQ(edit(line), nullptr);
        EXPECT_EQ(lastMessage(), " oops no action selected ");
        expectSummaryBack("no action");
    }
    EXPECT_TRUE(files() == before);
}

TEST_F(ActionReviewTest, TheEditorShowsTheActionRefusesWhatCannotBeAndSavesTheEdit) {
    FrmActChange* e = edit(1);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(e->windowTitle(), "Edit Action Entry");
    EXPECT_EQ(e->lblActType->text(), "Budget Expenditure");
    EXPECT_EQ(e->TxtAcctNumber->text(), "101");
    EXPECT_EQ(e->TxtAmount->text(), "40.00");
    EXPECT_EQ(e->TxtRef->text(), "ck 1      ");
    const Files before = files();
    for (const auto& [number, amount, message] :
         {std::tuple{"101", "4 5", "\"4 5\" in the box \"Amount\" is not an amount"},
          std::tuple{"22", "45.00", "No budget account has the number \"22\""}}) {
        e->TxtAcctNumber->setText(number);
        e->TxtAmount->setText(amount);
        QTest::mouseClick(e->Command1, Qt::LeftButton);
        EXPECT_TRUE(lastMessage().startsWith(message)) << lastMessage().toStdString();
        ASSERT_EQ(shown<FrmActChange>(), e);
        EXPECT_EQ(e->TxtAmount->text(), QString(amount));
    }
    EXPECT_TRUE(files() == before);
    e->TxtAcctNumber->setText("101");
    e->TxtAmount->clear();
    QTest::keyClicks(e->TxtAmount, "45");
    QTest::mouseClick(e->Command1, Qt::LeftButton);
    expectSummaryBack("edited");
    EXPECT_EQ(onDisk(path).BudgetAmount[1][kSpentInMonth], Money::cents(4500));
}

// The editor said the edit failed while the journal already held it.
TEST_F(ActionReviewTest, AnEditWhoseMonthSaveFailsIsReportedRecordedAndTheEditorCloses) {
    FrmActChange* e = edit(1);
    ASSERT_NE(e, nullptr);
    e->TxtAmount->setText("45");
    {
        ScopedFileFault full([this](FileStep step, const std::string& p) {
            return step == FileStep::Sync && p == path ? EIO : 0;
        });
        QTest::mouseClick(e->Command1, Qt::LeftButton);
    }
    EXPECT_TRUE(lastMessage().startsWith("The change is recorded"));
    expectSummaryBack("recorded");
    EXPECT_EQ(window.ledger().BudgetAmount[1][kSpentInMonth], Money::cents(4500));
}

TEST_F(ActionReviewTest, DeletingAsksFirstNamingTheActionAndCancelOrCloseChangeNothing) {
    const Files before = files();
    for (int way : {0, 1, 2}) {     // Cancel, closing, Delete answered No
        FrmActChange* e = edit(4);  // the "Transfer In" line
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->lblActType->text(), "Transfer In to Designated Account");
        EXPECT_EQ(e->LblDAcct->text(), "Memorial Fund");
        EXPECT_FALSE(e->TxtAcctNumber->isVisible());
        e->TxtAmount->setText("999");
        if (way == 0) QTest::mouseClick(e->Command2, Qt::LeftButton);
        if (way == 1) e->close();
        if (way == 2) {
            dialogs().answerNext(Answer::No);
            QTest::mouseClick(e->Command3, Qt::LeftButton);
            EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
            EXPECT_TRUE(lastMessage().startsWith(
                "Delete this action?\n\nTransfer In to Designated Account (Memorial Fund), 10.00\n\n"))
                << lastMessage().toStdString();
            ASSERT_EQ(shown<FrmActChange>(), e);
            dialogs().answerNext(Answer::Yes);
            QTest::mouseClick(e->Command3, Qt::LeftButton);
        }
        expectSummaryBack("way " + std::to_string(way));
        EXPECT_EQ(files() == before, way != 2);
    }
    EXPECT_TRUE(window.ledger().Summary[kInternalTransfers].isZero());  // both halves went
}

TEST_F(ActionReviewTest, CashViewIsOneShot) {
    window.MnuCashShow->trigger();
    EXPECT_EQ(window.listLines().size(), 3);  // title, the expenditure and the deposit
    pick(-1, window.CmdCancel);
    window.MnuAdjustAction->trigger();
    EXPECT_EQ(window.listLines().size(), 6);
}

// Past 999 records each line still leads to its own record.
TEST_F(MainWindowTest, EveryRecordOfALongJournalCanBeEdited) {
    const std::string month = folder.path("LONG.rep");
    test::writeMonth(test::sampleLedger(), month);
    std::string journal;
    for (int n = 1; n <= 1001; ++n)
        journal += test::keyed("DP", "", Money::cents(n)).text();
    test::writeFile(Journal::pathFor(month), journal);  // written at once: a thousand flushes take long
    open(month);
    window.MnuAdjustAction->trigger();
    pick(1000, window.CmdEdit);
    auto* e = shown<FrmActChange>();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->TxtAmount->text(), "10.00");
    QTest::mouseClick(e->Command2, Qt::LeftButton);
}

TEST_F(ActionReviewTest, SourcesAreRenamedAndShowTheirActions) {
    window.MnuCSource->trigger();
    EXPECT_EQ(window.listLines().value(0), "    - list of miscellaneous income sources -");
    for (QPushButton* b : {window.CmdEdit, window.CmdDisplay, window.CmdCancel})
        EXPECT_TRUE(b->isVisible());
    dialogs().typeNext("Bake Sale, Fall");
    pick(1, window.CmdEdit);
    EXPECT_EQ(dialogs().prompts().back(), "What would be the revised name");
    EXPECT_EQ(onDisk(path).SourceName[1], "Bake Sale, Fall");

    window.MnuCSource->trigger();
    pick(1, window.CmdDisplay);
    EXPECT_EQ(window.listLines().size(), 2);  // the title and the source's one note
    pick(-1, window.CmdCancel);

    const Files before = files();
    window.MnuCSource->trigger();
    dialogs().cancelInputNext();
    pick(1, window.CmdEdit);
    for (auto [button, message] : {std::pair{window.CmdEdit, "Invalid entry selected"},
                                   std::pair{window.CmdDisplay, "You must select the entry to view"}}) {
        window.MnuCSource->trigger();
        pick(0, button);
        EXPECT_EQ(lastMessage(), message);
        expectSummaryBack(message);
    }
    EXPECT_TRUE(files() == before);
}

TEST_F(MainWindowTest, ASourceAfterAGapIsRenamedInItsOwnRow) {
    Ledger ledger = test::sampleLedger();
    ledger.SourceId[3] = "33333";
    ledger.SourceName[3] = "Rental";
    openSample("GAP.rep", {}, ledger);
    window.MnuCSource->trigger();
    dialogs().typeNext("Hall Rental");
    pick(2, window.CmdEdit);
    EXPECT_EQ(window.ledger().SourceName[3], "Hall Rental");
    EXPECT_EQ(window.ledger().SourceName[1], "Bake Sale");
}

TEST_F(ActionReviewTest, MainBalanceIsReplacedByTheAnswer) {
    const Files before = files();
    dialogs().cancelInputNext();
    window.MnuChangeBalance->trigger();
    EXPECT_EQ(dialogs().prompts().back(), "What balance do you wish to substitute?");
    dialogs().typeNext("1e15");  // refused, not read as 1
    window.MnuChangeBalance->trigger();
    EXPECT_TRUE(lastMessage().startsWith("\"1e15\" in the box \"Beginning Balance\""));
    EXPECT_TRUE(files() == before);
    dialogs().typeNext("1,250");
    window.MnuChangeBalance->trigger();
    expectSummaryBack("replaced");
    EXPECT_EQ(onDisk(path).Summary[kBeginningBalance], Money::cents(125000));
}

TEST_F(ActionReviewTest, UsageListingWaitsForCancel) {
    window.MnuUsage->trigger();
    EXPECT_EQ(window.listLines().value(0),
              "        - Budget Accounts -             ANNUAL        EXPENDED      MONTHS OF");
    EXPECT_FALSE(window.CmdBx->isVisible());
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    EXPECT_TRUE(window.CmdBx->isVisible());
    EXPECT_TRUE(window.CmdDx->isVisible());
    expectSummaryBack("cancelled");
}

}  // namespace
}  // namespace quorvel::ui
