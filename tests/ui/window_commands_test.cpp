// The commands that open a window of their own: without a month none opens; with one its
// window shows, and closing it brings the month's summary back.
#include <QLineEdit>
#include <filesystem>

#include "ui/reconcile/FrmReconcile.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

QWidget* shownWindowOf(const char* className) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits(className) && top->isVisible()) return top;
    return nullptr;
}

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
        SCOPED_TRACE(windowClass);
        ASSERT_NE(action, nullptr);
        action->trigger();
        EXPECT_EQ(shownWindowOf(windowClass), nullptr);
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
