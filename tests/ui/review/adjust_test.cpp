// "View/Adjust Budget Item" and "View/Adjust Designated Item": the listing in the main list,
// the buttons it waits for, the words shown, and that no file changes.
#include "ledger/typed_amount.h"
#include "review/budget_adjustment.h"
#include "ui/review/FrmBChange.h"
#include "ui/review/FrmDChange.h"
#include "ui/review/adjust_commands.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

// The sample month: budget accounts 101, 102, 7 and funds 01234, 20000 in rows 1-3 and 1-2.
class AdjustTest : public MainWindowTest {
protected:
    void SetUp() override {
        openSample("NOV2026.rep",
                   {test::bx("101", Money::cents(4000)), test::to("102", Money::cents(2500)),
                    test::keyed("TI", "20000", Money::cents(2500)), test::bx("7", Money::cents(500)),
                    test::keyed("DX", "01234", Money::cents(1250)), test::bx("102", Money::cents(100)),
                    test::keyed("DD", "20000", Money::cents(300))});
    }
};

TEST_F(AdjustTest, ListingsWaitForEditDisplayOrCancelAndRefuseALineThatIsNoAccount) {
    const Files before = files();
    // clang-format off
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
    // clang-format on
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

// What a change window refuses is said, with the window left open as typed and no file changed.
TEST_F(AdjustTest, ChangeWindowsSayWhatTheyRefuseAndStayOpen) {
    const QString check(QChar(0x2713)),
        unstorable = " holds a character that cannot be stored in the month's files.";
    const auto badAmount = [](const char* box) {
        return QString::fromStdString(readTypedAmount("1.2.3", box).message());
    };
    // clang-format off
    const struct {
        bool fund;
        const char* box;
        QString typed;
        QString message;
        std::optional<platform::Answer> deleteAnswer;  // Delete pressed instead of the change button
    } cases[] = {
        {false, "TxtBudgeted", "1.2.3", badAmount("Annual Budget"), {}},
        {false, "TxtName", check, "The name" + unstorable, {}},
        {false, "TxtAcctNum", check, "The account number" + unstorable, {}},
        {false, "TxtAcctNum", "102", kDuplicateNumber, {}},
        {false, "TxtName", "Kept", "Are you sure you want to delete this budget item?", platform::Answer::No},
        {true, "TxtAmount", "1.2.3", badAmount("Beginning Balance"), {}},
        {true, "TxtName", check, "The name" + unstorable, {}},
    };
    // clang-format on
    const Files before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box + (": " + c.typed.toStdString()));
        (c.fund ? MnuAdjustDesignation_Click : MnuBudgetAdjust_Click)(window);
        pick(2, window.CmdEdit);  // the first account or fund
        QWidget* w = c.fund ? static_cast<QWidget*>(shown<FrmDChange>()) : shown<FrmBChange>();
        ASSERT_NE(w, nullptr);
        auto* box = w->findChild<QLineEdit*>(c.box);
        box->setText(c.typed);
        const qsizetype shownBefore = dialogs().messages().size();
        if (c.deleteAnswer) dialogs().answerNext(*c.deleteAnswer);
        QTest::mouseClick(w->findChild<QPushButton*>(c.deleteAnswer ? "CmdDelete"
                                                     : c.fund       ? "Command1"
                                                                    : "CmdChange"),
                          Qt::LeftButton);
        EXPECT_EQ(dialogs().messages().mid(shownBefore), QStringList{c.message});
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(box->text(), c.typed);
        EXPECT_TRUE(files() == before);
        w->close();
        expectSummaryBack(c.box);
    }
}

}  // namespace
}  // namespace quorvel::ui
