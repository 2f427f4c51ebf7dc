// How a treasurer finds their way: the command line, the title bar, where file dialogs start
// and what they suggest, the recent months, the window's place, and the keyboard.
#include <QTest>

#include "ledger/month_file.h"
#include "ui/mainwindow/program_start.h"
#include "ui/report/frmprinter.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

const QString kDash = QString::fromUtf8(" \u2014 ");

const platform::FileDialogOptions& lastFileDialog(const testkit::ScriptedDialogs& dialogs) {
    const auto it = std::find_if(dialogs.shown.rbegin(), dialogs.shown.rend(), [](const testkit::Shown& s) {
        return s.kind != testkit::Shown::Kind::Message;
    });
    EXPECT_NE(it, dialogs.shown.rend());
    return it->file;
}

TEST(CommandLine, HelpVersionAndUnknownOptionsAreAnsweredBeforeAnyWindow) {
    const struct {
        QStringList arguments;
        const char* startsWith;  // nullptr: the program starts
        int status;
    } cases[] = {
        {{"--help"}, "Usage: quorvel [MONTH.rep]\n", 0},
        {{"DEC2026.rep", "-h"}, "Usage: quorvel [MONTH.rep]\n", 0},
        {{"--version"}, "quorvel " QUORVEL_VERSION "\n", 0},
        {{"--bogus"}, "quorvel: unknown option --bogus\nUsage: quorvel", 2},
        {{"DEC2026.rep"}, nullptr, 0},
        {{"--", "--help"}, nullptr, 0},
        {{"--quit-after-start", "DEC2026.rep"}, nullptr, 0},
    };
    for (const auto& c : cases) {
        const auto answer = answerCommandLine(c.arguments);
        ASSERT_EQ(answer.has_value(), c.startsWith != nullptr) << c.arguments.join(' ').toStdString();
        if (!answer) continue;
        EXPECT_TRUE(answer->text.startsWith(c.startsWith)) << answer->text.toStdString();
        EXPECT_EQ(answer->status, c.status);
    }
    // Before the application takes out its own options, they are left to it.
    EXPECT_FALSE(answerCommandLine({"-platform", "xcb", "-session", "s1", "DEC2026.rep"}, false));
}

TEST_F(MainWindowTest, TheTitleNamesTheOpenMonth) {
    EXPECT_EQ(window.windowTitle(), "Quorvel");
    openSample("NOV2026.rep");
    EXPECT_EQ(window.windowTitle(), "NOV2026" + kDash + "Quorvel");
    dialogs().chooseFileNext(QString::fromStdString(folder.path("DEC2026.rep")));
    dialogs().answerNext(Answer::No);
    window.MnuSave->trigger();
    EXPECT_EQ(window.windowTitle(), "Quorvel");
}

TEST_F(MainWindowTest, DialogsStartBesideTheMonthAndNewMonthsAreSuggestedAndOpened) {
    openSample("NOV2026.rep");
    const QString here = QString::fromStdString(folder.root());
    dialogs().cancelFileNext();
    window.MnuOpen->trigger();
    EXPECT_EQ(lastFileDialog(dialogs()).initialName, here + "/*.rep");

    // Start New Month suggests December beside November and, once saved, offers to open it.
    const std::string december = folder.path("DEC2026.rep");
    dialogs().chooseFileNext(QString::fromStdString(december));
    dialogs().answerNext(Answer::Yes);
    window.MnuSave->trigger();
    EXPECT_EQ(lastFileDialog(dialogs()).suggestedName, here + "/DEC2026.rep");
    EXPECT_EQ(lastFileDialog(dialogs()).initialName, here + "/*.rep");
    EXPECT_EQ(dialogs().lastMessage().text, "DEC2026.rep is saved. Open it now?");
    EXPECT_EQ(window.ledger().CurrentFile, december);
    EXPECT_TRUE(window.journal().isOpen());

    // From December, January starts a year: Fresh Year is offered first.
    const struct {
        Answer freshYear;
        const char* dialogTitle;
    } cases[] = {{Answer::Yes, "Create Initial Fresh Year Report"}, {Answer::No, "Create New Month Report"}};
    for (const auto& c : cases) {
        dialogs().answerNext(c.freshYear);
        dialogs().cancelFileNext();
        window.MnuSave->trigger();
        EXPECT_TRUE(dialogs()
                        .messages()
                        .at(dialogs().messages().size() - 2)
                        .startsWith("JAN2027.rep starts a new year."));
        EXPECT_EQ(lastFileDialog(dialogs()).title, c.dialogTitle);
        EXPECT_EQ(lastFileDialog(dialogs()).suggestedName, here + "/JAN2027.rep");
    }
}

TEST_F(MainWindowTest, TheLastFiveMonthsOpenedAreOfferedLatestFirstInEveryWindow) {
    QStringList opened;
    for (const char* month :
         {"JUN2026.rep", "JUL2026.rep", "AUG2026.rep", "SEP2026.rep", "OCT2026.rep", "NOV2026.rep"})
        opened.prepend(QString::fromStdString(openSample(month)));
    FrmMain later(testPlatform().platform);
    for (FrmMain* w : {&window, &later}) {
        const QList<QAction*> items = w->MnuRecent->actions();
        ASSERT_EQ(items.size(), 5);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(items[i]->text(), QString("&%1 %2").arg(i + 1).arg(opened[i]));
    }
    later.MnuRecent->actions()[2]->trigger();
    EXPECT_EQ(later.ledger().CurrentFile, folder.path("SEP2026.rep"));
}

TEST_F(MainWindowTest, TheWindowComesBackWhereItWasAndAsLarge) {
    openSample();
    window.setGeometry(70, 80, 900, 640);
    const QRect placed = window.geometry();
    window.MnuPrint->trigger();
    ASSERT_FALSE(window.isVisible());
    window.move(0, 0);  // as a window manager may place a window shown anew
    frmprinter* report = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* r = qobject_cast<frmprinter*>(w); r && r->isVisible()) report = r;
    ASSERT_NE(report, nullptr);
    report->Command2_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the report window gone
    EXPECT_EQ(window.geometry(), placed);

    window.hide();
    FrmMain next(testPlatform().platform);
    next.show();
    EXPECT_EQ(next.size(), placed.size());
}

TEST_F(MainWindowTest, EveryMenuItemHasItsOwnAcceleratorAndNoneClashes) {
    const auto mnemonic = [](const QString& caption) {
        const qsizetype at = caption.indexOf('&');
        EXPECT_TRUE(at >= 0 && at + 1 < caption.size() && caption.count('&') == 1) << caption.toStdString();
        return at < 0 ? QChar() : caption.at(at + 1).toUpper();
    };
    QSet<QChar> topLevel;
    for (QMenu* menu : {window.MnuFile, window.MnuActions, window.MnuEdit, window.MnuHelp}) {
        topLevel.insert(mnemonic(menu->title()));
        QSet<QChar> inMenu;
        for (QAction* item : menu->actions())
            inMenu.insert(mnemonic(item->text()));
        EXPECT_EQ(inMenu.size(), menu->actions().size()) << menu->title().toStdString();
    }
    EXPECT_EQ(topLevel.size(), 4);
    // The buttons shown while the menus wait take Alt+letter too.
    for (QPushButton* b :
         {window.CmdProcede, window.CmdCancel, window.CmdEdit, window.CmdDisplay, window.CmdBx, window.CmdDx})
        EXPECT_FALSE(topLevel.contains(mnemonic(b->text()))) << b->text().toStdString();
}

TEST_F(MainWindowTest, InAWaitingListArrowsSkipTheTitleAndEscapeCancels) {
    openSample("NOV2026.rep",
               {test::bx("101", Money::cents(4000)), test::keyed("DP", "", Money::cents(500))});
    const QStringList summary = window.listLines();
    window.MnuAdjustAction->trigger();
    QTest::keyClick(window.LstMain, Qt::Key_Down);
    EXPECT_EQ(window.selectedRow(), 1);
    QTest::keyClick(window.LstMain, Qt::Key_Escape);
    EXPECT_FALSE(window.isWaiting());
    EXPECT_EQ(window.listLines(), summary);

    window.MnuAdjustAction->trigger();
    QTest::keyClick(window.CmdEdit, Qt::Key_Escape);  // wherever the focus is
    EXPECT_FALSE(window.isWaiting());
}

}  // namespace
}  // namespace quorvel::ui
