// The main window: its controls and menus, the list protocol, the title, where file dialogs
// start, the recent months, the window's place and the keyboard.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>

#include "platform/fixed_font.h"
#include "ui/report/frmprinter.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

bool enabled(QMenu* menu) {
    return menu->isEnabled() && menu->menuAction()->isEnabled();
}

const platform::FileDialogOptions& lastFileDialog(const testkit::ScriptedDialogs& dialogs) {
    const auto it = std::find_if(dialogs.shown.rbegin(), dialogs.shown.rend(), [](const testkit::Shown& s) {
        return s.kind != testkit::Shown::Kind::Message;
    });
    EXPECT_NE(it, dialogs.shown.rend());
    return it->file;
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesCaptionsAndShortcuts) {
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut = "";
    } controls[] = {
        {"CmdCopy", "Copy"},
        {"CmdPrint", "Hard Copy Print"},
        {"CmdDx", "&DX"},
        {"CmdBx", "&BX"},
        {"CmdDisplay", "Display &Related Actions"},
        {"CmdEdit", "&Edit Selected"},
        {"CmdCancel", "&Cancel"},
        {"CmdProcede", "&Procede"},
        {"MnuFile", "&File"},
        {"MnuActions", "&Actions"},
        {"MnuEdit", "Edit/&View"},
        {"MnuHelp", "&Help"},
        {"MnuOpen", "&Open", "Ctrl+O"},
        {"MnuSave", "Start &New Month", "Ctrl+M"},
        {"MnuNew", "New Annual &Budget Setup"},
        {"MnuSaveAS", "Save &As"},
        {"MnuFresh", "Save As &Fresh Year"},
        {"MnuPrint", "&Print", "Ctrl+P"},
        {"MnuExit", "E&xit", "Ctrl+X"},
        {"MnuBudgetExpenditure", "&Budget Expenditure", "Ctrl+E"},
        {"MnuDesignatedExpenditure", "&Designated Expenditure"},
        {"MnuDeposit", "De&posit", "Ctrl+D"},
        {"MnuDesignation", "&Note Designation", "Ctrl+N"},
        {"MnuSource", "Note &Source", "Ctrl+S"},
        {"MnuTransfer", "&Internal Transfer", "Ctrl+T"},
        {"MnuAdjustAction", "View/Adjust &Action", "Ctrl+A"},
        {"MnuCashShow", "View &Cash Actions"},
        {"MnuBudgetAdjust", "View/Adjust &Budget Item", "Ctrl+B"},
        {"MnuAdjustDesignation", "View/Adjust &Designated Item"},
        {"MnuCSource", "View/Adust &Sources"},
        {"MnuChangeBalance", "View/adjust &Main Balance"},
        {"MnuSetSections", "Set  or Define Sec&tions"},
        {"MnuUsage", "&Usage report"},
        {"MnuReorder", "&Reorder Designated Funds"},
        {"MnuCopy", "C&opy", "Ctrl+C"},
        {"MnuAbout", "&About"},
    };
    for (const auto& c : controls) {
        QObject* control = window.findChild<QObject*>(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->property(qobject_cast<QMenu*>(control) ? "title" : "text").toString(), c.caption);
        if (auto* action = qobject_cast<QAction*>(control))
            EXPECT_EQ(action->shortcut().toString(), c.shortcut) << c.name;
    }
    EXPECT_EQ(window.windowTitle(), "Quorvel");
    EXPECT_EQ(window.CmdDx->toolTip(), "Record a Designated Fund Expenditure");
    EXPECT_EQ(window.CmdBx->toolTip(), "Record a Budget Expenditure");
    EXPECT_TRUE(QFontInfo(window.LstMain->font()).fixedPitch());
    EXPECT_EQ(QFontInfo(window.LstMain->font()).family(), platform::fixedPitchFamily());
}

TEST_F(MainWindowTest, OnlyFileAndHelpUntilAMonthIsOpenThenEverything) {
    for (const bool loaded : {false, true}) {
        if (loaded) openSample();
        EXPECT_TRUE(enabled(window.MnuFile) && enabled(window.MnuHelp));
        for (QMenu* menu : {window.MnuActions, window.MnuEdit})
            EXPECT_EQ(enabled(menu), loaded);
        for (QAction* item : {window.MnuSave, window.MnuPrint, window.MnuSaveAS})
            EXPECT_EQ(item->isEnabled(), loaded);
        for (QAction* item : {window.MnuOpen, window.MnuNew, window.MnuFresh})
            EXPECT_TRUE(item->isEnabled());
        EXPECT_EQ(window.CmdBx->isEnabled(), loaded);
        EXPECT_EQ(window.CmdDx->isEnabled(), loaded);
        for (QPushButton* b : {window.CmdProcede, window.CmdCancel, window.CmdEdit, window.CmdDisplay})
            EXPECT_FALSE(b->isVisible());
    }
    expectSummaryBack("opened");
    const platform::FileDialogOptions& asked = dialogs().shown.back().file;
    EXPECT_EQ(asked.title, "Open previously saved report");
    EXPECT_EQ(asked.pattern, "*.REP");
    EXPECT_EQ(asked.initialName, "*.rep");
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
    QTest::keyClick(window.LstMain, Qt::Key_O,
                    Qt::ControlModifier);  // menu shortcuts do nothing while waiting
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
        if (c.key == 0) {
            pick(c.line, window.CmdProcede);
        } else {
            window.LstMain->setCurrentRow(c.line);
            QTest::keyClick(window.LstMain, static_cast<Qt::Key>(c.key));
        }
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

TEST_F(MainWindowTest, GuardedCommandsNeedALoadedMonth) {
    openSample();
    dialogs().chooseFileNext(QString::fromStdString(folder.path("DEC2026.rep")));
    dialogs().answerNext(Answer::No);
    window.MnuSave->trigger();  // saved and unloaded: the commands stay enabled
    for (QAction* command : {window.MnuBudgetExpenditure, window.MnuDesignatedExpenditure, window.MnuDeposit,
                             window.MnuDesignation, window.MnuSource, window.MnuTransfer, window.MnuPrint}) {
        command->trigger();
        EXPECT_EQ(lastMessage(), "no report loaded") << command->objectName().toStdString();
    }
    EXPECT_EQ(shown<frmprinter>(), nullptr);
    QTest::mouseClick(window.CmdBx, Qt::LeftButton);
    EXPECT_EQ(dialogs().messages().mid(1), QStringList(8, "no report loaded"));
}

TEST_F(MainWindowTest, AboutShowsTitleAndVersionAndClosesWithItsButton) {
    window.MnuAbout->trigger();
    auto* about = window.findChild<QDialog*>("FrmAbout");
    ASSERT_TRUE(about && about->isVisible());
    EXPECT_EQ(about->findChild<QLabel*>("LblTitle")->text(), "Quorvel Program");
    EXPECT_EQ(about->findChild<QLabel*>("LblVersion")->text(), "Version " QUORVEL_VERSION);
    QTest::mouseClick(about->findChild<QDialogButtonBox*>("CmdOK")->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(MainWindowTest, TheTitleNamesTheOpenMonthAndDialogsStartBesideIt) {
    openSample("NOV2026.rep");
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("NOV2026 \u2014 Quorvel"));
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
    for (const auto& [freshYear, title] : {std::pair{Answer::Yes, "Create Initial Fresh Year Report"},
                                           std::pair{Answer::No, "Create New Month Report"}}) {
        dialogs().answerNext(freshYear);
        dialogs().cancelFileNext();
        window.MnuSave->trigger();
        EXPECT_TRUE(dialogs()
                        .messages()
                        .at(dialogs().messages().size() - 2)
                        .startsWith("JAN2027.rep starts a new year."));
        EXPECT_EQ(lastFileDialog(dialogs()).title, title);
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
    ASSERT_NE(shown<frmprinter>(), nullptr);
    shown<frmprinter>()->Command2_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

}  // namespace
}  // namespace quorvel::ui
