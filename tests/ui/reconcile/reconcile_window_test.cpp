// The reconciliation window's wiring: the demo month against its statement with a bank charge
// added, the charge recorded from the window, the file saved beside the month, and a CSV whose
// columns the treasurer names.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>

#include "ledger/journal.h"
#include "ui/mainwindow/user_settings.h"
#include "ui/reconcile/FrmReconcile.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

class ReconcileWindowTest : public MainWindowTest {
  protected:
    FrmReconcile* openReconcile(const std::string& statement) {
        dialogs().chooseFileNext(QString::fromStdString(statement));
        window.findChild<QAction*>("MnuReconcile")->trigger();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<FrmReconcile*>(w); found && found->isVisible()) return found;
        return nullptr;
    }
    static void select(QListWidget* list, int row) {
        list->setCurrentRow(row);
        list->item(row)->setSelected(true);
    }
};

TEST_F(ReconcileWindowTest, DemoMonthReconcilesRecordsTheBankChargeAndSaves) {
    namespace fs = std::filesystem;
    const std::string demo = QUORVEL_DEMO_DIR;
    for (const char* name : {"DEC2026.rep", "DEC2026.jrn"})
        fs::copy_file(demo + "/" + name, folder.path(name));
    test::writeFile(folder.path("dec.csv"), test::readFile(demo + "/DEC2026-statement.csv") +
                                                "12/31/2026,SERVICE CHARGE,,-15.00,16198.05\r\n");
    dialogs().chooseFileNext(QString::fromStdString(folder.path("DEC2026.rep")));
    window.MnuOpen->trigger();

    FrmReconcile* rec = openReconcile(folder.path("dec.csv"));
    ASSERT_NE(rec, nullptr);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(rec->LstMatched->count(), 22);
    EXPECT_EQ(rec->LstOutstanding->count(), 2);
    EXPECT_EQ(rec->LstInTransit->count(), 1);
    ASSERT_EQ(rec->LstBankOnly->count(), 1);

    rec->TxtOtherName[0]->setText("Fund Savings");
    rec->TxtOtherAmount[0]->setText("53,139.6x");
    EXPECT_TRUE(rec->LblFormula->text().contains("Incomplete until"))
        << rec->LblFormula->text().toStdString();
    rec->CmdSave->click();
    EXPECT_TRUE(dialogs().messages().back().startsWith("The reconciliation was not saved: correct"));
    EXPECT_FALSE(fs::exists(folder.path("DEC2026.rec")));
    rec->TxtOtherAmount[0]->setText("53,139.60");
    select(rec->LstBankOnly, 0);
    rec->CboAccount->setCurrentIndex(rec->CboAccount->findText("440", Qt::MatchStartsWith));
    for (const auto answer : {platform::Answer::No, platform::Answer::Yes}) {
        dialogs().answerNext(answer);
        rec->CmdRecord->click();
        EXPECT_TRUE(dialogs().messages().back().startsWith("Record 15.00 as a budget expenditure of 440 "))
            << dialogs().messages().back().toStdString();
        EXPECT_EQ(rec->LstBankOnly->count(), answer == platform::Answer::No ? 1 : 0);
    }
    EXPECT_EQ(rec->LstMatched->count(), 23);
    Journal journal;
    ASSERT_TRUE(journal.open(folder.path("DEC2026.jrn"), JournalMode::ReadOnly));
    EXPECT_EQ(journal.read(journal.recordCount())->text(), "BX   440  15          12/31/26    ");
    EXPECT_TRUE(rec->LblFormula->text().endsWith("Difference (the books agree)               0.00"))
        << rec->LblFormula->text().toStdString();

    // 22 proposals left: cancelled, nothing is written; saved as proposals, or confirmed first.
    using platform::Answer;
    const std::vector<std::tuple<Answer, bool, std::size_t>> saves = {
        {Answer::Cancel, false, 0}, {Answer::No, true, 22}, {Answer::Yes, true, 0}};
    for (const auto& [answer, written, proposals] : saves) {
        dialogs().answerNext(answer);
        const std::size_t asked = dialogs().shown.size();
        rec->CmdSave->click();
        EXPECT_EQ(dialogs().shown.at(asked).buttons, platform::Buttons::YesNoCancel);
        EXPECT_EQ(fs::exists(folder.path("DEC2026.rec")), written);
        if (!written) continue;
        EXPECT_EQ(dialogs().messages().back(), "The reconciliation is saved beside the month.");
        const std::string text = test::readFile(folder.path("DEC2026.rec"));
        std::size_t found = 0;
        for (std::size_t at = text.find("\tP\n"); at != std::string::npos; at = text.find("\tP\n", at + 1))
            ++found;
        EXPECT_EQ(found, proposals);
    }
    EXPECT_TRUE(
        dialogs().messages().contains("22 proposed matches are not confirmed. Confirm them before "
                                      "saving?\n\nNo saves them as proposals: they clear nothing and "
                                      "carry into next month."));
    const std::string saved = test::readFile(folder.path("DEC2026.rec"));
    EXPECT_NE(saved.find("\tSERVICE CHARGE\tDEC2026:42\tC\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("other\tFund Savings\t53139.6\n"), std::string::npos) << saved;

    // Printing asks first, naming the printer, and prints the page down to its difference.
    dialogs().answerNext(platform::Answer::No);
    rec->CmdPrint->click();
    EXPECT_EQ(dialogs().messages().back(), "Is the default printer ready?");
    EXPECT_TRUE(testPlatform().printJobs().empty());
    dialogs().answerNext(platform::Answer::Yes);
    rec->CmdPrint->click();
    EXPECT_TRUE(testPlatform().onlyPrintJob().allText().join('\n').contains("Difference (the books agree)"));

    // A statement whose columns are not named and whose date reads either way: the treasurer
    // names the columns and the order, and they are kept. Its newest row is still pending.
    test::writeFile(folder.path("odd.csv"),
                    "When,What,Sum,Left\n08/12/2026,GIFT,1.00,1.00\n09/12/2026,CARD,2.00,\n");
    dialogs().chooseFileNext(QString::fromStdString(folder.path("odd.csv")));
    dialogs().typeNext("date=1,description=2,amount=3,balance=4");
    dialogs().typeNext("dmy");
    EXPECT_TRUE(rec->CmdStatement_Click());
    EXPECT_EQ(rec->LstBankOnly->count(), 1);
    EXPECT_TRUE(
        rec->LblStatement->text().endsWith("\nPending at the bank (not in the closing balance): 2026-12-09"
                                           "                    2.00  CARD"))
        << rec->LblStatement->text().toStdString();
    EXPECT_EQ(rec->reconciliation().statement.lines[0].date, dayNumber(2026, 12, 8));
    EXPECT_EQ(csvStatementColumns(), "date=1,description=2,amount=3,balance=4,dates=dmy");

    // The new statement is not saved: closing asks first.
    dialogs().answerNext(platform::Answer::No);
    rec->CmdClose->click();
    EXPECT_FALSE(window.isVisible());
    dialogs().answerNext(platform::Answer::Yes);
    rec->CmdClose->click();
    EXPECT_TRUE(window.isVisible());

    // Last month's files cannot be read: said at once, naming the file, and Save refuses rather
    // than drop its items.
    test::writeFile(folder.path("nov2026.REC"), "damaged\n");
    window.findChild<QAction*>("MnuReconcile")->trigger();
    EXPECT_TRUE(dialogs().messages().back().startsWith(QString::fromStdString(folder.path("nov2026.REC"))));
    FrmReconcile* again = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<FrmReconcile*>(w); found && found->isVisible()) again = found;
    ASSERT_NE(again, nullptr);
    again->CmdSave->click();
    EXPECT_TRUE(dialogs().messages().back().startsWith("The reconciliation was not saved"))
        << dialogs().messages().back().toStdString();
    EXPECT_EQ(test::readFile(folder.path("DEC2026.rec")), saved);
    again->CmdClose->click();
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace quorvel::ui
