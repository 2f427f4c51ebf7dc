// The Actions menu's wiring: the pick in the main list, the entry window it opens, the words
// shown, and what reached the journal and the month file. The figures are the core's.
#include <QInputMethodEvent>
#include <QLabel>
#include <QPointer>

#include "actions/recording.h"
#include "ledger/file_faults.h"
#include "ui/actions/EntryWindow.h"
#include "ui/actions/FrmTD.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

// A 34-byte journal record: its first 22 bytes, then the reference.
std::string rec(std::string head, std::string_view reference = "Chk \x80") {
    head.resize(22, ' ');
    head += reference;
    head.resize(kRecordSize, ' ');
    return head;
}

const QString kBadReference = "The reference holds a character that cannot be stored in the month's files.";
const QString kNewFund = "What new name for this designated account?";
const QString kBadName = "The fund name may not contain a double quote (\").";

class RecordingTest : public MainWindowTest {
  protected:
    void SetUp() override { openSample(); }

    // A menu command or a button, and the lines chosen with Procede.
    void run(QObject* command, const std::vector<int>& picks) {
        if (auto* action = qobject_cast<QAction*>(command)) action->trigger();
        if (auto* button = qobject_cast<QPushButton*>(command)) QTest::mouseClick(button, Qt::LeftButton);
        for (int row : picks)
            pick(row, window.CmdProcede);
    }
    EntryWindow* entry() {
        EXPECT_FALSE(window.isVisible()) << "the main window stays hidden while an entry window is open";
        return shown<EntryWindow>();
    }
    // Keys for plain characters; the others arrive committed by the input method, as typed.
    static void typeInto(QLineEdit* box, const QString& text) {
        for (const QChar ch : text) {
            QInputMethodEvent composed;
            composed.setCommitString(ch);
            if (ch.unicode() < 0x80) QTest::keyClick(box, ch.toLatin1());
            if (ch.unicode() >= 0x80) QCoreApplication::sendEvent(box, &composed);
        }
    }
    void record(EntryWindow* e, const QString& amount, const QString& reference = {}) {
        typeInto(e->TxtAmount, amount);
        typeInto(e->TxtRef, reference);
        QTest::mouseClick(e->recordButton, Qt::LeftButton);
    }
    std::vector<std::string> records() const {
        std::vector<std::string> all;
        const std::string bytes = files().journal;
        for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
            all.push_back(bytes.substr(at, kRecordSize));
        return all;
    }
    // The messages shown by `step`, and whether the files stayed as they were.
    std::pair<QStringList, bool> messagesOf(const std::function<void()>& step) {
        const qsizetype before = dialogs().messages().size();
        const Files untouched = files();
        step();
        return {dialogs().messages().mid(before), files() == untouched};
    }
};

TEST_F(RecordingTest, EachCommandOpensItsWindowWritesItsRecordAndReturnsToTheSummary) {
    const struct {
        QObject* command;
        std::vector<int> picks;
        const char* window;
        bool pressEnter;  // Enter in the amount box instead of the record button
        std::vector<std::string> written;
    } cases[] = {{window.MnuBudgetExpenditure, {5}, "FrmBX", false, {rec("BX   7    12.5")}},
                 {window.CmdBx, {3}, "FrmBX", true, {rec("BX   102  12.5")}},
                 {window.MnuDesignatedExpenditure, {1}, "FrmDX", false, {rec("DX 01234  12.5")}},
                 {window.CmdDx, {1}, "FrmDX", true, {rec("DX 01234  12.5")}},
                 {window.MnuDeposit, {}, "FrmDP", true, {rec("DP        12.5")}},
                 {window.MnuDesignation, {2}, "FrmDD", true, {rec("DD 20000 12.50")}},
                 {window.MnuSource, {1}, "frmSX", false, {rec("SX 11111        12.50")}},
                 {window.MnuTransfer, {2, 1}, "FrmTD", true, {rec("TO   102 12.50"), rec("TI 01234 12.50")}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        const std::size_t before = records().size();
        run(c.command, c.picks);
        QPointer<EntryWindow> e = entry();
        ASSERT_TRUE(e && e->objectName() == c.window);
        typeInto(e->TxtAmount, "12.5");
        typeInto(e->TxtRef, "Chk €");  // the euro sign is in the code page: byte 0x80
        if (c.pressEnter) QTest::keyClick(e->TxtAmount, Qt::Key_Return);  // no lost-focus reformatting
        if (!c.pressEnter) QTest::mouseClick(e->recordButton, Qt::LeftButton);
        if (e) EXPECT_EQ(e->TxtAmount->text(), "12.50");
        const std::vector<std::string> all = records();
        ASSERT_EQ(all.size(), before + c.written.size());
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()), c.written);
        expectSummaryBack(c.window);
    }
}

TEST_F(RecordingTest, EveryCancelAndEveryPickThatNamesNoAccountChangeNothing) {
    enum Way { List, Button, Escape, Close, Refused };
    const QString budget = "you must select a budget item", fund = "you must select a Designated Fund!";
    const struct {
        QObject* command;
        std::vector<int> picks;
        Way way;
        QString message = {};  // empty: the command ends without a word
    } cases[] = {{window.MnuBudgetExpenditure, {}, List},
                 {window.MnuBudgetExpenditure, {3}, Button},
                 {window.CmdBx, {5}, Escape},
                 {window.MnuDesignatedExpenditure, {}, List},
                 {window.CmdDx, {1}, Escape},
                 {window.MnuDeposit, {}, Button},
                 {window.MnuDeposit, {}, Close},
                 {window.MnuDesignation, {}, List},
                 {window.MnuDesignation, {1}, Button},
                 {window.MnuSource, {}, List},
                 {window.MnuSource, {1}, Close},
                 {window.MnuTransfer, {}, List},
                 {window.MnuTransfer, {2}, List},
                 {window.MnuTransfer, {2, 1}, Button},
                 {window.MnuTransfer, {2, 1}, Escape},
                 {window.MnuBudgetExpenditure, {0}, Refused, budget},
                 {window.MnuBudgetExpenditure, {1}, Refused, budget},
                 {window.MnuBudgetExpenditure, {4}, Refused, budget},
                 {window.MnuBudgetExpenditure, {-1}, Refused, budget},
                 {window.MnuDesignatedExpenditure, {0}, Refused, "you must select a designated fund"},
                 {window.MnuDesignatedExpenditure, {-1}, Refused, "you must select a designated fund"},
                 {window.MnuDesignation, {0}, Refused, fund},
                 {window.MnuDesignation, {-1}, Refused, fund},
                 {window.MnuSource, {0}, Refused},
                 {window.MnuSource, {-1}, Refused},
                 {window.MnuTransfer, {0}, Refused, budget},
                 {window.MnuTransfer, {-1}, Refused, budget},
                 {window.MnuTransfer, {2, 0}, Refused, fund},
                 {window.MnuTransfer, {2, -1}, Refused, fund}};
    const QStringList summary = window.listLines();
    for (const auto& c : cases) {
        const std::string where =
            c.command->objectName().toStdString() + " " + std::to_string(c.picks.size());
        const auto [messages, untouched] = messagesOf([&] {
            run(c.command, c.picks);
            if (c.way == List) pick(-1, window.CmdCancel);
            if (c.way == List || c.way == Refused) return;
            EntryWindow* e = entry();
            ASSERT_NE(e, nullptr) << where;
            typeInto(e->TxtAmount, "5");
            if (c.way == Button) QTest::mouseClick(e->cancelButton, Qt::LeftButton);
            if (c.way == Escape) QTest::keyClick(e->TxtAmount, Qt::Key_Escape);
            if (c.way == Close) e->close();
        });
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message}) << where;
        EXPECT_TRUE(untouched) << where;
        expectSummaryBack(where);
        EXPECT_EQ(window.listLines(), summary) << where;
    }
}

// Text that is no amount, or a reference outside the code page, is refused with the window left
// open and the text as typed; nothing is recorded.
TEST_F(RecordingTest, RefusedEntriesKeepTheWindowOpenAndRecordNothing) {
    const struct {
        QObject* command;
        std::vector<int> picks;
        const char* amount;
        QString reference, message;         // the whole message, or (for amounts) a part of it
        const char* shownAmount = nullptr;  // as typed unless given
    } cases[] = {{window.MnuBudgetExpenditure, {3}, "1,234.5x", "", "is not an amount"},
                 {window.MnuDesignatedExpenditure, {1}, "1e9", "", "is not an amount"},
                 // Refused as too large before the over-budget question: no answer is scripted for it.
                 {window.MnuBudgetExpenditure, {3}, "1,000,000,000", "", "too large", "1000000000.00"},
                 {window.MnuDeposit, {}, "", "", "Nothing was typed"},
                 {window.MnuDesignation, {1}, "12.5abc", "", "is not an amount"},
                 {window.MnuSource, {1}, "1,25", "", "is not an amount"},
                 {window.MnuTransfer, {2, 1}, "12.345", "", "more than two decimals"},
                 {window.MnuBudgetExpenditure, {3}, "5", "Gift 中", kBadReference, "5.00"},
                 {window.MnuDesignatedExpenditure, {1}, "5", "Gift 中", kBadReference, "5.00"},
                 {window.MnuDeposit, {}, "5", "Gift 中", kBadReference, "5.00"},
                 {window.MnuDesignation, {1}, "5", "Gift 中", kBadReference, "5.00"},
                 {window.MnuSource, {1}, "5", "Gift 中", kBadReference, "5.00"},
                 {window.MnuTransfer, {2, 1}, "5", "Gift 中", kBadReference, "5.00"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command->objectName().toStdString() + " " + c.amount);
        run(c.command, c.picks);
        EntryWindow* e = entry();
        ASSERT_NE(e, nullptr);
        const auto [messages, untouched] = messagesOf([&] { record(e, c.amount, c.reference); });
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(c.reference.isEmpty() ? messages[0].contains(c.message) : messages[0] == c.message)
            << messages[0].toStdString();
        EXPECT_TRUE(untouched);
        ASSERT_EQ(shown<EntryWindow>(), e);
        EXPECT_EQ(e->TxtAmount->text(), c.shownAmount ? c.shownAmount : c.amount);
        QTest::mouseClick(e->cancelButton, Qt::LeftButton);
    }
}

// Over the budget asks first; a fund is never overdrawn.
TEST_F(RecordingTest, SpendingPastWhatRemainsAsksAndOverdrawingAFundIsRefused) {
    const QString overBudget =
        "You are attempting to spend more than is budgeted.\nAre you certain you want to do that?";
    const struct {
        QObject* command;
        int pick;
        const char* amount;
        std::optional<Answer> answer;
        QString message;  // empty: none
    } cases[] = {{window.CmdBx, 3, "600.01", Answer::No, overBudget},
                 {window.CmdBx, 3, "600.01", Answer::Yes, overBudget},
                 {window.CmdBx, 3, "600.00", {}, ""},
                 {window.CmdDx, 2, "0.51", {}, kFundOverdrawn}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        openSample("CASE" + std::to_string(&c - cases) + ".rep");  // a month of its own each time
        run(c.command, {c.pick});
        EntryWindow* e = entry();
        ASSERT_NE(e, nullptr);
        if (c.answer) dialogs().answerNext(*c.answer);
        const auto [messages, untouched] = messagesOf([&] { record(e, c.amount); });
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        if (c.answer) EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
        expectSummaryBack(c.amount);
        EXPECT_EQ(untouched, c.answer == Answer::No || c.message == kFundOverdrawn);
        EXPECT_EQ(records().size(), untouched ? 0u : 1u);
    }
}

// The window opens with the amount box ready; leaving it shows the amount that will be recorded,
// and the reference box takes what a record holds.
TEST_F(RecordingTest, TheAmountBoxIsReadyAndShowsWhatIsRecorded) {
    run(window.MnuDeposit, {});
    EntryWindow* e = entry();
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(e));  // an X server may deliver it a few events later
    ASSERT_TRUE(e->TxtAmount->hasFocus());
    QTest::keyClicks(e->TxtAmount, "$1,250");
    QTest::keyClick(e->TxtAmount, Qt::Key_Tab);
    EXPECT_EQ(e->TxtAmount->text(), "1250.00");
    QTest::keyClicks(e->TxtRef, "ck 9001-LONGREF");
    EXPECT_EQ(e->TxtRef->text(), "ck 9001-LO");
    QTest::mouseClick(e->recordButton, Qt::LeftButton);
    EXPECT_EQ(records(), std::vector<std::string>{rec("DP        1250", "ck 9001-LO")});
}

TEST_F(RecordingTest, NewFundAndSourceNamesAreAskedAndThoseThatCannotBeUsedCreateNothing) {
    const struct {
        QObject* command;
        std::vector<int> picks;
        std::optional<QString> typed;  // nullopt: the box is cancelled
        QString prompt, message;       // message empty: none
    } cases[] = {
        {window.MnuDesignation, {3}, "X", kNewFund, ""},
        {window.MnuDesignation, {3}, std::nullopt, kNewFund, ""},
        {window.MnuDesignation, {3}, "The \"Big\" Fund", kNewFund, kBadName},
        {window.MnuTransfer, {2, 3}, "X", kNewFund, ""},
        {window.MnuTransfer, {2, 3}, std::nullopt, kNewFund, ""},
        {window.MnuTransfer, {2, 3}, "The \"Big\" Fund", kNewFund, kBadName},
        // The source list ends at the first name shorter than two characters: it would hide the source.
        {window.MnuSource, {2}, "", "Enter name of new source -", "Invalid name"},
        {window.MnuSource, {2}, "X", "Enter name of new source -", "Invalid name"}};
    for (const auto& c : cases) {
        const std::string where =
            c.command->objectName().toStdString() + " " + c.typed.value_or("-").toStdString();
        c.typed ? dialogs().typeNext(*c.typed) : dialogs().cancelInputNext();
        const auto [messages, untouched] = messagesOf([&] { run(c.command, c.picks); });
        EXPECT_EQ(dialogs().prompts().back(), c.prompt) << where;
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message}) << where;
        EXPECT_TRUE(untouched) << where;
        expectSummaryBack(where);
    }
    // A designation's new fund is saved at once, unannounced, and kept when the entry is cancelled.
    const Files before = files();
    dialogs().typeNext("Youth Camp");
    run(window.MnuDesignation, {3});
    EntryWindow* e = entry();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->windowTitle(), "Youth Camp");
    EXPECT_EQ(files().journal, before.journal);
    QTest::mouseClick(e->cancelButton, Qt::LeftButton);
    expectSummaryBack("cancelled");
    EXPECT_EQ(onDisk(path).DesigAcctName[3], "Youth Camp");
}

// A new fund made during a transfer is announced in the journal before the window opens.
TEST_F(RecordingTest, TransferWindowNamesBothSidesAndANewFundIsAnnouncedFirst) {
    dialogs().typeNext("Café €");
    run(window.MnuTransfer, {2, 3});
    auto* td = qobject_cast<FrmTD*>(entry());
    ASSERT_NE(td, nullptr);
    EXPECT_EQ(records().size(), 2u);
    EXPECT_EQ(onDisk(path).DesigAcctName[3], "Caf\xe9 \x80");  // stored in the code page
    EXPECT_EQ(td->Label1->text(), "Transferring Funds from Utilities");
    EXPECT_EQ(td->Label2->text(), "to Café €");
    record(td, "30");
    expectSummaryBack("transferred");
    EXPECT_EQ(records().size(), 4u);
}

// With the month save failing after the pair reached the journal, the window stayed open and a
// second "Make Transfer" recorded the transfer twice.
TEST_F(RecordingTest, ATransferRecordedWhoseMonthSaveFailsClosesItsWindow) {
    run(window.MnuTransfer, {2, 1});
    EntryWindow* td = entry();
    ASSERT_NE(td, nullptr);
    {
        ScopedFileFault full([this](FileStep step, const std::string& p) {
            return step == FileStep::Write && p == path ? ENOSPC : 0;
        });
        record(td, "40");
    }
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_TRUE(lastMessage().startsWith("The transfer is recorded")) << lastMessage().toStdString();
    expectSummaryBack("recorded, month not saved");
    EXPECT_EQ(records().size(), 2u);
}

}  // namespace
}  // namespace quorvel::ui
