// The Actions menu driven as the treasurer drives it: a pick in the main list, an amount and
// a reference typed into the entry window, Record or Cancel. Checked against what reached the
// journal and the month file, the tables, and what the main window shows afterwards.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

#include "actions/pick_lists.h"
#include "actions/recording.h"
#include "ledger/file_faults.h"
#include "ledger/month_file.h"
#include "ui/actions/EntryWindow.h"
#include "ui/actions/FrmTD.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using test::readFile;

// A 34-byte journal record written out by hand: text placed at 1-based positions.
std::string rec(std::initializer_list<std::pair<int, std::string_view>> fields) {
    std::string bytes(kRecordSize, ' ');
    for (const auto& [position, text] : fields) bytes.replace(position - 1, text.size(), text);
    return bytes;
}

QString row60(const QString& numberAndName, const QString& remaining) {
    return numberAndName.leftJustified(60) + remaining.rightJustified(12);
}
QString row40(const QString& name, const QString& amount) { return name.leftJustified(40) + amount.rightJustified(12); }
QString row30(const QString& name, const QString& amount) { return name.leftJustified(30) + amount.rightJustified(12); }
QString summaryLine(const QString& label, const QString& amount) { return label.leftJustified(35) + amount.rightJustified(12); }

const QString kBudgetTitle = "        - Select Budget Item This Expenditure -";
const QString kTransferTitle = "        - Select Budget Item This Transfer -";
const QString kBadReference = "The reference holds a character that cannot be stored in the month's files.";

// How a command is started; the buttons run the same commands as the menu.
struct Command {
    const char* name;
    void (*start)(FrmMain&);
};
const Command kBx{"Budget Expenditure", [](FrmMain& m) { m.MnuBudgetExpenditure->trigger(); }};
const Command kBxButton{"BX button", [](FrmMain& m) { QTest::mouseClick(m.CmdBx, Qt::LeftButton); }};
const Command kDx{"Designated Expenditure", [](FrmMain& m) { m.MnuDesignatedExpenditure->trigger(); }};
const Command kDxButton{"DX button", [](FrmMain& m) { QTest::mouseClick(m.CmdDx, Qt::LeftButton); }};
const Command kDp{"Deposit", [](FrmMain& m) { m.MnuDeposit->trigger(); }};
const Command kDd{"Note Designation", [](FrmMain& m) { m.MnuDesignation->trigger(); }};
const Command kSx{"Note Source", [](FrmMain& m) { m.MnuSource->trigger(); }};
const Command kTd{"Internal Transfer", [](FrmMain& m) { m.MnuTransfer->trigger(); }};

class RecordingTest : public MainWindowTest {
protected:
    void SetUp() override { path_ = openSample(); }

    ~RecordingTest() override {
        // A window left open by a failed check must not outlive the main window it serves.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<EntryWindow*>(w)) delete w;
    }

    // Opens `ledger` as the loaded month instead of the sample.
    void openLedger(const Ledger& ledger, const std::string& name) {
        path_ = folder.path(name);
        test::writeMonth(ledger, path_);
        dialogs().chooseFileNext(QString::fromStdString(path_));
        window.MnuOpen->trigger();
        ASSERT_EQ(window.ledger().CurrentFile, path_);
    }

    // Line `row` of the list chosen with Procede (-1: nothing selected).
    void pick(int row) {
        ASSERT_TRUE(window.CmdProcede->isVisible()) << "no list waits for pick " << row;
        if (row < 0) {
            window.LstMain->clearSelection();
        } else {
            window.LstMain->setCurrentRow(row);
        }
        QTest::mouseClick(window.CmdProcede, Qt::LeftButton);
    }
    // The command started and each pick made.
    void run(const Command& command, const std::vector<int>& picks) {
        SCOPED_TRACE(command.name);
        command.start(window);
        for (int row : picks) pick(row);
    }

    // The entry window on screen, if any.
    EntryWindow* entry() const {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* e = qobject_cast<EntryWindow*>(w); e && e->isVisible()) return e;
        return nullptr;
    }
    EntryWindow* entryNamed(const char* name) {
        EntryWindow* e = entry();
        EXPECT_TRUE(e && e->objectName() == name) << "expected " << name << " on screen";
        EXPECT_FALSE(window.isVisible()) << "the main window stays hidden while " << name << " is open";
        return e && e->objectName() == name ? e : nullptr;
    }
    // Keys for plain characters; the others arrive committed by the input method, as typed.
    static void typeInto(QLineEdit* box, const QString& text) {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(box, ch.toLatin1());
            } else {
                QInputMethodEvent composed;
                composed.setCommitString(ch);
                QCoreApplication::sendEvent(box, &composed);
            }
        }
    }
    void type(EntryWindow* e, const QString& amount, const QString& reference = {}) {
        typeInto(e->TxtAmount, amount);
        typeInto(e->TxtRef, reference);
    }
    void record(EntryWindow* e, const QString& amount, const QString& reference = {}) {
        type(e, amount, reference);
        QTest::mouseClick(e->recordButton, Qt::LeftButton);
    }

    struct Files {
        std::string month, journal;
        bool operator==(const Files&) const = default;
    };
    Files files() const { return {readFile(path_), readFile(Journal::pathFor(path_))}; }
    std::vector<std::string> records() const {
        const std::string bytes = readFile(Journal::pathFor(path_));
        std::vector<std::string> all;
        for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) all.push_back(bytes.substr(at, kRecordSize));
        return all;
    }
    // The month as the next load will see it.
    Ledger onDisk() const {
        Ledger ledger;
        Journal journal;
        EXPECT_TRUE(LoadMonthFile(ledger, journal, path_, JournalMode::ReadOnly).ok());
        return ledger;
    }

    // However a command ends, the main window is back with the summary and nothing waits.
    void expectSummaryBack(const std::string& where) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isVisible()) << where;
        EXPECT_EQ(window.listLines().value(0), "   File loaded is " + QString::fromStdString(path_)) << where;
        EXPECT_FALSE(window.isWaiting()) << where;
        for (QPushButton* b : {window.CmdProcede, window.CmdCancel, window.CmdEdit, window.CmdDisplay})
            EXPECT_FALSE(b->isVisible()) << where << ": " << b->objectName().toStdString();
        EXPECT_TRUE(window.MnuActions->isEnabled()) << where;
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<EntryWindow*>(w), nullptr) << where << ": left behind " << w->objectName().toStdString();
    }

    std::string path_;
};

// ---- Every command: its record, in its own rendering, and the way back -------------------

TEST_F(RecordingTest, EachCommandWritesItsRecordAndReturnsToTheSummary) {
    const struct {
        Command command;
        std::vector<int> picks;
        const char* window;
        bool pressEnter;  // Enter in the amount box instead of the record button
        std::vector<std::string> written;
    } cases[] = {
        {kBx, {3}, "FrmBX", false, {rec({{1, "BX"}, {6, "102"}, {10, " 12.5"}, {23, "Chk 9"}})}},
        {kBxButton, {3}, "FrmBX", true, {rec({{1, "BX"}, {6, "102"}, {10, " 12.5"}, {23, "Chk 9"}})}},
        {kDx, {1}, "FrmDX", false, {rec({{1, "DX"}, {4, "01234"}, {10, " 12.5"}, {23, "Chk 9"}})}},
        {kDxButton, {1}, "FrmDX", true, {rec({{1, "DX"}, {4, "01234"}, {10, " 12.5"}, {23, "Chk 9"}})}},
        {kDp, {}, "FrmDP", true, {rec({{1, "DP"}, {10, " 12.5"}, {23, "Chk 9"}})}},
        {kDd, {2}, "FrmDD", true, {rec({{1, "DD"}, {4, "20000"}, {10, "12.50"}, {23, "Chk 9"}})}},
        {kSx, {1}, "frmSX", false, {rec({{1, "SX"}, {4, "11111"}, {10, "       12.50"}, {23, "Chk 9"}})}},
        {kTd, {2, 1}, "FrmTD", true,
         {rec({{1, "TO"}, {6, "102"}, {10, "12.50"}, {23, "Chk 9"}}), rec({{1, "TI"}, {4, "01234"}, {10, "12.50"}, {23, "Chk 9"}})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.name);
        const std::size_t before = records().size();
        run(c.command, c.picks);
        QPointer<EntryWindow> e = entryNamed(c.window);
        ASSERT_TRUE(e);
        type(e, "12.5", "Chk 9");
        if (c.pressEnter) {
            QTest::keyClick(e->TxtAmount, Qt::Key_Return);  // still in the box: no lost-focus reformatting
        } else {
            QTest::mouseClick(e->recordButton, Qt::LeftButton);
        }
        if (e) {
            EXPECT_EQ(e->TxtAmount->text(), "12.50");
        }
        const std::vector<std::string> all = records();
        ASSERT_EQ(all.size(), before + c.written.size());
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()), c.written);
        expectSummaryBack(c.command.name);
    }
}

TEST_F(RecordingTest, EveryCancelLeavesBothFilesAsTheyWere) {
    enum Way { List, Button, Escape, Close };
    const struct {
        Command command;
        std::vector<int> picks;
        Way way;
    } cases[] = {
        {kBx, {}, List},     {kBx, {3}, Button},   {kBxButton, {5}, Escape}, {kDx, {}, List},
        {kDx, {1}, Escape},  {kDp, {}, Button},    {kDp, {}, Close},         {kDd, {}, List},
        {kDd, {1}, Button},  {kSx, {}, List},      {kSx, {1}, Close},        {kTd, {}, List},
        {kTd, {2}, List},    {kTd, {2, 1}, Button}, {kTd, {2, 1}, Escape},
    };
    const Files before = files();
    const QStringList summary = window.listLines();
    for (const auto& c : cases) {
        const std::string where = std::string(c.command.name) + " after " + std::to_string(c.picks.size()) + " picks";
        run(c.command, c.picks);
        if (c.way == List) {
            ASSERT_TRUE(window.CmdCancel->isVisible()) << where;
            QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
        } else {
            EntryWindow* e = entry();
            ASSERT_NE(e, nullptr) << where;
            type(e, "5", "gone");
            if (c.way == Button) QTest::mouseClick(e->cancelButton, Qt::LeftButton);
            if (c.way == Escape) QTest::keyClick(e->TxtAmount, Qt::Key_Escape);
            if (c.way == Close) e->close();
        }
        expectSummaryBack(where);
        EXPECT_EQ(window.listLines(), summary) << where;
        EXPECT_TRUE(files() == before) << where;
    }
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

TEST_F(RecordingTest, PicksThatNameNoAccountAreRefusedAndChangeNothing) {
    const struct {
        Command command;
        std::vector<int> picks;
        QString message;  // empty: the command ends without a word
    } cases[] = {
        {kBx, {0}, "you must select a budget item"},       {kBx, {1}, "you must select a budget item"},
        {kBx, {4}, "you must select a budget item"},       {kBx, {-1}, "you must select a budget item"},
        {kDx, {0}, "you must select a designated fund"},   {kDx, {-1}, "you must select a designated fund"},
        {kDd, {0}, "you must select a Designated Fund!"},  {kDd, {-1}, "you must select a Designated Fund!"},
        {kSx, {0}, ""},                                    {kSx, {-1}, ""},
        {kTd, {0}, "you must select a budget item"},       {kTd, {-1}, "you must select a budget item"},
        {kTd, {2, 0}, "you must select a Designated Fund!"}, {kTd, {2, -1}, "you must select a Designated Fund!"},
    };
    const Files before = files();
    const QStringList summary = window.listLines();
    for (const auto& c : cases) {
        const std::string where = std::string(c.command.name) + " picking " + std::to_string(c.picks.back());
        const int shown = static_cast<int>(dialogs().messages().size());
        run(c.command, c.picks);
        const QStringList messages = dialogs().messages();
        if (c.message.isEmpty()) {
            EXPECT_EQ(messages.size(), shown) << where;
        } else {
            ASSERT_EQ(messages.size(), shown + 1) << where;
            EXPECT_EQ(messages.back(), c.message) << where;
        }
        expectSummaryBack(where);
        EXPECT_EQ(window.listLines(), summary) << where;
        EXPECT_TRUE(files() == before) << where;
    }
}

TEST_F(RecordingTest, AReferenceOutsideTheCodePageIsRefusedAndNothingRecorded) {
    const struct {
        Command command;
        std::vector<int> picks;
    } cases[] = {{kBx, {3}}, {kDx, {1}}, {kDp, {}}, {kDd, {1}}, {kSx, {1}}, {kTd, {2, 1}}};
    const Files before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.name);
        run(c.command, c.picks);
        EntryWindow* e = entry();
        ASSERT_NE(e, nullptr);
        record(e, "5", "Gift 中");
        EXPECT_EQ(dialogs().messages().back(), kBadReference);
        EXPECT_TRUE(files() == before);
        ASSERT_EQ(entry(), e);  // left open for the treasurer to correct
        QTest::mouseClick(e->cancelButton, Qt::LeftButton);
        expectSummaryBack(c.command.name);
    }
    EXPECT_TRUE(files() == before);
}

// ---- Budget expenditure -----------------------------------------------------------------

TEST_F(RecordingTest, BudgetListShowsSectionsAndAShortNumberedAccountIsCharged) {
    window.MnuBudgetExpenditure->trigger();
    EXPECT_EQ(window.listLines(), (QStringList{kBudgetTitle, " -        Operations", row60("101 Pastor, Salary", "899.50"),
                                               row60("102 Utilities", "600.00"), " -        Other",
                                               row60("7 Short Number", "74.75")}));
    EXPECT_TRUE(window.CmdProcede->isVisible());
    EXPECT_TRUE(window.CmdCancel->isVisible());
    EXPECT_FALSE(window.MnuActions->isEnabled());
    pick(5);
    EntryWindow* e = entryNamed("FrmBX");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->windowTitle(), "Short Number");
    record(e, "12.50", "1044");
    ASSERT_EQ(records().size(), 1u);
    EXPECT_EQ(records()[0], rec({{1, "BX"}, {6, "7"}, {10, " 12.5"}, {23, "1044"}}));
    expectSummaryBack("recorded");
    EXPECT_TRUE(window.listLines().contains(summaryLine("Budget Expenditures", "12.50")));
    const Ledger& live = window.ledger();
    EXPECT_EQ(live.BudgetAmount[3][kSpentInYear].format00(), "37.75");
    EXPECT_EQ(live.BudgetAmount[3][kSpentInMonth].format00(), "12.50");
    EXPECT_EQ(live.BudgetAmount[3][kRemaining].format00(), "62.25");
    EXPECT_EQ(live.BudgetAmount[1][kSpentInYear].format00(), "300.50");
    EXPECT_EQ(onDisk().BudgetAmount[3][kSpentInYear].format00(), "37.75");  // the replay finds it too
}

TEST_F(RecordingTest, SpendingPastWhatRemainsAsksFirst) {
    const struct {
        const char* amount;
        bool asked;
        Answer answer;
        bool recorded;
    } cases[] = {{"600.01", true, Answer::No, false}, {"600.01", true, Answer::Yes, true}, {"600.00", false, Answer::Yes, true}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        // A month of its own each time, so Utilities has its whole 600.00.
        openLedger(test::sampleLedger(), "CASE" + std::to_string(++n) + ".rep");
        const Files before = files();
        const Ledger tables = window.ledger();
        const int shown = static_cast<int>(dialogs().messages().size());
        run(kBx, {3});
        EntryWindow* e = entryNamed("FrmBX");
        ASSERT_NE(e, nullptr);
        if (c.asked) dialogs().answerNext(c.answer);
        record(e, c.amount);
        if (c.asked) {
            EXPECT_EQ(dialogs().lastMessage().text,
                      "You are attempting to spend more than is budgeted.\nAre you certain you want to do that?");
            EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
        } else {
            EXPECT_EQ(dialogs().messages().size(), shown);
        }
        expectSummaryBack(c.amount);
        if (c.recorded) {
            EXPECT_EQ(records().size(), 1u);
            EXPECT_EQ(window.ledger().BudgetAmount[2][kSpentInYear].format00(), c.amount);
        } else {
            EXPECT_TRUE(files() == before);
            EXPECT_EQ(window.ledger().BudgetAmount[2], tables.BudgetAmount[2]);
            EXPECT_EQ(window.ledger().Summary, tables.Summary);
        }
    }
}

// ---- Designated expenditure ---------------------------------------------------------------

TEST_F(RecordingTest, DesignatedExpenditureNeverOverdrawsAFund) {
    window.MnuDesignatedExpenditure->trigger();
    EXPECT_EQ(window.listLines(), (QStringList{"        - Select Designated Fund for Expenditure -",
                                               row40("Memorial Fund", "500.00"), row40("Organ, Repair", "0.50")}));
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);

    const Files before = files();
    run(kDxButton, {2});
    EntryWindow* e = entryNamed("FrmDX");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->windowTitle(), "Organ, Repair");
    record(e, "0.51");
    EXPECT_EQ(dialogs().messages().back(), kFundOverdrawn);
    expectSummaryBack("refused");
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(window.ledger().DesigAmount[2][kFundRemaining].format00(), "0.50");

    run(kDx, {2});
    e = entryNamed("FrmDX");
    ASSERT_NE(e, nullptr);
    record(e, ".5");
    expectSummaryBack("the whole balance");
    EXPECT_EQ(records(), std::vector<std::string>{rec({{1, "DX"}, {4, "20000"}, {10, " .5"}})});
    EXPECT_TRUE(window.ledger().DesigAmount[2][kFundRemaining].isZero());
    EXPECT_EQ(window.listLines().last(), summaryLine("Designated Fund Totals", "500.00"));
}

// ---- Deposit --------------------------------------------------------------------------------

TEST_F(RecordingTest, DepositRaisesReceiptsAndTheRemainingBalance) {
    run(kDp, {});
    EntryWindow* e = entryNamed("FrmDP");
    ASSERT_NE(e, nullptr);
    record(e, "100.00", "Nov €");  // the euro sign is in the code page: byte 0x80
    EXPECT_EQ(records(), std::vector<std::string>{rec({{1, "DP"}, {10, " 100"}, {23, "Nov \x80"}})});
    EXPECT_EQ(records()[0].substr(2, 6), "      ");
    expectSummaryBack("deposited");
    EXPECT_EQ(window.ledger().Summary[kTotalReceipts].format00(), "100.00");
    EXPECT_EQ(window.ledger().Summary[kRemainingBalance].format00(), "1100.75");
    EXPECT_TRUE(window.listLines().contains(summaryLine("Undesignated Receipts", "100.00")));
    EXPECT_TRUE(window.listLines().contains(summaryLine("Remaining Balance", "1100.75")));
}

// Leaving the box shows the amount that will be recorded; text that is no amount stays as
// typed and is refused, in every entry window, with nothing recorded and the window open.
TEST_F(RecordingTest, TheAmountBoxShowsWhatIsRecordedAndRefusesTheRest) {
    run(kDp, {});
    EntryWindow* e = entryNamed("FrmDP");
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(e));  // an X server may deliver it a few events later
    ASSERT_TRUE(e->TxtAmount->hasFocus());         // the window opens with the amount box ready
    QTest::keyClicks(e->TxtAmount, "$1,250");
    QTest::keyClick(e->TxtAmount, Qt::Key_Tab);  // leaves the box for the reference
    EXPECT_EQ(e->TxtAmount->text(), "1250.00");
    QTest::keyClicks(e->TxtRef, "ck 9001-LONGREF");  // the box takes what the record holds
    EXPECT_EQ(e->TxtRef->text(), "ck 9001-LO");
    QTest::mouseClick(e->recordButton, Qt::LeftButton);
    EXPECT_EQ(records(), std::vector<std::string>{rec({{1, "DP"}, {10, " 1250"}, {23, "ck 9001-LO"}})});

    const struct {
        Command command;
        std::vector<int> picks;
        const char* typed;
        const char* reason;
        const char* shown = nullptr;  // the text as typed
    } cases[] = {
        {kBx, {3}, "1,234.5x", "is not an amount"},
        {kDx, {1}, "1e9", "is not an amount"},
        // Refused as too large before the over-budget question: no answer is scripted for it.
        {kBx, {3}, "1,000,000,000", "too large", "1000000000.00"},
        {kDp, {}, "", "Nothing was typed"},
        {kDd, {1}, "12.5abc", "is not an amount"},
        {kSx, {1}, "1,25", "is not an amount"},
        {kTd, {2, 1}, "12.345", "more than two decimals"},
    };
    const Files before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.name);
        run(c.command, c.picks);
        e = entry();
        ASSERT_NE(e, nullptr);
        type(e, c.typed);
        QTest::keyClick(e->TxtAmount, Qt::Key_Return);
        EXPECT_NE(dialogs().messages().back().indexOf(c.reason), -1)
            << dialogs().messages().back().toStdString();
        ASSERT_EQ(entry(), e);  // left open, the text as typed
        EXPECT_EQ(e->TxtAmount->text(), c.shown ? c.shown : c.typed);
        QTest::mouseClick(e->cancelButton, Qt::LeftButton);
    }
    EXPECT_TRUE(files() == before);
}

// ---- Designation --------------------------------------------------------------------------

TEST_F(RecordingTest, NewFundForADesignationIsSavedAtOnceAndKeptWhenCancelled) {
    window.MnuDesignation->trigger();
    EXPECT_EQ(window.listLines(), (QStringList{"        - Select Fund for Designation -", row40("Memorial Fund", "500.00"),
                                               row40("Organ, Repair", "0.50"), kNewFundLine}));
    const Files before = files();
    dialogs().typeNext("Youth Camp");
    pick(3);
    EXPECT_EQ(dialogs().prompts(), QStringList{"What new name for this designated account?"});
    EntryWindow* e = entryNamed("FrmDD");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->windowTitle(), "Youth Camp");
    const QString number = QString::fromStdString(window.ledger().DesigAcctNumber[3]);
    EXPECT_TRUE(QRegularExpression("^\\d{5}$").match(number).hasMatch()) << number.toStdString();
    EXPECT_NE(number, "01234");
    EXPECT_NE(number, "20000");
    EXPECT_NE(files().month, before.month);
    EXPECT_EQ(files().journal, before.journal);  // a designation's new fund is not announced
    QTest::mouseClick(e->cancelButton, Qt::LeftButton);
    expectSummaryBack("cancelled");

    const Ledger kept = onDisk();
    EXPECT_EQ(kept.DesigCount, 3);
    EXPECT_EQ(kept.DesigAcctName[3], "Youth Camp");
    EXPECT_EQ(kept.DesigAcctNumber[3], number.toStdString());
    EXPECT_TRUE(kept.DesigAmount[3][kFundRemaining].isZero());

    run(kDd, {3});
    e = entryNamed("FrmDD");
    ASSERT_NE(e, nullptr);
    record(e, "25");
    EXPECT_EQ(records(), std::vector<std::string>{rec({{1, "DD"}, {4, number.toStdString()}, {10, "25.00"}})});
    expectSummaryBack("designated");
    EXPECT_EQ(window.ledger().DesigAmount[3][kFundRemaining].format00(), "25.00");
    EXPECT_EQ(onDisk().DesigAmount[3][kFundRemaining].format00(), "25.00");
}

TEST_F(RecordingTest, NewFundNamesThatCannotBeUsedCreateNothing) {
    const struct {
        const char* what;
        std::optional<QString> typed;  // nullopt: the box is cancelled
        QString messagePart;           // empty: no message
    } names[] = {{"one letter", "X", ""}, {"cancelled", std::nullopt, ""}, {"double quote", "The \"Big\" Fund", "double quote"}};
    const struct {
        Command command;
        std::vector<int> picks;
    } commands[] = {{kDd, {3}}, {kTd, {2, 3}}};
    const Files before = files();
    for (const auto& command : commands) {
        for (const auto& name : names) {
            const std::string where = std::string(command.command.name) + ", " + name.what;
            const int shown = static_cast<int>(dialogs().messages().size());
            name.typed ? dialogs().typeNext(*name.typed) : dialogs().cancelInputNext();
            run(command.command, command.picks);
            EXPECT_EQ(dialogs().prompts().back(), "What new name for this designated account?") << where;
            if (name.messagePart.isEmpty()) {
                EXPECT_EQ(dialogs().messages().size(), shown) << where;
            } else {
                ASSERT_EQ(dialogs().messages().size(), shown + 1) << where;
                EXPECT_TRUE(dialogs().messages().back().contains(name.messagePart)) << where;
            }
            expectSummaryBack(where);
            EXPECT_TRUE(files() == before) << where;
            EXPECT_EQ(window.ledger().DesigCount, 2) << where;
        }
    }
}

TEST_F(RecordingTest, FullTablesLeaveNoRoomForANewFundOrSource) {
    Ledger full = test::sampleLedger();
    for (int f = 1; f <= kLastWorkingRow; ++f) {
        full.DesigAcctName[f] = "Fund " + std::to_string(f);
        full.DesigAcctNumber[f] = std::to_string(10000 + f);
    }
    full.DesigCount = kLastWorkingRow;
    for (int k = 1; k <= kLastSourceRow; ++k) {
        full.SourceId[k] = std::to_string(20000 + k);
        full.SourceName[k] = "Source " + std::to_string(k);
    }
    openLedger(full, "FULL.rep");
    const Files before = files();
    const int newFund = kLastWorkingRow + 1;
    const struct {
        Command command;
        std::vector<int> picks;
        const char* message;
    } cases[] = {{kDd, {newFund}, kOutOfFundSpace}, {kTd, {2, newFund}, kOutOfFundSpace}, {kSx, {kLastSourceRow + 1}, kOutOfSourceSpace}};
    for (const auto& c : cases) {
        run(c.command, c.picks);
        EXPECT_EQ(dialogs().messages().back(), c.message) << c.command.name;
        expectSummaryBack(c.command.name);
    }
    EXPECT_TRUE(dialogs().prompts().isEmpty());
    EXPECT_TRUE(files() == before);
}

// ---- Source -----------------------------------------------------------------------------

TEST_F(RecordingTest, NewSourceIsCreatedAndItsIncomeNoted) {
    window.MnuSource->trigger();
    EXPECT_EQ(window.listLines(), (QStringList{"         - select source -", row40("Bake Sale", "0.00"), kNewSourceLine}));
    const Files before = files();
    dialogs().typeNext("");
    pick(2);
    EXPECT_EQ(dialogs().prompts().back(), "Enter name of new source -");
    EXPECT_EQ(dialogs().messages().back(), "Invalid name");
    expectSummaryBack("no name");
    EXPECT_TRUE(files() == before);

    dialogs().typeNext("Rummage Sale");
    run(kSx, {2});
    EntryWindow* e = entryNamed("frmSX");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->windowTitle(), "Rummage Sale");
    const std::string id = window.ledger().SourceId[2];
    EXPECT_TRUE(QRegularExpression("^\\d{5}$").match(QString::fromStdString(id)).hasMatch()) << id;
    EXPECT_NE(files().month, before.month);
    record(e, "12.5", "Oct 3");
    const std::vector<std::string> all = records();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0], rec({{1, "SX"}, {4, id}, {10, "       12.50"}, {23, "Oct 3"}}));
    expectSummaryBack("noted");
    EXPECT_TRUE(window.listLines().contains(summaryLine("Other sources", "12.50")));
    EXPECT_EQ(onDisk().SourceName[2], "Rummage Sale");
}

// The source list ends at the first name shorter than two characters (unused rows hold "0"),
// so such a name would hide its own source, the income noted for it, and every later source.
TEST_F(RecordingTest, ASourceNameTooShortToBeListedIsRefused) {
    const Files before = files();
    dialogs().typeNext("X");
    run(kSx, {2});
    EXPECT_EQ(dialogs().messages(), QStringList{"Invalid name"});
    EXPECT_EQ(entry(), nullptr);
    if (EntryWindow* e = entry()) QTest::mouseClick(e->cancelButton, Qt::LeftButton);
    expectSummaryBack("refused");
    EXPECT_TRUE(files() == before);
}

// ---- Internal transfer -------------------------------------------------------------------

TEST_F(RecordingTest, TransferMovesBudgetMoneyIntoAFundAndSavesTheMonth) {
    window.MnuTransfer->trigger();
    EXPECT_EQ(window.listLines(), (QStringList{kTransferTitle, row60("101 Pastor, Salary", "899.50"),
                                               row60("102 Utilities", "600.00"), row60("7 Short Number", "74.75")}));
    pick(2);
    EXPECT_EQ(window.listLines(), (QStringList{"        - Select Fund for Designation -", row30("Memorial Fund", " 500"),
                                               row30("Organ, Repair", " .5"), kNewFundLine}));
    const Files before = files();
    pick(1);
    auto* td = qobject_cast<FrmTD*>(entryNamed("FrmTD"));
    ASSERT_NE(td, nullptr);
    EXPECT_EQ(td->Label1->text(), "Transferring Funds from Utilities");
    EXPECT_EQ(td->Label2->text(), "to Memorial Fund");
    record(td, "50");
    EXPECT_EQ(records(), (std::vector<std::string>{rec({{1, "TO"}, {6, "102"}, {10, "50.00"}}),
                                                   rec({{1, "TI"}, {4, "01234"}, {10, "50.00"}})}));
    EXPECT_NE(files().month, before.month);
    expectSummaryBack("transferred");
    EXPECT_TRUE(window.listLines().contains(summaryLine("Internal Transfers", "50.00")));
    // What is shown now and what the next load sees agree: nothing counted twice.
    for (const Ledger& l : {window.ledger(), onDisk()}) {
        EXPECT_EQ(l.BudgetAmount[2][kSpentInYear].format00(), "50.00");
        EXPECT_EQ(l.BudgetAmount[2][kRemaining].format00(), "550.00");
        EXPECT_EQ(l.DesigAmount[1][kFundRemaining].format00(), "550.00");
        EXPECT_EQ(l.Summary[kInternalTransfers].format00(), "50.00");
        EXPECT_EQ(l.Summary[kRemainingBalance].format00(), "1000.75");
    }
}

// With the month save failing after the pair reached the journal, the window stayed open and a
// second "Make Transfer" recorded the transfer twice.
TEST_F(RecordingTest, ATransferRecordedWhoseMonthSaveFailsClosesItsWindow) {
    run(kTd, {2, 1});
    auto* td = qobject_cast<FrmTD*>(entryNamed("FrmTD"));
    ASSERT_NE(td, nullptr);
    {
        ScopedFileFault full([this](FileStep step, const std::string& p) {
            return step == FileStep::Write && p == path_ ? ENOSPC : 0;
        });
        record(td, "40");
    }
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_TRUE(dialogs().messages()[0].startsWith("The transfer is recorded"))
        << dialogs().messages()[0].toStdString();
    expectSummaryBack("recorded, month not saved");
    EXPECT_EQ(records().size(), 2u);
    EXPECT_EQ(window.ledger().Summary[kInternalTransfers].format00(), "40.00");
    EXPECT_EQ(onDisk().Summary[kInternalTransfers].format00(), "40.00");
}

// A transfer is spent by the account and received by the fund: the cash stays where it was,
// in the tables shown and in the next load. An account whose number the transfer record cannot
// carry for the replay (shorter than three characters) may be refused instead, changing nothing.
TEST_F(RecordingTest, TransferFromAnyListedAccountLeavesTheRemainingBalanceAlone) {
    const struct {
        int row;
        const char* spentAfter;
        bool mayRefuse;
    } cases[] = {{1, "350.50", false}, {2, "50.00", false}, {3, "75.25", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(test::sampleLedger().BudgetAcctNumber[c.row]);
        openLedger(test::sampleLedger(), "T" + std::to_string(c.row) + ".rep");
        const Files before = files();
        run(kTd, {c.row});  // no section headers: list line k is budget row k
        if (c.mayRefuse && !window.CmdProcede->isVisible()) {
            EXPECT_FALSE(dialogs().messages().isEmpty());
            expectSummaryBack("refused");
            EXPECT_TRUE(files() == before);
            continue;
        }
        pick(1);
        EntryWindow* e = entryNamed("FrmTD");
        ASSERT_NE(e, nullptr);
        record(e, "50");
        expectSummaryBack("transferred");
        for (const Ledger& l : {window.ledger(), onDisk()}) {
            EXPECT_EQ(l.Summary[kRemainingBalance].format00(), "1000.75");
            EXPECT_EQ(l.BudgetAmount[c.row][kSpentInYear].format00(), c.spentAfter);
            EXPECT_EQ(l.DesigAmount[1][kFundRemaining].format00(), "550.00");
        }
    }
}

TEST_F(RecordingTest, NewFundDuringATransferIsAnnouncedBeforeTheWindowOpens) {
    const Files before = files();
    dialogs().typeNext("Café €");
    run(kTd, {2, 3});
    auto* td = qobject_cast<FrmTD*>(entryNamed("FrmTD"));
    ASSERT_NE(td, nullptr);
    const std::string number = window.ledger().DesigAcctNumber[3];
    EXPECT_EQ(window.ledger().DesigAcctName[3], "Caf\xe9 \x80");  // stored in the code page
    EXPECT_EQ(records(), (std::vector<std::string>{rec({{1, "DN"}, {4, number}, {10, "0.00"}, {23, "transfer"}}),
                                                   rec({{1, "D2"}, {4, "Caf\xe9 \x80"}})}));
    EXPECT_NE(files().month, before.month);
    EXPECT_EQ(td->Label1->text(), "Transferring Funds from Utilities");
    EXPECT_EQ(td->Label2->text(), "to Café €");
    record(td, "30");
    expectSummaryBack("transferred");
    EXPECT_EQ(records().size(), 4u);
    EXPECT_EQ(records()[3], rec({{1, "TI"}, {4, number}, {10, "30.00"}}));
    EXPECT_EQ(onDisk().DesigAmount[3][kFundRemaining].format00(), "30.00");
}

}  // namespace
}  // namespace quorvel::ui
