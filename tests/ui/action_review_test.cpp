#include <QLabel>
#include <QTest>
#include <tuple>

#include "ledger/file_faults.h"
#include "ledger/month_file.h"
#include "ui/review/FrmActChange.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

FrmActChange* editor() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* e = qobject_cast<FrmActChange*>(w); e && e->isVisible()) return e;
    }
    return nullptr;
}

// A month with a budget expenditure, a deposit, a transfer pair and a source note.
class ActionReviewTest : public MainWindowTest {
protected:
    void SetUp() override {
        path = openSample("DEC2026.rep", {test::bx("101", Money::cents(4000), "ck 1"),
                                          test::keyed("DP", "", Money::cents(50000)),
                                          test::to("102", Money::cents(1000)),
                                          composeKeyedRecord("TI", "01234", "10.00", ""),
                                          test::keyed("SX", "11111", Money::cents(1250))});
    }

    void choose(int line, QPushButton* button) {
        if (line >= 0) window.LstMain->setCurrentRow(line);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::string journalBytes() { return test::readFile(Journal::pathFor(path)); }

    std::string path;
};

TEST_F(ActionReviewTest, ListsEveryActionAndCancelChangesNothing) {
    window.MnuAdjustAction->trigger();
    const QStringList lines = window.listLines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "                - Actions Taken for This Report -");
    EXPECT_TRUE(lines[1].startsWith("Budget Expenditure       101 Pastor, Salary"));
    EXPECT_TRUE(window.CmdEdit->isVisible());
    EXPECT_TRUE(window.CmdCancel->isVisible());
    EXPECT_FALSE(window.CmdDisplay->isVisible());
    const std::string before = journalBytes();
    choose(2, window.CmdCancel);
    EXPECT_EQ(window.listLines().size(), 13);  // the summary, with sources and transfers
    EXPECT_FALSE(window.CmdEdit->isVisible());
    EXPECT_EQ(journalBytes(), before);
}

TEST_F(ActionReviewTest, EditingWithoutAnActionChosen) {
    for (int line : {-1, 0}) {
        window.MnuAdjustAction->trigger();
        choose(line, window.CmdEdit);
        EXPECT_EQ(dialogs().messages().back(), " oops no action selected ");
        EXPECT_EQ(window.listLines().size(), 13);  // the summary, with sources and transfers
        EXPECT_EQ(editor(), nullptr);
    }
}

TEST_F(ActionReviewTest, EditedAmountReachesTheSummaryAtOnce) {
    window.MnuAdjustAction->trigger();
    choose(1, window.CmdEdit);
    FrmActChange* e = editor();
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(e->windowTitle(), "Edit Action Entry");
    EXPECT_EQ(e->lblActType->text(), "Budget Expenditure");
    EXPECT_EQ(e->TxtAcctNumber->text(), "101");
    EXPECT_EQ(e->TxtAmount->text(), "40.00");
    EXPECT_EQ(e->TxtRef->text(), "ck 1      ");
    // An amount that is no amount, or a number that names no account, is refused in the open window.
    const std::string before = journalBytes();
    for (const auto& [number, amount, message] :
         {std::tuple{"101", "4 5", "\"4 5\" in the box \"Amount\" is not an amount"},
          std::tuple{"22", "45.00", "No budget account has the number \"22\""}}) {
        e->TxtAcctNumber->setText(number);
        e->TxtAmount->setText(amount);
        QTest::mouseClick(e->Command1, Qt::LeftButton);
        EXPECT_TRUE(dialogs().messages().back().startsWith(message))
            << dialogs().messages().back().toStdString();
        ASSERT_EQ(editor(), e);
        EXPECT_EQ(e->TxtAmount->text(), QString(amount));
    }
    EXPECT_EQ(journalBytes(), before);
    e->TxtAcctNumber->setText("101");
    e->TxtAmount->clear();
    QTest::keyClicks(e->TxtAmount, "45");
    QTest::mouseClick(e->Command1, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(window.ledger().BudgetAmount[1][kSpentInMonth], Money::cents(4500));
    EXPECT_TRUE(window.listLines().contains(QString("Budget Expenditures").leftJustified(35) +
                                            QString("55.00").rightJustified(12)));
}

// The editor said the edit failed while the journal already held it.
TEST_F(ActionReviewTest, AnEditWhoseMonthSaveFailsIsReportedRecordedAndTheEditorCloses) {
    window.MnuAdjustAction->trigger();
    choose(1, window.CmdEdit);
    FrmActChange* e = editor();
    ASSERT_NE(e, nullptr);
    e->TxtAmount->setText("45");
    {
        ScopedFileFault full([this](FileStep step, const std::string& p) {
            return step == FileStep::Sync && p == path ? EIO : 0;
        });
        QTest::mouseClick(e->Command1, Qt::LeftButton);
    }
    EXPECT_TRUE(dialogs().lastMessage().text.startsWith("The change is recorded"));
    EXPECT_EQ(editor(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.ledger().BudgetAmount[1][kSpentInMonth], Money::cents(4500));
}

TEST_F(ActionReviewTest, DeletingOneHalfCancelsTheTransfer) {
    window.MnuAdjustAction->trigger();
    choose(4, window.CmdEdit);  // the "Transfer In" line
    FrmActChange* e = editor();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->lblActType->text(), "Transfer In to Designated Account");
    EXPECT_EQ(e->LblDAcct->text(), "Memorial Fund");
    EXPECT_FALSE(e->TxtAcctNumber->isVisible());
    // Deleting asks first, naming the action; No keeps it and the editor.
    const std::string before = journalBytes();
    dialogs().answerNext(Answer::No);
    QTest::mouseClick(e->Command3, Qt::LeftButton);
    EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(dialogs().lastMessage().text.startsWith(
        "Delete this action?\n\nTransfer In to Designated Account (Memorial Fund), 10.00\n\n"))
        << dialogs().lastMessage().text.toStdString();
    EXPECT_EQ(journalBytes(), before);
    ASSERT_EQ(editor(), e);
    dialogs().answerNext(Answer::Yes);
    QTest::mouseClick(e->Command3, Qt::LeftButton);
    EXPECT_TRUE(window.ledger().Summary[kInternalTransfers].isZero());
    window.MnuAdjustAction->trigger();
    EXPECT_TRUE(window.listLines()[3].startsWith("      - this action item has been cancelled -"));
    EXPECT_TRUE(window.listLines()[4].startsWith("      - this action item has been cancelled -"));
}

TEST_F(ActionReviewTest, CancelAndCloseInTheEditorChangeNothing) {
    const std::string before = journalBytes();
    for (bool close : {false, true}) {
        window.MnuAdjustAction->trigger();
        choose(2, window.CmdEdit);
        FrmActChange* e = editor();
        ASSERT_NE(e, nullptr);
        e->TxtAmount->setText("999");
        if (close) {
            e->close();
        } else {
            QTest::mouseClick(e->Command2, Qt::LeftButton);
        }
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(journalBytes(), before);
    }
}

TEST_F(ActionReviewTest, CashViewIsOneShot) {
    window.MnuCashShow->trigger();
    EXPECT_EQ(window.listLines().size(), 3);  // title, the expenditure and the deposit
    choose(-1, window.CmdCancel);
    window.MnuAdjustAction->trigger();
    EXPECT_EQ(window.listLines().size(), 6);
}

// Past 999 records each line still leads to its own record.
TEST_F(MainWindowTest, EveryRecordOfALongJournalCanBeEdited) {
    const std::string path = folder.path("LONG.rep");
    test::writeMonth(test::sampleLedger(), path);
    std::string journal;
    for (int n = 1; n <= 1001; ++n) journal += test::keyed("DP", "", Money::cents(n)).text();
    test::writeFile(Journal::pathFor(path), journal);  // written at once: a thousand flushes take long
    dialogs().chooseFileNext(QString::fromStdString(path));
    window.MnuOpen->trigger();
    window.MnuAdjustAction->trigger();
    ASSERT_EQ(window.listLines().size(), 1002);
    EXPECT_TRUE(window.listLines()[1000].endsWith(" 1000"));
    window.LstMain->setCurrentRow(1000);
    QTest::mouseClick(window.CmdEdit, Qt::LeftButton);
    FrmActChange* e = editor();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->TxtAmount->text(), "10.00");
    QTest::mouseClick(e->Command2, Qt::LeftButton);
}

TEST_F(ActionReviewTest, SourcesAreRenamedAndShowTheirActions) {
    window.MnuCSource->trigger();
    ASSERT_EQ(window.listLines().size(), 2);
    EXPECT_EQ(window.listLines()[0], "    - list of miscellaneous income sources -");
    for (QPushButton* b : {window.CmdEdit, window.CmdDisplay, window.CmdCancel}) EXPECT_TRUE(b->isVisible());

    dialogs().typeNext("Bake Sale, Fall");
    choose(1, window.CmdEdit);
    EXPECT_EQ(dialogs().prompts().back(), "What would be the revised name");
    EXPECT_EQ(window.ledger().SourceName[1], "Bake Sale, Fall");
    EXPECT_EQ(window.ledger().SourceAmount[1], Money::cents(1250));

    window.MnuCSource->trigger();
    choose(1, window.CmdDisplay);
    EXPECT_EQ(window.listLines().size(), 2);  // the title and the source's one note
    EXPECT_TRUE(window.listLines()[1].startsWith("Note Deposit Source"));
    choose(-1, window.CmdCancel);

    window.MnuCSource->trigger();
    dialogs().cancelInputNext();
    choose(1, window.CmdEdit);
    EXPECT_EQ(window.ledger().SourceName[1], "Bake Sale, Fall");
    for (auto [button, message] : {std::pair{window.CmdEdit, "Invalid entry selected"},
                                   std::pair{window.CmdDisplay, "You must select the entry to view"}}) {
        window.MnuCSource->trigger();
        choose(0, button);
        EXPECT_EQ(dialogs().messages().back(), message);
        EXPECT_FALSE(window.CmdEdit->isVisible());
    }
}

TEST_F(MainWindowTest, ASourceAfterAGapIsRenamedInItsOwnRow) {
    Ledger ledger = test::sampleLedger();
    ledger.SourceId[3] = "33333";
    ledger.SourceName[3] = "Rental";
    const std::string path = folder.path("GAP.rep");
    test::writeMonth(ledger, path);
    dialogs().chooseFileNext(QString::fromStdString(path));
    window.MnuOpen->trigger();
    window.MnuCSource->trigger();
    window.LstMain->setCurrentRow(2);
    dialogs().typeNext("Hall Rental");
    QTest::mouseClick(window.CmdEdit, Qt::LeftButton);
    EXPECT_EQ(window.ledger().SourceName[3], "Hall Rental");
    EXPECT_EQ(window.ledger().SourceName[1], "Bake Sale");
    EXPECT_EQ(window.ledger().SourceName[2], "0");
}

TEST_F(ActionReviewTest, MainBalanceIsReplacedByTheAnswer) {
    dialogs().cancelInputNext();
    window.MnuChangeBalance->trigger();
    EXPECT_EQ(dialogs().prompts().back(), "What balance do you wish to substitute?");
    EXPECT_EQ(window.ledger().Summary[kBeginningBalance], Money::cents(100075));

    dialogs().typeNext("1e15");  // refused, not read as 1
    window.MnuChangeBalance->trigger();
    EXPECT_TRUE(dialogs().messages().back().startsWith("\"1e15\" in the box \"Beginning Balance\""));
    EXPECT_EQ(window.ledger().Summary[kBeginningBalance], Money::cents(100075));

    dialogs().typeNext("1,250");
    window.MnuChangeBalance->trigger();
    EXPECT_EQ(window.ledger().Summary[kBeginningBalance], Money::cents(125000));
    EXPECT_TRUE(window.listLines().contains(QString("Beginning Balance").leftJustified(35) +
                                            QString("1250.00").rightJustified(12)));
    Ledger reloaded;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(reloaded, journal, path, JournalMode::ReadOnly).ok());
    EXPECT_EQ(reloaded.Summary[kBeginningBalance], Money::cents(125000));
}

TEST_F(ActionReviewTest, UsageListingWaitsForCancel) {
    window.MnuUsage->trigger();
    const QStringList lines = window.listLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "        - Budget Accounts -             ANNUAL        EXPENDED      MONTHS OF");
    EXPECT_EQ(lines[2].mid(65, 12), "        3.40");  // 340.50 of 1200.00 spent
    EXPECT_FALSE(window.CmdBx->isVisible());
    EXPECT_TRUE(window.CmdCancel->isVisible());
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    EXPECT_TRUE(window.CmdBx->isVisible());
    EXPECT_TRUE(window.CmdDx->isVisible());
    EXPECT_EQ(window.listLines().size(), 13);  // the summary, with sources and transfers
}

}  // namespace
}  // namespace quorvel::ui
