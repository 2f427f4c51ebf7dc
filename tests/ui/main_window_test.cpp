#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTest>
#include <algorithm>

#include "platform/fixed_font.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

bool enabled(QMenu* menu) { return menu->isEnabled() && menu->menuAction()->isEnabled(); }

TEST_F(MainWindowTest, ControlsCarryTheirNamesCaptionsAndShortcuts) {
    EXPECT_EQ(window.windowTitle(), "Quorvel");
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"CmdCopy", "Copy"},        {"CmdPrint", "Hard Copy Print"},
                   {"CmdDx", "&DX"},           {"CmdBx", "&BX"},
                   {"CmdDisplay", "Display &Related Actions"}, {"CmdEdit", "&Edit Selected"},
                   {"CmdCancel", "&Cancel"},   {"CmdProcede", "&Procede"}};
    for (const auto& b : buttons) {
        auto* button = window.findChild<QPushButton*>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), b.caption);
    }
    EXPECT_EQ(window.CmdDx->toolTip(), "Record a Designated Fund Expenditure");
    EXPECT_EQ(window.CmdBx->toolTip(), "Record a Budget Expenditure");
    ASSERT_NE(window.findChild<QListWidget*>("LstMain"), nullptr);
    EXPECT_TRUE(QFontInfo(window.LstMain->font()).fixedPitch());
    EXPECT_EQ(QFontInfo(window.LstMain->font()).family(), platform::fixedPitchFamily());

    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
    } items[] = {
        {"MnuOpen", "&Open", "Ctrl+O"},
        {"MnuSave", "Start &New Month", "Ctrl+M"},
        {"MnuNew", "New Annual &Budget Setup", ""},
        {"MnuSaveAS", "Save &As", ""},
        {"MnuFresh", "Save As &Fresh Year", ""},
        {"MnuPrint", "&Print", "Ctrl+P"},
        {"MnuExit", "E&xit", "Ctrl+X"},
        {"MnuBudgetExpenditure", "&Budget Expenditure", "Ctrl+E"},
        {"MnuDesignatedExpenditure", "&Designated Expenditure", ""},
        {"MnuDeposit", "De&posit", "Ctrl+D"},
        {"MnuDesignation", "&Note Designation", "Ctrl+N"},
        {"MnuSource", "Note &Source", "Ctrl+S"},
        {"MnuTransfer", "&Internal Transfer", "Ctrl+T"},
        {"MnuAdjustAction", "View/Adjust &Action", "Ctrl+A"},
        {"MnuCashShow", "View &Cash Actions", ""},
        {"MnuBudgetAdjust", "View/Adjust &Budget Item", "Ctrl+B"},
        {"MnuAdjustDesignation", "View/Adjust &Designated Item", ""},
        {"MnuCSource", "View/Adust &Sources", ""},
        {"MnuChangeBalance", "View/adjust &Main Balance", ""},
        {"MnuSetSections", "Set  or Define Sec&tions", ""},
        {"MnuUsage", "&Usage report", ""},
        {"MnuReorder", "&Reorder Designated Funds", ""},
        {"MnuCopy", "C&opy", "Ctrl+C"},
        {"MnuAbout", "&About", ""},
    };
    for (const auto& i : items) {
        auto* action = window.findChild<QAction*>(i.name);
        ASSERT_NE(action, nullptr) << i.name;
        EXPECT_EQ(action->text(), i.caption);
        EXPECT_EQ(action->shortcut().toString(), i.shortcut) << i.name;
    }
    const struct {
        const char* name;
        const char* caption;
    } menus[] = {
        {"MnuFile", "&File"}, {"MnuActions", "&Actions"}, {"MnuEdit", "Edit/&View"}, {"MnuHelp", "&Help"}};
    for (const auto& m : menus) {
        auto* menu = window.findChild<QMenu*>(m.name);
        ASSERT_NE(menu, nullptr) << m.name;
        EXPECT_EQ(menu->title(), m.caption);
    }
}

TEST_F(MainWindowTest, AtStartOnlyFileAndHelpWithoutTheMonthCommands) {
    EXPECT_TRUE(enabled(window.MnuFile));
    EXPECT_TRUE(enabled(window.MnuHelp));
    EXPECT_FALSE(enabled(window.MnuActions));
    EXPECT_FALSE(enabled(window.MnuEdit));
    EXPECT_FALSE(window.MnuSave->isEnabled());
    EXPECT_FALSE(window.MnuPrint->isEnabled());
    EXPECT_FALSE(window.MnuSaveAS->isEnabled());
    EXPECT_TRUE(window.MnuOpen->isEnabled());
    EXPECT_TRUE(window.MnuNew->isEnabled());
    EXPECT_TRUE(window.MnuFresh->isEnabled());
    EXPECT_FALSE(window.CmdBx->isEnabled());
    EXPECT_FALSE(window.CmdDx->isEnabled());
    for (QPushButton* b : {window.CmdProcede, window.CmdCancel, window.CmdEdit, window.CmdDisplay}) {
        EXPECT_FALSE(b->isVisible()) << b->objectName().toStdString();
    }
    EXPECT_EQ(window.LstMain->count(), 0);
}

TEST_F(MainWindowTest, OpenShowsTheSummaryAndEnablesEverything) {
    const std::string path = openSample("NOV2026.rep", {test::keyed("DP", "", Money::cents(20000)),
                                                       test::keyed("SX", "11111", Money::cents(1250)),
                                                       test::to("101", Money::cents(1000)),
                                                       composeKeyedRecord("TI", "01234", "10.00", ""),
                                                       test::bx("102", Money::cents(150000))});
    const QStringList expected = {
        "   File loaded is " + QString::fromStdString(path),
        "Beginning Balance                       1000.75",
        "Undesignated Receipts                    187.50",
        "Other sources                             12.50",
        "Designated Receipts                        0.00",
        "Internal Transfers                        10.00",
        "Budget Expenditures                     1510.00",
        "Designated Expenditures                    0.00",
        " ",
        "Remaining Balance                       -299.25",
        " ",
        "Undesignated Funds remaining            -809.75",
        "Designated Fund Totals                   510.50",
    };
    EXPECT_EQ(window.listLines(), expected);
    for (QMenu* menu : {window.MnuFile, window.MnuActions, window.MnuEdit, window.MnuHelp}) EXPECT_TRUE(enabled(menu));
    EXPECT_TRUE(window.MnuSave->isEnabled());
    EXPECT_TRUE(window.MnuPrint->isEnabled());
    EXPECT_TRUE(window.MnuSaveAS->isEnabled());
    EXPECT_TRUE(window.CmdBx->isEnabled());
    const platform::FileDialogOptions& asked = dialogs().shown.back().file;
    EXPECT_EQ(asked.title, "Open previously saved report");
    EXPECT_EQ(asked.pattern, "*.REP");
    EXPECT_EQ(asked.initialName, "*.rep");
}

TEST_F(MainWindowTest, ProtocolShowsOnlyTheChosenButtonsAndRestoresOnCancel) {
    openSample();
    int ran = 0;
    int code = -1;
    window.setListLines({"title", "first", "second"});
    window.waitForChoice({window.CmdProcede, window.CmdCancel}, [&] {
        ++ran;
        code = window.ListAction;
        window.ShowStub();
    });
    EXPECT_TRUE(window.isWaiting());
    for (QMenu* menu : {window.MnuFile, window.MnuActions, window.MnuEdit, window.MnuHelp}) EXPECT_FALSE(enabled(menu));
    EXPECT_FALSE(window.CmdBx->isEnabled());
    EXPECT_FALSE(window.CmdDx->isEnabled());
    EXPECT_TRUE(window.CmdProcede->isVisible());
    EXPECT_TRUE(window.CmdCancel->isVisible());
    EXPECT_FALSE(window.CmdEdit->isVisible());
    EXPECT_FALSE(window.CmdDisplay->isVisible());
    // Menu shortcuts do nothing while a command waits.
    QTest::keyClick(window.LstMain, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(dialogs().shown.size() == 1u);  // only the Open of openSample

    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(code, FrmMain::kCancel);
    EXPECT_FALSE(window.isWaiting());
    for (QMenu* menu : {window.MnuFile, window.MnuActions, window.MnuEdit, window.MnuHelp}) EXPECT_TRUE(enabled(menu));
    EXPECT_TRUE(window.CmdBx->isEnabled());
    EXPECT_FALSE(window.CmdCancel->isVisible());
    EXPECT_EQ(window.listLines().size(), 11);  // the summary again

    // A protocol button pressed with no command waiting only sets the code.
    window.CmdEdit->show();
    QTest::mouseClick(window.CmdEdit, Qt::LeftButton);
    EXPECT_EQ(window.ListAction, FrmMain::kEdit);
    EXPECT_EQ(ran, 1);
}

TEST_F(MainWindowTest, ProcedeReportsTheSelectedLineOrNone) {
    openSample();
    window.setListLines({"title", "first", "second"});
    int row = -2;
    window.waitForChoice({window.CmdProcede, window.CmdCancel}, [&] { row = window.selectedRow(); });
    QTest::mouseClick(window.CmdProcede, Qt::LeftButton);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(window.ListAction, FrmMain::kProcede);

    window.waitForChoice({window.CmdProcede, window.CmdCancel}, [&] { row = window.selectedRow(); });
    window.LstMain->setCurrentRow(2);
    EXPECT_EQ(window.selectedLine(), "second");
    QTest::keyClick(window.LstMain, Qt::Key_Return);  // Enter presses the visible default button
    EXPECT_EQ(row, 2);
    EXPECT_EQ(window.ListAction, FrmMain::kProcede);

    window.waitForChoice({window.CmdEdit, window.CmdDisplay, window.CmdCancel}, [&] { row = window.selectedRow(); });
    window.LstMain->setCurrentRow(1);
    QTest::keyClick(window.LstMain, Qt::Key_Enter);
    EXPECT_EQ(window.ListAction, FrmMain::kEdit);
    EXPECT_EQ(row, 1);
}

TEST_F(MainWindowTest, ClosingWhileWaitingEndsTheWaitWithoutRunningTheCommand) {
    openSample();
    bool ran = false;
    window.waitForChoice({window.CmdProcede, window.CmdCancel}, [&] { ran = true; });
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isWaiting());
    EXPECT_FALSE(ran);
    EXPECT_FALSE(window.journal().isOpen());
}

TEST_F(MainWindowTest, GuardedCommandsNeedALoadedMonth) {
    openSample();
    dialogs().chooseFileNext(QString::fromStdString(folder.path("DEC2026.rep")));
    dialogs().answerNext(platform::Answer::No);
    window.MnuSave->trigger();
    ASSERT_EQ(window.listLines(), QStringList{"    - data saved and unloaded -"});
    for (QAction* command : {window.MnuBudgetExpenditure, window.MnuDesignatedExpenditure, window.MnuDeposit,
                             window.MnuDesignation, window.MnuSource, window.MnuTransfer, window.MnuPrint}) {
        command->trigger();
        EXPECT_EQ(dialogs().messages().back(), "no report loaded") << command->objectName().toStdString();
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return w->objectName() == "frmprinter"; }));
    QTest::mouseClick(window.CmdBx, Qt::LeftButton);
    EXPECT_EQ(dialogs().messages().back(), "no report loaded");
}

TEST_F(MainWindowTest, AboutShowsTitleAndVersionAndClosesWithItsButton) {
    window.MnuAbout->trigger();
    auto* about = window.findChild<QDialog*>("FrmAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->findChild<QLabel*>("LblTitle")->text(), "Quorvel Program");
    EXPECT_EQ(about->findChild<QLabel*>("LblVersion")->text(), "Version " QUORVEL_VERSION);
    auto* ok = about->findChild<QDialogButtonBox*>("CmdOK")->button(QDialogButtonBox::Ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

}  // namespace
}  // namespace quorvel::ui
