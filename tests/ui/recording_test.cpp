// The Actions menu's wiring: the pick in the main list, the entry window it opens, the words
// shown, and what reached the journal and the month file. The figures are the core's.
#include <QInputMethodEvent>
#include <QPointer>

#include "actions/recording.h"
#include "ledger/typed_amount.h"
#include "ui/actions/EntryWindow.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

// A 34-byte journal record: its first 22 bytes, then the reference.
std::string rec(std::string head, std::string_view reference = "Chk \x80") {
    head.resize(22, ' ');
    head += reference;
    head.resize(kRecordSize, ' ');
    return head;
}

class RecordingTest : public MainWindowTest {
protected:
    void SetUp() override { openSample(); }
    QAction *bx = window.MnuBudgetExpenditure, *dx = window.MnuDesignatedExpenditure, *dp = window.MnuDeposit,
            *dd = window.MnuDesignation, *sx = window.MnuSource, *td = window.MnuTransfer;

    // A menu command or a button, and the lines chosen with Procede.
    void run(QObject* command, const std::vector<int>& picks) {
        if (auto* action = qobject_cast<QAction*>(command)) action->trigger();
        if (auto* button = qobject_cast<QPushButton*>(command)) QTest::mouseClick(button, Qt::LeftButton);
        for (int row : picks) pick(row, window.CmdProcede);
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
    std::vector<std::string> records() const {
        std::vector<std::string> all;
        const std::string bytes = files().journal;
        for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
            all.push_back(bytes.substr(at, kRecordSize));
        return all;
    }
};

TEST_F(RecordingTest, EachCommandOpensItsWindowWritesItsRecordAndReturnsToTheSummary) {
    // clang-format off
    const struct {
        QObject* command;
        std::vector<int> picks;
        const char* window;
        bool pressEnter;  // Enter in the amount box instead of the record button
        std::vector<std::string> written;
    } cases[] = {{bx, {5}, "FrmBX", false, {rec("BX   7    12.5")}},
                 {window.CmdBx, {3}, "FrmBX", true, {rec("BX   102  12.5")}},
                 {dx, {1}, "FrmDX", false, {rec("DX 01234  12.5")}},
                 {window.CmdDx, {1}, "FrmDX", true, {rec("DX 01234  12.5")}},
                 {dp, {}, "FrmDP", true, {rec("DP        12.5")}},
                 {dd, {2}, "FrmDD", true, {rec("DD 20000 12.50")}},
                 {sx, {1}, "frmSX", false, {rec("SX 11111        12.50")}},
                 {td, {2, 1}, "FrmTD", true, {rec("TO   102 12.50"), rec("TI 01234 12.50")}}};
    // clang-format on
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
        EXPECT_EQ(e ? e->TxtAmount->text() : QString("12.50"), "12.50");  // as recorded, if still shown
        const std::vector<std::string> all = records();
        ASSERT_EQ(all.size(), before + c.written.size());
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()), c.written);
        expectSummaryBack(c.window);
    }
}

TEST_F(RecordingTest, EveryCancelAndEveryPickThatNamesNoAccountChangeNothing) {
    enum Way { List, Button, Escape, Close, Refused, ShortName };  // ShortName: one letter for a new name
    const QString budget = "you must select a budget item", fund = "you must select a Designated Fund!";
    // clang-format off
    const struct {
        QObject* command;
        std::vector<int> picks;
        Way way;
        QString message;  // empty: the command ends without a word
    } cases[] = {
        {bx, {}, List, ""}, {bx, {3}, Button, ""}, {window.CmdBx, {5}, Escape, ""}, {dx, {}, List, ""},
        {window.CmdDx, {1}, Escape, ""}, {dp, {}, Button, ""}, {dp, {}, Close, ""}, {dd, {}, List, ""},
        {dd, {1}, Button, ""}, {sx, {}, List, ""}, {sx, {1}, Close, ""}, {td, {}, List, ""},
        {td, {2}, List, ""}, {td, {2, 1}, Button, ""}, {td, {2, 1}, Escape, ""}, {bx, {0}, Refused, budget},
        {bx, {1}, Refused, budget}, {bx, {4}, Refused, budget}, {bx, {-1}, Refused, budget},
        {dx, {0}, Refused, "you must select a designated fund"},
        {dx, {-1}, Refused, "you must select a designated fund"}, {dd, {0}, Refused, fund},
        {dd, {-1}, Refused, fund}, {sx, {0}, Refused, ""}, {sx, {-1}, Refused, ""},
        {td, {0}, Refused, budget}, {td, {-1}, Refused, budget}, {td, {2, 0}, Refused, fund},
        {td, {2, -1}, Refused, fund}, {sx, {2}, ShortName, "Invalid name"}, {dd, {3}, ShortName, ""},
        {td, {2, 3}, ShortName, ""},
    };
    // clang-format on
    const QStringList summary = window.listLines();
    for (const auto& c : cases) {
        const std::string where =
            c.command->objectName().toStdString() + " " + std::to_string(c.picks.size());
        const QStringList before = dialogs().messages();
        const Files untouched = files();
        if (c.way == ShortName) dialogs().typeNext("X");
        run(c.command, c.picks);
        if (c.way == List) pick(-1, window.CmdCancel);
        if (c.way == Button || c.way == Escape || c.way == Close) {
            EntryWindow* e = entry();
            ASSERT_NE(e, nullptr) << where;
            typeInto(e->TxtAmount, "5");
            if (c.way == Button) QTest::mouseClick(e->cancelButton, Qt::LeftButton);
            if (c.way == Escape) QTest::keyClick(e->TxtAmount, Qt::Key_Escape);
            if (c.way == Close) e->close();
        }
        EXPECT_EQ(dialogs().messages(), c.message.isEmpty() ? before : before + QStringList{c.message})
            << where;
        EXPECT_TRUE(files() == untouched) << where;
        expectSummaryBack(where);
        EXPECT_EQ(window.listLines(), summary) << where;
    }
}

// The window opens with the amount box ready; leaving it shows the amount that will be recorded,
// and the reference box takes what a record holds.
TEST_F(RecordingTest, TheAmountBoxIsReadyAndShowsWhatIsRecorded) {
    run(dp, {});
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

// What the record button refuses keeps the window open with what was typed; the over-budget
// question's No abandons the expenditure as Cancel does, and its Yes records it.
TEST_F(RecordingTest, RefusalsKeepTheWindowAndTheOverBudgetQuestionDecides) {
    const QString overBudget =
        "You are attempting to spend more than is budgeted.\nAre you certain you want to do that?";
    const QString badAmount = QString::fromStdString(readTypedAmount("1.2.3", "Amount Expended").message());
    const QString badReference =
        "The reference holds a character that cannot be stored in the month's files.";
    // clang-format off
    const struct {
        const char* amount;
        QString reference;
        std::optional<platform::Answer> answer;
        QString message;
        const char* open;  // the amount box of the window that stays, to be mended; null: it closed
        std::vector<std::string> written;
    } cases[] = {{"1.2.3", "", {}, badAmount, "1.2.3", {}},
                 {"5", QString(QChar(0x2713)), {}, badReference, "5.00", {}},
                 {"80", "", platform::Answer::No, overBudget, nullptr, {}},
                 {"80", "", platform::Answer::Yes, overBudget, nullptr, {rec("BX   7    80", "")}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        const std::vector<std::string> before = records();
        run(bx, {5});  // account 7: 74.75 left of its budget
        QPointer<EntryWindow> e = entry();
        ASSERT_TRUE(e);
        typeInto(e->TxtAmount, c.amount);
        typeInto(e->TxtRef, c.reference);
        const qsizetype shownBefore = dialogs().messages().size();
        if (c.answer) dialogs().answerNext(*c.answer);
        QTest::mouseClick(e->recordButton, Qt::LeftButton);
        EXPECT_EQ(dialogs().messages().mid(shownBefore), QStringList{c.message});
        std::vector<std::string> expected = before;
        expected.insert(expected.end(), c.written.begin(), c.written.end());
        EXPECT_EQ(records(), expected);
        ASSERT_EQ(e && e->isVisible(), c.open != nullptr);
        if (c.open) {
            EXPECT_EQ(e->TxtAmount->text(), c.open);
            QTest::mouseClick(e->cancelButton, Qt::LeftButton);
        }
        expectSummaryBack(c.amount);
    }
}

}  // namespace
}  // namespace quorvel::ui
