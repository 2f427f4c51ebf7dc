// File, New Annual Budget Setup, driven as a new treasurer would: the question, the entries
// typed and clicked in, the list, and Save and Exit with the main window taking the new month.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

#include "ledger/month_file.h"
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

// An entry line: `left` in positions 1-37, `amount` right-aligned in 38-49, a blank in 50.
QString entry(const QString& left, const QString& amount) {
    return left.leftJustified(37) + amount.rightJustified(12) + " ";
}

int filesIn(const test::TestFolder& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder.root()), {}));
}

class SetupTest : public MainWindowTest {
  protected:
    ~SetupTest() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<FrmNew*>(w)) delete w;
    }

    // The command answered Yes: the setup window on screen and active, ready for typing.
    FrmNew* begin() {
        dialogs().answerNext(Answer::Yes);
        MnuNew_Click(window);
        FrmNew* form = current();
        // An X server under load may deliver the activation a few events later.
        EXPECT_TRUE(form && QTest::qWaitForWindowActive(form));
        return form;
    }
    static FrmNew* current() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<FrmNew*>(w); f && f->isVisible()) return f;
        return nullptr;
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
    static void addBudget(FrmNew* f, const QString& number, const QString& name, const QString& budget,
                          const QString& balance) {
        typeInto(f->TxtAcctNumber, number);
        typeInto(f->TxtAcctName, name);
        typeInto(f->TxtBudgetAmount, budget);
        typeInto(f->TxtBalance, balance);
        click(f->Command1);
    }
    static void addFund(FrmNew* f, const QString& name, const QString& balance) {
        typeInto(f->TxtAcctName, name);
        typeInto(f->TxtBalance, balance);
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
    // The main window back, the setup window gone.
    void expectMainBack() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(current(), nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<FrmNew*>(w), nullptr);
    }
};

// ---- Opening --------------------------------------------------------------------------------

TEST_F(SetupTest, YesDiscardsTheLoadedMonthAndOpensAnEmptySetup) {
    openSample();
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(dialogs().lastMessage().text, "OK to delete current information?");
    EXPECT_EQ(dialogs().lastMessage().buttons, Buttons::YesNo);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.LstMain->count(), 0);
    EXPECT_EQ(window.ledger().BudgetCount, 0);
    EXPECT_EQ(window.ledger().DesigCount, 0);
    EXPECT_TRUE(window.ledger().CurrentFile.empty());
    EXPECT_TRUE(window.ledger().BudgetAcctName[1].empty());
    EXPECT_FALSE(window.journal().isOpen());

    EXPECT_EQ(f->windowTitle(), "Setting Up a New Report - use for first setup of the year");
    const std::pair<const char*, const char*> captions[] = {
        {"Label1", "Sum of all cash on hand"}, {"Label4", "Account #"}, {"Label5", "<< 3 Digits Only, please!"},
        {"Label2", "Account Name"}, {"Label3", "Budget Amount"}, {"Label6", "Balance "},
        {"OptBudget", "Budget Entry"}, {"OptDesignated", "Designated Fund Entry"}, {"Command1", "Add This Fund"},
        {"CmdDeleteFund", "Delete highlighted Fund"}, {"Command2", "Cancel"}, {"Command3", "Save and Exit"},
        {"TxtCashOnHand", ""}, {"TxtAcctNumber", ""}, {"TxtAcctName", ""}, {"TxtBudgetAmount", ""},
        {"TxtBalance", ""}, {"List1", nullptr}};
    for (const auto& [name, caption] : captions) {
        auto* control = f->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        if (caption) {
            EXPECT_EQ(control->property("text").toString(), caption) << name;
        }
    }
    EXPECT_TRUE(f->OptBudget->isChecked());
    EXPECT_EQ(f->List1->count(), 0);
    EXPECT_TRUE(f->TxtCashOnHand->hasFocus());
}

TEST_F(SetupTest, NoLeavesEverythingAsItWas) {
    // Nothing loaded: there is nothing to set up over, and the window does not open either.
    dialogs().answerNext(Answer::No);
    MnuNew_Click(window);
    EXPECT_EQ(current(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.MnuSave->isEnabled());
    EXPECT_FALSE(window.MnuActions->isEnabled());

    const std::string path = openSample();
    const QStringList summary = window.listLines();
    const Ledger loaded = window.ledger();
    window.setListLines({"some listing"});
    dialogs().answerNext(Answer::No);
    MnuNew_Click(window);
    EXPECT_EQ(current(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.listLines(), summary);
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_EQ(window.ledger().BudgetAcctName, loaded.BudgetAcctName);
    EXPECT_TRUE(window.journal().isOpen());
    for (QAction* item : {window.MnuSave, window.MnuPrint, window.MnuSaveAS})
        EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(window.MnuActions->isEnabled());
}

// ---- Entries --------------------------------------------------------------------------------

TEST_F(SetupTest, AnUntouchedBalanceIsTheWholeBudgetWhereverTheFocusWas) {
    const struct {
        const char* what;
        bool balanceFocused;
        QString balance;
        const char* spent;
        const char* remaining;
    } cases[] = {
        {"empty balance that had the focus", true, "", "0.00", "1200.00"},
        {"balance never focused", false, "", "0.00", "1200.00"},
        {"balance 900", true, "900", "300.00", "900.00"},
    };
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
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
        ++row;
        const AmountRow& amounts = f->setup().tables().BudgetAmount[row];
        EXPECT_EQ(amounts[kBudgeted].format00(), "1200.00");
        EXPECT_EQ(amounts[kSpentInYear].format00(), c.spent);
        EXPECT_TRUE(amounts[kSpentInMonth].isZero());
        EXPECT_EQ(amounts[kRemaining].format00(), c.remaining);
        EXPECT_EQ(listOf(f).value(1), entry(QString::number(100 + row) + " Account", c.remaining));
        for (QLineEdit* box : {f->TxtAcctNumber, f->TxtAcctName, static_cast<QLineEdit*>(f->TxtBudgetAmount),
                               static_cast<QLineEdit*>(f->TxtBalance)}) {
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        }
        EXPECT_TRUE(f->TxtAcctNumber->hasFocus());
    }
}

TEST_F(SetupTest, AccountNumberBoxPadsToThreeAndTakesNoMore) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    const std::pair<const char*, const char*> cases[] = {{"7", "007"},  {"1234", "123"}, {"", ""},
                                                         {" 5", "005"}, {"000", "000"},  {"AB", "AB"}};
    for (const auto& [typed, shown] : cases) {
        f->TxtAcctNumber->clear();
        typeInto(f->TxtAcctNumber, typed);
        QTest::keyClick(f->TxtAcctNumber, Qt::Key_Tab);
        EXPECT_EQ(f->TxtAcctNumber->text(), shown) << typed;
    }
    f->TxtAcctNumber->clear();
    addBudget(f, "7", "Seven", "10", "10");
    EXPECT_EQ(f->setup().tables().BudgetAcctNumber[1], "007");
    EXPECT_EQ(listOf(f), (QStringList{kBudgetTitle, entry("007 Seven", "10.00")}));
}

TEST_F(SetupTest, AccountsAreStoredInOrderListedInReverseAndDeletedByTheirLine) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "300", "Missions", "300", "");
    addBudget(f, "100", "Pastor", "100", "");
    addBudget(f, "200", "Music", "200", "");
    const Ledger& t = f->setup().tables();
    EXPECT_EQ(t.BudgetCount, 3);
    EXPECT_EQ((QStringList{t.BudgetAcctNumber[1].c_str(), t.BudgetAcctNumber[2].c_str(),
                           t.BudgetAcctNumber[3].c_str()}),
              (QStringList{"100", "200", "300"}));
    EXPECT_EQ(listOf(f), (QStringList{kBudgetTitle, entry("300 Missions", "300.00"),
                                      entry("200 Music", "200.00"), entry("100 Pastor", "100.00")}));

    f->List1->setCurrentRow(2);
    click(f->CmdDeleteFund);
    EXPECT_EQ(t.BudgetCount, 2);
    EXPECT_EQ(t.BudgetAcctNumber[1], "100");
    EXPECT_EQ(t.BudgetAcctNumber[2], "300");
    EXPECT_EQ(t.BudgetAcctName[2], "Missions");
    EXPECT_TRUE(t.BudgetAcctName[3].empty());
    EXPECT_EQ(listOf(f), (QStringList{kBudgetTitleAfterDelete, entry("300 Missions", "300"),
                                      entry("100 Pastor", "100")}));
}

TEST_F(SetupTest, DesignatedModeHidesTheBudgetBoxesAndNumbersEachFund) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200", "1000");
    const QList<QWidget*> budgetOnly = {f->findChild<QLabel*>("Label4"), f->TxtAcctNumber,
                                        f->findChild<QLabel*>("Label5"), f->findChild<QLabel*>("Label3"),
                                        f->TxtBudgetAmount};

    QTest::mouseClick(f->OptDesignated, Qt::LeftButton);
    ASSERT_TRUE(f->OptDesignated->isChecked());
    for (QWidget* w : budgetOnly)
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(f->TxtAcctName->isVisible());
    EXPECT_TRUE(f->TxtBalance->isVisible());
    EXPECT_EQ(f->List1->count(), 0);

    addFund(f, "Memorial Fund", "500");
    addFund(f, "Organ", "12.5");
    const Ledger& t = f->setup().tables();
    ASSERT_EQ(t.DesigCount, 2);
    for (int row : {1, 2}) {
        EXPECT_TRUE(
            QRegularExpression("^\\d{5}$").match(QString::fromStdString(t.DesigAcctNumber[row])).hasMatch())
            << t.DesigAcctNumber[row];
        EXPECT_LT(std::stoi(t.DesigAcctNumber[row]), 30000);
    }
    EXPECT_NE(t.DesigAcctNumber[1], t.DesigAcctNumber[2]);
    EXPECT_EQ(t.DesigAmount[2][kAtFirstOfMonth].format00(), "12.50");
    EXPECT_EQ(t.DesigAmount[2][kFundRemaining].format00(), "12.50");
    EXPECT_EQ(listOf(f),
              (QStringList{kFundTitle, entry("Memorial Fund", "500.00"), entry("Organ", "12.50")}));
    EXPECT_TRUE(f->TxtAcctName->hasFocus());

    f->List1->setCurrentRow(1);
    click(f->CmdDeleteFund);
    EXPECT_EQ(listOf(f), (QStringList{kFundTitleAfterDelete, entry("Organ", "12.5")}));
    EXPECT_EQ(t.BudgetCount, 1);  // the budget accounts are not touched

    QTest::mouseClick(f->OptBudget, Qt::LeftButton);
    for (QWidget* w : budgetOnly)
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(listOf(f), (QStringList{kBudgetTitle, entry("101 Pastor", "1000")}));
    QTest::mouseClick(f->OptDesignated, Qt::LeftButton);
    EXPECT_EQ(listOf(f), (QStringList{kFundTitle, entry("Organ", "12.5")}));
}

// ---- Save and Exit, Cancel --------------------------------------------------------------------

TEST_F(SetupTest, SaveAndExitWritesTheFirstMonthAndTheMainWindowTakesIt) {
    openSample();
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "300", "Missions", "2400", "");
    addBudget(f, "101", "Pastor", "1200", "900");
    QTest::mouseClick(f->OptDesignated, Qt::LeftButton);
    addFund(f, "Memorial Fund", "500");
    const Ledger entered = f->setup().tables();
    const std::string path = folder.path("JAN2027.rep");
    save(f, "1500.25", path);

    const Shown& dialog = dialogs().shown.back();
    EXPECT_EQ(dialog.kind, Shown::Kind::SaveFile);
    EXPECT_EQ(dialog.file.title, "Save New Report as . . (hint: MMMYYYY.REP)");
    EXPECT_EQ(dialog.file.pattern, "*.rep");
    EXPECT_EQ(dialog.file.initialName, "*.rep");
    EXPECT_EQ(dialog.file.defaultExtension, "rep");
    EXPECT_TRUE(dialog.file.overwritePrompt);
    expectMainBack();

    const Ledger& live = window.ledger();
    EXPECT_EQ(live.CurrentFile, path);
    EXPECT_EQ(live.BudgetAcctNumber, entered.BudgetAcctNumber);
    EXPECT_EQ(live.BudgetAcctName, entered.BudgetAcctName);
    EXPECT_EQ(live.BudgetAmount[1], entered.BudgetAmount[1]);
    EXPECT_EQ(live.BudgetAmount[2], entered.BudgetAmount[2]);
    EXPECT_EQ(live.DesigAcctNumber, entered.DesigAcctNumber);
    EXPECT_EQ(live.DesigAcctName, entered.DesigAcctName);
    EXPECT_EQ(live.DesigAmount[1], entered.DesigAmount[1]);
    EXPECT_EQ(live.Summary[kBeginningBalance].format00(), "1500.25");
    EXPECT_TRUE(window.journal().isOpen());
    EXPECT_EQ(window.journal().path(), folder.path("JAN2027.jrn"));
    EXPECT_EQ(test::readFile(folder.path("JAN2027.jrn")), "");

    const QStringList shown = window.listLines();
    EXPECT_EQ(shown.value(0), "   File loaded is " + QString::fromStdString(path));
    EXPECT_TRUE(shown.contains(QString("Beginning Balance").leftJustified(35) +
                               QString("1500.25").rightJustified(12)));
    EXPECT_TRUE(shown.contains(QString("Designated Fund Totals").leftJustified(35) +
                               QString("500.00").rightJustified(12)));
    for (QAction* item : {window.MnuSave, window.MnuPrint, window.MnuSaveAS})
        EXPECT_TRUE(item->isEnabled());
    for (QMenu* menu : {window.MnuFile, window.MnuActions, window.MnuEdit})
        EXPECT_TRUE(menu->isEnabled());
}

TEST_F(SetupTest, ZeroCashOnHandAsksAndNoKeepsEveryEntry) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200", "");
    typeInto(f->TxtAcctName, "half typed");
    const QStringList list = listOf(f);
    for (const auto& [cash, shown] : {std::pair{"", ""}, std::pair{"0", "0.00"}}) {
        SCOPED_TRACE(cash);
        f->TxtCashOnHand->clear();
        typeInto(f->TxtCashOnHand, cash);
        dialogs().answerNext(Answer::No);
        click(f->Command3);
        EXPECT_EQ(f->TxtCashOnHand->text(), shown);
        const Shown asked = dialogs().lastMessage();
        EXPECT_EQ(asked.text, "You have no value for Cash on Hand - procede anyway?");
        EXPECT_EQ(asked.title, "oops");
        EXPECT_EQ(asked.buttons, Buttons::YesNo);
        EXPECT_EQ(dialogs().shown.back().kind, Shown::Kind::Message);  // no file dialog
        EXPECT_EQ(current(), f);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(listOf(f), list);
        EXPECT_EQ(f->setup().tables().BudgetCount, 1);
        EXPECT_EQ(f->TxtAcctName->text(), "half typed");
    }
    // Text that is no amount is refused, not taken for 0.
    typeInto(f->TxtCashOnHand, "1.000,50");
    click(f->Command3);
    EXPECT_TRUE(
        dialogs().messages().back().startsWith("\"1.000,50\" in the box \"Sum of all cash on hand\""));
    EXPECT_EQ(f->TxtCashOnHand->text(), "1.000,50");
    EXPECT_EQ(current(), f);
    EXPECT_EQ(filesIn(folder), 0);

    // Yes goes on with a beginning balance of 0.00.
    f->TxtCashOnHand->clear();
    dialogs().answerNext(Answer::Yes);
    dialogs().chooseFileNext(QString::fromStdString(folder.path("JAN2027.rep")));
    click(f->Command3);
    expectMainBack();
    EXPECT_TRUE(window.ledger().Summary[kBeginningBalance].isZero());
    EXPECT_EQ(window.ledger().BudgetCount, 1);
}

// Budget expenditures and transfers need an account: a year without one is saved only when
// the treasurer says so, and is then a loaded month for every other command.
TEST_F(SetupTest, AYearWithoutBudgetAccountsIsSavedWhenConfirmedAndLoaded) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    QTest::mouseClick(f->OptDesignated, Qt::LeftButton);
    addFund(f, "Memorial Fund", "500");
    typeInto(f->TxtCashOnHand, "500");
    for (Answer answer : {Answer::No, Answer::Yes}) {
        dialogs().answerNext(answer);
        if (answer == Answer::Yes)
            dialogs().chooseFileNext(QString::fromStdString(folder.path("JAN2027.rep")));
        click(f->Command3);
        EXPECT_TRUE(dialogs().messages().back().startsWith("This year has no budget accounts"));
        if (answer == Answer::No) {
            EXPECT_EQ(filesIn(folder), 0);
        }
    }
    expectMainBack();

    for (QAction* command : {window.MnuBudgetExpenditure, window.MnuTransfer}) {
        command->trigger();
        EXPECT_EQ(dialogs().messages().back(), "this month has no budget accounts");
    }
    const qsizetype shown = dialogs().messages().size();
    for (QAction* command : {window.MnuDesignatedExpenditure, window.MnuDesignation, window.MnuSource,
                             window.MnuAdjustAction, window.MnuBudgetAdjust}) {
        command->trigger();
        EXPECT_TRUE(window.isWaiting()) << command->objectName().toStdString();
        QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    }
    EXPECT_EQ(dialogs().messages().size(), shown);
}

TEST_F(SetupTest, NoUsableFileNameKeepsTheWindowOpen) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200", "");
    typeInto(f->TxtCashOnHand, "100");
    for (bool cancelled : {true, false}) {
        if (cancelled) {
            dialogs().cancelFileNext();
        } else {
            dialogs().chooseFileNext(QString::fromStdString(folder.path("*.rep")));
        }
        click(f->Command3);
        EXPECT_EQ(dialogs().messages().back(), "Oops, invalid file name");
        EXPECT_EQ(current(), f);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(f->setup().tables().BudgetCount, 1);
        EXPECT_EQ(f->TxtCashOnHand->text(), "100.00");
    }
    EXPECT_EQ(filesIn(folder), 0);
}

TEST_F(SetupTest, CancelOrClosingLeavesNoMonthAndWritesNothing) {
    for (bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "Cancel" : "closed");
        openSample();
        const int files = filesIn(folder);
        FrmNew* f = begin();
        ASSERT_NE(f, nullptr);
        addBudget(f, "101", "Pastor", "1200", "");
        if (byButton) {
            click(f->Command2);
        } else {
            f->close();
        }
        expectMainBack();
        EXPECT_EQ(filesIn(folder), files - 1);  // the month was closed: its lock went with it
        EXPECT_FALSE(std::filesystem::exists(folder.path("nov2026.jrn.lock")));
        EXPECT_EQ(window.ledger().BudgetCount, 0);
        EXPECT_TRUE(window.ledger().CurrentFile.empty());
        EXPECT_FALSE(window.journal().isOpen());
        window.MnuBudgetExpenditure->trigger();
        EXPECT_EQ(dialogs().messages().back(), "no report loaded");
    }
}

// ---- What the setup refuses -------------------------------------------------------------------

TEST_F(SetupTest, DeletingWithTheTitleOrNothingSelectedDeletesNothing) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200", "");
    addBudget(f, "102", "Music", "200", "");
    const QStringList list = listOf(f);
    for (int line : {0, -1}) {
        if (line < 0) {
            f->List1->clearSelection();
        } else {
            f->List1->setCurrentRow(line);
        }
        click(f->CmdDeleteFund);
        EXPECT_EQ(dialogs().messages().back(), kNoLineSelected) << line;
        EXPECT_EQ(listOf(f), list);
        EXPECT_EQ(f->setup().tables().BudgetCount, 2);
    }
}

TEST_F(SetupTest, RefusedEntriesAddNothingAndStayInTheBoxes) {
    // The other refusals come from the same core checks; what matters here is that the
    // message is shown and the typing stays for the treasurer to correct.
    const struct {
        bool budget;
        QString number, name;
        QString message;
    } cases[] = {
        {true, "101", "Pastor again", kDuplicateAccountNumber},
        {true, "", "Never padded", "Type the account number: three digits, 001 to 999."},
        {true, "000", "Zero", "The account number \"000\" cannot be charged: type three digits, 001 to 999."},
        {true, "ABC", "Letters",
         "The account number \"ABC\" cannot be charged: type three digits, 001 to 999."},
        {true, "202", "The \"Best\" Choir", "The name may not contain a double quote (\")."},
        {false, "", "Fund \u4e2d", "The name holds a character that cannot be stored in the month's files."},
    };
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200", "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        (c.budget ? f->OptBudget : f->OptDesignated)->setChecked(true);
        const Ledger before = f->setup().tables();
        const QStringList list = listOf(f);
        if (c.budget) {
            f->TxtAcctNumber->setText(c.number);
            f->TxtBudgetAmount->setText("50.00");
        }
        f->TxtAcctName->setText(c.name);
        f->TxtBalance->setText("50.00");
        click(f->Command1);
        EXPECT_EQ(dialogs().messages().back(), c.message);
        EXPECT_EQ(listOf(f), list);
        EXPECT_EQ(f->setup().tables().BudgetAcctName, before.BudgetAcctName);
        EXPECT_EQ(f->setup().tables().DesigAcctName, before.DesigAcctName);
        EXPECT_EQ(f->TxtAcctName->text(), c.name);
        EXPECT_EQ(f->TxtBalance->text(), "50.00");
    }
}

TEST_F(SetupTest, AnOldJournalOfTheChosenNameIsMovedAsideNotReplayed) {
    const std::string path = folder.path("JAN2027.rep");
    const std::string stale = std::string(test::keyed("DP", "", Money::cents(99900)).text());
    test::writeFile(folder.path("JAN2027.jrn"), stale);
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200", "");
    save(f, "100", path);
    expectMainBack();
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_TRUE(window.ledger().Summary[kTotalReceipts].isZero());
    EXPECT_EQ(test::readFile(folder.path("JAN2027.jrn.bak")), stale);
    EXPECT_EQ(test::readFile(folder.path("JAN2027.jrn")), "");
}

TEST_F(SetupTest, AFailedSaveIsReportedAndEveryEntryStays) {
    FrmNew* f = begin();
    ASSERT_NE(f, nullptr);
    addBudget(f, "101", "Pastor", "1200", "");
    QTest::mouseClick(f->OptDesignated, Qt::LeftButton);
    addFund(f, "Memorial Fund", "500");
    const Ledger entered = f->setup().tables();
    const QStringList list = listOf(f);
    const std::string path = folder.path("JAN2027.rep");
    {
        test::FileSizeLimit full(100);
        save(f, "100", path);
    }
    const QString message = dialogs().messages().back();
    EXPECT_TRUE(message.startsWith("The new year was not saved")) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromStdString(path))) << message.toStdString();
    EXPECT_EQ(current(), f);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(filesIn(folder), 0);
    EXPECT_EQ(listOf(f), list);
    EXPECT_EQ(f->TxtCashOnHand->text(), "100.00");
    EXPECT_TRUE(window.ledger().CurrentFile.empty());

    // With room on the disk again the same entries are saved.
    dialogs().chooseFileNext(QString::fromStdString(path));
    click(f->Command3);
    expectMainBack();
    EXPECT_EQ(window.ledger().BudgetAcctName, entered.BudgetAcctName);
    EXPECT_EQ(window.ledger().DesigAcctNumber, entered.DesigAcctNumber);
}

}  // namespace
}  // namespace quorvel::ui
