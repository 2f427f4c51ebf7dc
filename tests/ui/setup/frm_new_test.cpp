// File, New Annual Budget Setup: the question, the entries typed and clicked in, the words
// shown, and Save and Exit with the main window taking the new month.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>

#include "setup/annual_setup.h"
#include "setup/setup_list.h"
#include "ui/setup/FrmNew.h"
#include "ui/setup/setup_commands.h"
#include "ui/widgets/AmountBox.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using platform::Buttons;
using testkit::Shown;

int filesIn(const test::TestFolder& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder.root()), {}));
}

class SetupTest : public MainWindowTest {
  protected:
    // The command answered Yes: the setup window on screen and active, ready for typing.
    FrmNew* begin() {
        dialogs().answerNext(Answer::Yes);
        MnuNew_Click(window);
        FrmNew* form = shown<FrmNew>();
        // An X server under load may deliver the activation a few events later.
        EXPECT_TRUE(form && QTest::qWaitForWindowActive(form));
        return form;
    }
    // Clicks into the box, which takes the focus from wherever it was, and types over what it shows.
    static void typeInto(QLineEdit* box, const QString& text) {
        // Without a window manager, a late focus event of an earlier window can take the
        // activation away; the click and the typing are what is tested here.
        if (!box->window()->isActiveWindow()) box->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box->window()));
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_TRUE(box->hasFocus()) << box->objectName().toStdString();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void addBudget(FrmNew* f, const QString& number, const QString& name, const QString& budget) {
        typeInto(f->TxtAcctNumber, number);
        typeInto(f->TxtAcctName, name);
        typeInto(f->TxtBudgetAmount, budget);
        click(f->Command1);
    }
    static QStringList listOf(FrmNew* f) {
        QStringList lines;
        for (int i = 0; i < f->List1->count(); ++i)
            lines << f->List1->item(i)->text();
        return lines;
    }
    // Cash on hand, the file dialog answered with `name`, Save and Exit.
    void save(FrmNew* f, const QString& cash, const std::string& name) {
        typeInto(f->TxtCashOnHand, cash);
        dialogs().chooseFileNext(QString::fromStdString(name));
        click(f->Command3);
    }
    // The setup window still open over the hidden main window, its entries kept.
    void expectStillOpen(FrmNew* f, const QStringList& list) {
        EXPECT_EQ(shown<FrmNew>(), f);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(listOf(f), list);
    }
};

TEST_F(SetupTest, YesDiscardsTheLoadedMonthAndOpensAnEmptySetupNoKeepsIt) {
    dialogs().answerNext(Answer::No);  // nothing loaded: the window does not open either
    MnuNew_Click(window);
    EXPECT_EQ(shown<FrmNew>(), nullptr);
    EXPECT_FALSE(window.MnuActions->isEnabled());
    openSample();
    window.setListLines({"some listing"});
    dialogs().answerNext(Answer::No);
    MnuNew_Click(window);
    EXPECT_EQ(shown<FrmNew>(), nullptr);
    expectSummaryBack("kept");
    EXPECT_TRUE(window.journal().isOpen());

    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(dialogs().lastMessage().text, "OK to delete current information?");
    EXPECT_EQ(dialogs().lastMessage().buttons, Buttons::YesNo);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.LstMain->count(), 0);
    EXPECT_EQ(window.ledger().BudgetCount, 0);
    EXPECT_TRUE(window.ledger().CurrentFile.empty());
    EXPECT_FALSE(window.journal().isOpen());
    EXPECT_EQ(f->windowTitle(), "Setting Up a New Report - use for first setup of the year");
    const std::pair<const char*, const char*> captions[] = {{"Label1", "Sum of all cash on hand"},
                                                            {"Label4", "Account #"},
                                                            {"Label5", "<< 3 Digits Only, please!"},
                                                            {"Label2", "Account Name"},
                                                            {"Label3", "Budget Amount"},
                                                            {"Label6", "Balance "},
                                                            {"OptBudget", "Budget Entry"},
                                                            {"OptDesignated", "Designated Fund Entry"},
                                                            {"Command1", "Add This Fund"},
                                                            {"CmdDeleteFund", "Delete highlighted Fund"},
                                                            {"Command2", "Cancel"},
                                                            {"Command3", "Save and Exit"}};
    for (const auto& [name, caption] : captions) {
        auto* control = f->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->property("text").toString(), caption) << name;
    }
    EXPECT_TRUE(f->OptBudget->isChecked());
    EXPECT_TRUE(f->TxtCashOnHand->hasFocus());
}

TEST_F(SetupTest, TheBoxesPadTheNumberAndAnUntouchedBalanceIsTheWholeBudget) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    const std::pair<const char*, const char*> numbers[] = {{"7", "007"},  {"1234", "123"}, {"", ""},
                                                           {" 5", "005"}, {"000", "000"},  {"AB", "AB"}};
    for (const auto& [typed, shownNumber] : numbers) {
        f->TxtAcctNumber->clear();
        typeInto(f->TxtAcctNumber, typed);
        QTest::keyClick(f->TxtAcctNumber, Qt::Key_Tab);
        EXPECT_EQ(f->TxtAcctNumber->text(), shownNumber) << typed;
    }
    const struct {
        bool balanceFocused;
        QString balance;
        const char* remaining;
    } cases[] = {{true, "", "1200.00"}, {false, "", "1200.00"}, {true, "900", "900.00"}};
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(row);
        typeInto(f->TxtAcctNumber, QString::number(101 + row));
        typeInto(f->TxtAcctName, "Account");
        typeInto(f->TxtBudgetAmount, "1200");
        if (c.balanceFocused) {
            QTest::keyClick(f->TxtBudgetAmount, Qt::Key_Tab);  // on to the balance
            ASSERT_TRUE(f->TxtBalance->hasFocus());
            EXPECT_EQ(f->TxtBudgetAmount->text(), "1200.00");
            QTest::keyClicks(f->TxtBalance, c.balance);
        }
        click(f->Command1);
        EXPECT_EQ(f->setup().tables().BudgetAmount[++row][kRemaining].format00(), c.remaining);
        for (QLineEdit* box : {f->TxtAcctNumber, f->TxtAcctName, static_cast<QLineEdit*>(f->TxtBudgetAmount),
                               static_cast<QLineEdit*>(f->TxtBalance)})
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        EXPECT_TRUE(f->TxtAcctNumber->hasFocus());
    }
    f->List1->setCurrentRow(2);  // listed in reverse order: 102
    click(f->CmdDeleteFund);
    EXPECT_EQ(f->setup().tables().BudgetCount, 2);
    EXPECT_EQ(f->setup().tables().BudgetAcctNumber[2], "103");
}

TEST_F(SetupTest, DesignatedModeHidesTheBudgetBoxesAndKeepsEachListApart) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200");
    const QList<QWidget*> budgetOnly = {f->findChild<QLabel*>("Label4"), f->TxtAcctNumber,
                                        f->findChild<QLabel*>("Label5"), f->findChild<QLabel*>("Label3"),
                                        f->TxtBudgetAmount};
    QTest::mouseClick(f->OptDesignated, Qt::LeftButton);
    for (QWidget* w : budgetOnly)
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(f->TxtAcctName->isVisible() && f->TxtBalance->isVisible());
    EXPECT_EQ(f->List1->count(), 0);
    typeInto(f->TxtAcctName, "Organ");
    typeInto(f->TxtBalance, "12.5");
    click(f->Command1);
    EXPECT_EQ(f->setup().tables().DesigCount, 1);
    EXPECT_EQ(listOf(f).value(0), kFundTitle);
    EXPECT_TRUE(f->TxtAcctName->hasFocus());
    QTest::mouseClick(f->OptBudget, Qt::LeftButton);
    for (QWidget* w : budgetOnly)
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(listOf(f).size(), 2);
    EXPECT_EQ(listOf(f).value(0), kBudgetTitle);
}

TEST_F(SetupTest, RefusedEntriesAddNothingAndStayInTheBoxes) {
    const struct {
        bool budget;
        QString number, name;
        QString message;
        int line = -2;  // -2: Add This Fund; otherwise Delete with this line selected
    } cases[] = {
        {true, "101", "Pastor again", kDuplicateAccountNumber},
        {true, "", "Never padded", "Type the account number: three digits, 001 to 999."},
        {true, "000", "Zero", "The account number \"000\" cannot be charged: type three digits, 001 to 999."},
        {true, "ABC", "Letters",
         "The account number \"ABC\" cannot be charged: type three digits, 001 to 999."},
        {true, "202", "The \"Best\" Choir", "The name may not contain a double quote (\")."},
        {false, "", "Fund \u4e2d", "The name holds a character that cannot be stored in the month's files."},
        {true, "", "", kNoLineSelected, 0},
        {true, "", "", kNoLineSelected, -1},
    };
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        (c.budget ? f->OptBudget : f->OptDesignated)->setChecked(true);
        const QStringList list = listOf(f);
        f->TxtAcctNumber->setText(c.number);
        f->TxtBudgetAmount->setText(c.budget ? "50.00" : "");
        f->TxtAcctName->setText(c.name);
        f->TxtBalance->setText("50.00");
        if (c.line == -2) {
            click(f->Command1);
        } else {
            c.line < 0 ? f->List1->clearSelection() : f->List1->setCurrentRow(c.line);
            click(f->CmdDeleteFund);
        }
        EXPECT_EQ(lastMessage(), c.message);
        EXPECT_EQ(f->setup().tables().BudgetCount, 1);
        EXPECT_EQ(f->setup().tables().DesigCount, 0);
        EXPECT_EQ(f->TxtAcctName->text(), c.name);
        EXPECT_EQ(f->TxtBalance->text(), "50.00");
        EXPECT_EQ(listOf(f), list);
    }
}

TEST_F(SetupTest, SaveAndExitWritesTheFirstMonthAndTheMainWindowTakesIt) {
    openSample();
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200");
    path = folder.path("JAN2027.rep");
    const std::string stale(test::keyed("DP", "", Money::cents(99900)).text());
    test::writeFile(Journal::pathFor(path), stale);  // moved aside, not replayed
    save(f, "1500.25", path);
    const Shown& dialog = dialogs().shown.back();
    EXPECT_EQ(dialog.kind, Shown::Kind::SaveFile);
    EXPECT_EQ(dialog.file.title, "Save New Report as . . (hint: MMMYYYY.REP)");
    EXPECT_EQ(dialog.file.pattern, "*.rep");
    EXPECT_EQ(dialog.file.initialName, "*.rep");
    EXPECT_EQ(dialog.file.defaultExtension, "rep");
    EXPECT_TRUE(dialog.file.overwritePrompt);
    expectSummaryBack("saved");
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_EQ(window.ledger().Summary[kBeginningBalance], onDisk(path).Summary[kBeginningBalance]);
    EXPECT_EQ(onDisk(path).BudgetAcctName[1], "Pastor");
    EXPECT_EQ(window.journal().path(), Journal::pathFor(path));
    EXPECT_EQ(files().journal, "");
    EXPECT_EQ(test::readFile(Journal::pathFor(path) + ".bak"), stale);
}

TEST_F(SetupTest, ZeroCashOnHandAsksAndNoKeepsEveryEntryAndTextThatIsNoAmountIsRefused) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200");
    typeInto(f->TxtAcctName, "half typed");
    const QStringList list = listOf(f);
    for (const auto& [cash, shownCash] : {std::pair{"", ""}, std::pair{"0", "0.00"}}) {
        SCOPED_TRACE(cash);
        f->TxtCashOnHand->clear();
        typeInto(f->TxtCashOnHand, cash);
        dialogs().answerNext(Answer::No);
        click(f->Command3);
        EXPECT_EQ(f->TxtCashOnHand->text(), shownCash);
        const Shown asked = dialogs().lastMessage();
        EXPECT_EQ(asked.text, "You have no value for Cash on Hand - procede anyway?");
        EXPECT_EQ(asked.title, "oops");
        EXPECT_EQ(asked.buttons, Buttons::YesNo);
        EXPECT_EQ(dialogs().shown.back().kind, Shown::Kind::Message);  // no file dialog
        expectStillOpen(f, list);
        EXPECT_EQ(f->TxtAcctName->text(), "half typed");
    }
    typeInto(f->TxtCashOnHand, "1.000,50");  // refused, not taken for 0
    click(f->Command3);
    EXPECT_TRUE(lastMessage().startsWith("\"1.000,50\" in the box \"Sum of all cash on hand\""));
    EXPECT_EQ(f->TxtCashOnHand->text(), "1.000,50");
    expectStillOpen(f, list);
    // A name that is no file keeps the window open too.
    f->TxtCashOnHand->setText("100");
    for (bool cancelled : {true, false}) {
        cancelled ? dialogs().cancelFileNext()
                  : dialogs().chooseFileNext(QString::fromStdString(folder.path("*.rep")));
        click(f->Command3);
        EXPECT_EQ(lastMessage(), "Oops, invalid file name");
        expectStillOpen(f, list);
    }
    EXPECT_EQ(filesIn(folder), 0);
    // Yes goes on with a beginning balance of 0.00.
    f->TxtCashOnHand->clear();
    dialogs().answerNext(Answer::Yes);
    path = folder.path("JAN2027.rep");
    dialogs().chooseFileNext(QString::fromStdString(path));
    click(f->Command3);
    expectSummaryBack("saved");
    EXPECT_TRUE(onDisk(path).Summary[kBeginningBalance].isZero());
}

// Budget expenditures and transfers need an account: a year without one is saved only when
// the treasurer says so, and is then a loaded month for every other command.
TEST_F(SetupTest, AYearWithoutBudgetAccountsIsSavedWhenConfirmedAndLoaded) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    QTest::mouseClick(f->OptDesignated, Qt::LeftButton);
    typeInto(f->TxtAcctName, "Memorial Fund");
    click(f->Command1);
    typeInto(f->TxtCashOnHand, "500");
    path = folder.path("JAN2027.rep");
    for (Answer answer : {Answer::No, Answer::Yes}) {
        dialogs().answerNext(answer);
        if (answer == Answer::Yes) dialogs().chooseFileNext(QString::fromStdString(path));
        click(f->Command3);
        EXPECT_TRUE(lastMessage().startsWith("This year has no budget accounts"));
        if (answer == Answer::No) EXPECT_EQ(filesIn(folder), 0);
    }
    expectSummaryBack("saved");
    for (QAction* command : {window.MnuBudgetExpenditure, window.MnuTransfer}) {
        command->trigger();
        EXPECT_EQ(lastMessage(), "this month has no budget accounts");
    }
    const qsizetype messages = dialogs().messages().size();
    for (QAction* command : {window.MnuDesignatedExpenditure, window.MnuDesignation, window.MnuSource,
                             window.MnuAdjustAction, window.MnuBudgetAdjust}) {
        command->trigger();
        EXPECT_TRUE(window.isWaiting()) << command->objectName().toStdString();
        QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    }
    EXPECT_EQ(dialogs().messages().size(), messages);
}

TEST_F(SetupTest, CancelOrClosingLeavesNoMonthAndWritesNothing) {
    for (bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "Cancel" : "closed");
        openSample();
        const int filesBefore = filesIn(folder);
        FrmNew* f = begin();
        ASSERT_NE(f, nullptr);
        addBudget(f, "101", "Pastor", "1200");
        byButton ? click(f->Command2) : static_cast<void>(f->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(shown<FrmNew>(), nullptr);
        EXPECT_EQ(filesIn(folder), filesBefore - 1);  // the month was closed: its lock went with it
        EXPECT_FALSE(std::filesystem::exists(folder.path("nov2026.jrn.lock")));
        EXPECT_TRUE(window.ledger().CurrentFile.empty());
        EXPECT_FALSE(window.journal().isOpen());
        window.MnuBudgetExpenditure->trigger();
        EXPECT_EQ(lastMessage(), "no report loaded");
    }
}

TEST_F(SetupTest, AFailedSaveIsReportedAndEveryEntryStays) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200");
    const QStringList list = listOf(f);
    path = folder.path("JAN2027.rep");
    {
        test::FileSizeLimit full(100);
        save(f, "100", path);
    }
    EXPECT_TRUE(lastMessage().startsWith("The new year was not saved")) << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(QString::fromStdString(path)));
    expectStillOpen(f, list);
    EXPECT_EQ(filesIn(folder), 0);
    EXPECT_EQ(f->TxtCashOnHand->text(), "100.00");
    EXPECT_TRUE(window.ledger().CurrentFile.empty());
    dialogs().chooseFileNext(QString::fromStdString(path));  // with room on the disk again
    click(f->Command3);
    expectSummaryBack("saved");
    EXPECT_EQ(onDisk(path).BudgetAcctName[1], "Pastor");
}

}  // namespace
}  // namespace quorvel::ui
