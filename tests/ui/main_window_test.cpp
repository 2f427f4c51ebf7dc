// The main window: its list protocol, the File menu's month commands, the commands that open a
// window of their own, and the program's start with its single-instance lock: the dialogs asked,
// the words shown, which month is loaded or which window opens, and which files were written.
#include <sys/wait.h>
#include <unistd.h>

#include <QLineEdit>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>

#include "platform/single_instance.h"
#include "ui/mainwindow/program_start.h"
#include "ui/reconcile/FrmReconcile.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

bool enabled(QMenu* menu) { return menu->isEnabled() && menu->menuAction()->isEnabled(); }

// Whatever ends a month command without a new month keeps the loaded one as it was.
TEST_F(MainWindowTest, RefusedOrCancelledMonthCommandsKeepTheLoadedMonth) {
    openSample("NOV2026.rep",
               {test::bx("101", Money::cents(4000)), test::keyed("DP", "", Money::cents(50000)),
                test::keyed("SX", "11111", Money::cents(1250))});
    const std::string damaged = folder.path("DAMAGED.rep");
    test::writeFile(damaged, test::readFile(path).substr(0, 300));
    std::filesystem::create_directories(folder.path("locked/DEC2026.rep"));  // where the file should go
    // clang-format off
    const struct {
        QAction* command;
        std::optional<std::string> chosen;  // nullopt: the dialog is cancelled
        QString message;                    // a part of the last message
        const char* dialogTitle;
    } cases[] = {
        {window.MnuOpen, std::nullopt, "Invalid file name", "Open previously saved report"},
        {window.MnuSaveAS, std::nullopt, "Invalid file name", "Save duplicate of report"},
        {window.MnuSave, std::nullopt, "- invalid file name -", "Create New Month Report"},
        {window.MnuFresh, std::nullopt, "- invalid file name -", "Create Initial Fresh Year Report"},
        {window.MnuOpen, damaged, QString::fromStdString(damaged) + ": not a readable month file: field ",
         "Open previously saved report"},
        {window.MnuSave, path, "open now", "Create New Month Report"},  // onto the open month: refused
        {window.MnuSave, folder.path("locked/DEC2026.rep"), "The new month was not saved.",
         "Create New Month Report"},
    };
    // clang-format on
    const QStringList summary = window.listLines();
    const Files before = files();
    const auto lastFileTitle = [this] {
        for (auto it = dialogs().shown.rbegin(); it != dialogs().shown.rend(); ++it)
            if (it->kind != testkit::Shown::Kind::Message) return it->file.title;
        return QString();
    };
    for (const auto& c : cases) {
        const std::string where =
            c.command->objectName().toStdString() + " " + c.chosen.value_or("cancelled");
        if (c.command == window.MnuFresh) dialogs().answerNext(Answer::Ok);
        c.chosen ? dialogs().chooseFileNext(QString::fromStdString(*c.chosen)) : dialogs().cancelFileNext();
        c.command->trigger();
        EXPECT_TRUE(lastMessage().contains(c.message)) << where << ": " << lastMessage().toStdString();
        EXPECT_EQ(lastFileTitle(), c.dialogTitle) << where;
        EXPECT_EQ(window.listLines(), summary) << where;
        EXPECT_EQ(window.ledger().CurrentFile, path) << where;
        EXPECT_EQ(window.journal().path(), folder.path("NOV2026.jrn")) << where;
    }
    EXPECT_TRUE(files() == before);
}

TEST(ProgramStart, SecondCopyStopsBeforeShowingItsWindow) {
    test::TestFolder folder;
    const QString lock = QString::fromStdString(folder.path("quorvel.lock"));
    platform::SingleInstance first(lock);
    ASSERT_TRUE(first.acquire());
    testkit::TestPlatform test;
    platform::SingleInstance second(lock);
    EXPECT_EQ(startProgram({}, test.platform, second), nullptr);
    EXPECT_EQ(test.dialogs.messages(), QStringList{"program is already running"});
    // A lock that cannot be made was also called "already running".
    const QString unmadePath = QString::fromStdString(folder.path("no folder/quorvel.lock"));
    platform::SingleInstance unmade(unmadePath);
    EXPECT_EQ(startProgram({}, test.platform, unmade), nullptr);
    EXPECT_TRUE(test.dialogs.messages().back().contains("Cannot open the lock file " + unmadePath));
}

// The lock itself, held by this process or by a child killed while holding it.
TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstGoesAwayOrIsKilled) {
    QTemporaryDir dir;
    const QString lock = dir.filePath("quorvel.lock");
    {
        platform::SingleInstance first(lock);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire());  // asking again keeps it
        platform::SingleInstance second(lock);
        EXPECT_FALSE(second.acquire());
        EXPECT_FALSE(second.held());
        EXPECT_EQ(second.error(), QString());  // refused, not broken
    }
    EXPECT_TRUE(platform::SingleInstance(lock).acquire());

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        platform::SingleInstance held(lock);
        const char answer = held.acquire() ? '1' : '0';
        if (::write(ready[1], &answer, 1) != 1) ::_exit(2);
        for (;;) ::pause();  // killed by the parent, the lock never released by us
    }
    ::close(ready[1]);
    char answer = 0;
    const ssize_t got = ::read(ready[0], &answer, 1);
    ::close(ready[0]);
    const bool refusedWhileHeld = got == 1 && answer == '1' && !platform::SingleInstance(lock).acquire();
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, 1);
    ASSERT_EQ(answer, '1');
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(refusedWhileHeld);
    EXPECT_TRUE(platform::SingleInstance(lock).acquire());
}

TEST_F(MainWindowTest, AWaitingCommandTakesTheMenusAndGetsTheButtonAndLineChosen) {
    openSample();
    int ran = 0, row = -2;
    const auto wait = [&](std::initializer_list<QPushButton*> buttons) {
        window.setListLines({"title", "first", "second"});
        window.waitForChoice(buttons, [&] {
            ++ran;
            row = window.selectedRow();
            window.ShowStub();
        });
    };
    wait({window.CmdProcede, window.CmdCancel});
    EXPECT_TRUE(window.isWaiting());
    for (QMenu* menu : {window.MnuFile, window.MnuActions, window.MnuEdit, window.MnuHelp})
        EXPECT_FALSE(enabled(menu));
    EXPECT_FALSE(window.CmdBx->isEnabled());
    EXPECT_FALSE(window.CmdEdit->isVisible());
    // Menu shortcuts do nothing while waiting.
    QTest::keyClick(window.LstMain, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs().shown.size(), 1u);
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(window.ListAction, FrmMain::kCancel);
    EXPECT_FALSE(window.isWaiting());
    for (QMenu* menu : {window.MnuFile, window.MnuActions, window.MnuEdit, window.MnuHelp})
        EXPECT_TRUE(enabled(menu));
    EXPECT_FALSE(window.CmdCancel->isVisible());

    const struct {
        std::initializer_list<QPushButton*> buttons;
        int line;
        int key;  // 0: Procede clicked
        int action;
    } cases[] = {
        {{window.CmdProcede, window.CmdCancel}, -1, 0, FrmMain::kProcede},
        {{window.CmdProcede, window.CmdCancel}, 2, Qt::Key_Return, FrmMain::kProcede},  // the visible default
        {{window.CmdEdit, window.CmdDisplay, window.CmdCancel}, 1, Qt::Key_Enter, FrmMain::kEdit}};
    for (const auto& c : cases) {
        wait(c.buttons);
        window.LstMain->setCurrentRow(c.line);
        if (c.key == 0) pick(c.line, window.CmdProcede);
        if (c.key != 0) QTest::keyClick(window.LstMain, static_cast<Qt::Key>(c.key));
        EXPECT_EQ(row, c.line);
        EXPECT_EQ(window.ListAction, c.action);
    }
    // A protocol button pressed with no command waiting only sets the code.
    window.CmdEdit->show();
    QTest::mouseClick(window.CmdEdit, Qt::LeftButton);
    EXPECT_EQ(window.ListAction, FrmMain::kEdit);
    EXPECT_EQ(ran, 4);
    // Closing while waiting ends the wait without running the command.
    wait({window.CmdProcede, window.CmdCancel});
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isWaiting());
    EXPECT_EQ(ran, 4);
    EXPECT_FALSE(window.journal().isOpen());
}

QWidget* shownWindowOf(const char* className) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits(className) && top->isVisible()) return top;
    return nullptr;
}

// Without a month no window opens; with one its window shows, and closing it brings the
// month's summary back.
TEST_F(MainWindowTest, EachWindowCommandOpensItsWindowAndClosesBack) {
    const std::pair<QAction*, const char*> commands[] = {
        {window.MnuPrint, "quorvel::ui::frmprinter"},
        {window.MnuExport, "quorvel::ui::FrmExport"},
        {window.findChild<QAction*>("MnuReconcile"), "quorvel::ui::FrmReconcile"},
        {window.MnuUsageChart, "quorvel::ui::FrmUsageChart"},
        {window.MnuAuditTrail, "quorvel::ui::FrmAudit"},
        {window.MnuSetSections, "quorvel::ui::FrmSections"},
        {window.MnuReorder, "quorvel::ui::FrmReorder"},
    };
    for (const auto& [action, windowClass] : commands) {
        ASSERT_NE(action, nullptr) << windowClass;
        action->trigger();
        EXPECT_EQ(shownWindowOf(windowClass), nullptr) << windowClass;
    }
    openSample();
    for (const auto& [action, windowClass] : commands) {
        SCOPED_TRACE(windowClass);
        // The reconciliation asks for its statement, and on closing whether to drop its proposals.
        const bool reconcile = std::string_view(windowClass) == "quorvel::ui::FrmReconcile";
        if (reconcile) dialogs().chooseFileNext(QString(QUORVEL_DEMO_DIR) + "/DEC2026-statement.csv");
        action->trigger();
        QWidget* opened = shownWindowOf(windowClass);
        ASSERT_NE(opened, nullptr);
        if (reconcile) dialogs().answerNext(platform::Answer::Yes);
        opened->close();
        expectSummaryBack(windowClass);
    }
}

// A name the reconciliation file cannot hold is refused at Save, never written as another name.
TEST_F(MainWindowTest, ReconcileRefusesAnOtherAccountNameOutsideTheCodePage) {
    openSample();
    dialogs().chooseFileNext(QString(QUORVEL_DEMO_DIR) + "/DEC2026-statement.csv");
    window.findChild<QAction*>("MnuReconcile")->trigger();
    auto* rec = qobject_cast<FrmReconcile*>(shownWindowOf("quorvel::ui::FrmReconcile"));
    ASSERT_NE(rec, nullptr);
    rec->TxtOtherName[0]->setText(QString::fromUtf8("Oszcz\u0119dno\u015Bci"));
    rec->TxtOtherAmount[0]->setText("5.00");
    rec->CmdSave->click();
    EXPECT_TRUE(lastMessage().startsWith("The reconciliation was not saved: correct"))
        << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains("other account 1")) << lastMessage().toStdString();
    EXPECT_FALSE(std::filesystem::exists(folder.path("NOV2026.rec")));
    rec->close();
    expectSummaryBack("reconcile");
}

}  // namespace
}  // namespace quorvel::ui
