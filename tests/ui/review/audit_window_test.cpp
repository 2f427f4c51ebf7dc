#include <QLabel>
#include <QTest>
#include <filesystem>

#include "ledger/month_lock.h"
#include "review/action_edit.h"
#include "ui/review/FrmAudit.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

FrmAudit* auditWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* a = qobject_cast<FrmAudit*>(w); a && a->isVisible()) return a;
    }
    return nullptr;
}

TEST_F(MainWindowTest, AuditTrailListsTheChangesAndRestoresACancelledAction) {
    const std::string path = openSample(
        "DEC2026.rep", {test::bx("101", Money::cents(4000), "ck 1"), test::to("102", Money::cents(1000)),
                        composeKeyedRecord("TI", "01234", "10.00", "")});
    const std::string journal = Journal::pathFor(path);
    ASSERT_TRUE(cancelAction(window.ledger(), window.journal(), 2).ok());
    const std::string original = test::readFile(journal);
    ASSERT_TRUE(cancelAction(window.ledger(), window.journal(), 1).ok());
    const std::string cancelled = test::readFile(journal);

    window.MnuAuditTrail->trigger();
    FrmAudit* audit = auditWindow();
    ASSERT_NE(audit, nullptr);
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(audit->LstAudit->count(), 2);
    EXPECT_TRUE(audit->LstAudit->item(1)->text().contains(
        "Cancel action\n    action 1\n        before: BX   101  40          ck 1        "
        "  Budget Expenditure 101, 40.00, ck 1\n        after:  ZZ - action canceled -"));
    EXPECT_TRUE(audit->LblTrail->text().endsWith("DEC2026.aud: 2 entries, newest last"))
        << audit->LblTrail->text().toStdString();
    ASSERT_TRUE(audit->CmdRestore->isEnabled());

    // A transfer's question names both its halves.
    audit->LstAudit->setCurrentRow(0);
    dialogs().answerNext(Answer::No);
    QTest::mouseClick(audit->CmdRestore, Qt::LeftButton);
    const QString transfer = dialogs().lastMessage().text;
    EXPECT_TRUE(
        transfer.startsWith("Restore this transfer?\n\nTransfer Out from Budget Account 102, 10.00\n"
                            "Transfer In to Designated Account"))
        << transfer.toStdString();
    // A restore that fails re-reads the trail, and what cannot be restored is not offered.
    const std::string link = folder.path("LINK.aud");
    std::filesystem::create_hard_link(path.substr(0, path.size() - 4) + ".aud", link);
    dialogs().answerNext(Answer::Yes);
    QTest::mouseClick(audit->CmdRestore, Qt::LeftButton);
    EXPECT_TRUE(dialogs().lastMessage().text.contains("a hard link"))
        << dialogs().lastMessage().text.toStdString();
    EXPECT_TRUE(audit->LblTrail->text().contains("a hard link"));
    EXPECT_FALSE(audit->CmdRestore->isEnabled());
    EXPECT_EQ(test::readFile(journal), cancelled);
    QTest::mouseClick(audit->CmdClose, Qt::LeftButton);
    std::filesystem::remove(link);
    window.MnuAuditTrail->trigger();
    audit = auditWindow();
    ASSERT_NE(audit, nullptr);
    audit->LstAudit->setCurrentRow(1);

    dialogs().answerNext(Answer::No);
    QTest::mouseClick(audit->CmdRestore, Qt::LeftButton);
    EXPECT_TRUE(dialogs().lastMessage().text.startsWith(
        "Restore this action?\n\nBudget Expenditure 101, 40.00, ck 1"));
    EXPECT_EQ(test::readFile(journal), cancelled);
    dialogs().answerNext(Answer::Yes);
    QTest::mouseClick(audit->CmdRestore, Qt::LeftButton);
    EXPECT_EQ(test::readFile(journal), original);
    EXPECT_EQ(auditWindow(), nullptr);
    EXPECT_TRUE(window.isVisible());

    // Read-only, the trail is shown but nothing can be restored from it.
    ASSERT_TRUE(cancelAction(window.ledger(), window.journal(), 1).ok());
    window.closeMonth();
    test::writeFile(
        MonthLock::lockPathFor(path),
        "Quorvel month lock\nuser: anna\nhost: vestry\nsince: 2026-12-06 14:03:27 +0100\npid: 4711\n");
    dialogs().answerNext(Answer::Yes);
    dialogs().chooseFileNext(QString::fromStdString(path));
    window.MnuOpen->trigger();
    ASSERT_TRUE(window.readOnly());
    window.MnuAuditTrail->trigger();
    ASSERT_NE(auditWindow(), nullptr);
    EXPECT_EQ(auditWindow()->LstAudit->count(), 4);
    EXPECT_FALSE(auditWindow()->CmdRestore->isEnabled());
    QTest::mouseClick(auditWindow()->CmdClose, Qt::LeftButton);
    EXPECT_EQ(auditWindow(), nullptr);

    // A damaged trail is said when its month opens, and the month opens all the same.
    test::writeFile(folder.path("JAN2027.aud"), "my own notes\n");
    openSample("JAN2027.rep");
    EXPECT_TRUE(dialogs().lastMessage().text.contains("JAN2027.aud is damaged"))
        << dialogs().lastMessage().text.toStdString();
    EXPECT_TRUE(window.ledger().CurrentFile.ends_with("JAN2027.rep"));
}

}  // namespace
}  // namespace quorvel::ui
