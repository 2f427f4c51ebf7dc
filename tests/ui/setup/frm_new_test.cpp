// File, New Annual Budget Setup: the question, the entries typed and clicked in, the words
// shown, and Save and Exit with the main window taking the new month.
#include <QLineEdit>

#include "ui/setup/FrmNew.h"
#include "ui/setup/setup_commands.h"
#include "ui/widgets/AmountBox.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using testkit::Shown;
using SetupTest = MainWindowTest;

// Clicks into the box, which takes the focus from wherever it was, and types over what it shows.
void typeInto(QLineEdit* box, const QString& text) {
    // Without a window manager, a late focus event of an earlier window can take the
    // activation away; the click and the typing are what is tested here.
    if (!box->window()->isActiveWindow()) box->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(box->window()));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(box->hasFocus()) << box->objectName().toStdString();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

TEST_F(SetupTest, SaveAndExitWritesTheFirstMonthAndTheMainWindowTakesIt) {
    openSample();
    dialogs().answerNext(platform::Answer::Yes);
    MnuNew_Click(window);
    FrmNew* f = shown<FrmNew>();
    // On screen and active, ready for typing; an X server under load may deliver the activation
    // a few events later.
    ASSERT_TRUE(f && QTest::qWaitForWindowActive(f));
    typeInto(f->TxtAcctNumber, "101");
    typeInto(f->TxtAcctName, "Pastor");
    typeInto(f->TxtBudgetAmount, "1200");
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    path = folder.path("JAN2027.rep");
    const std::string stale(test::keyed("DP", "", Money::cents(99900)).text());
    test::writeFile(Journal::pathFor(path), stale);  // moved aside, not replayed
    typeInto(f->TxtCashOnHand, "1500.25");
    dialogs().chooseFileNext(QString::fromStdString(path));
    QTest::mouseClick(f->Command3, Qt::LeftButton);
    const Shown& dialog = dialogs().shown.back();
    EXPECT_EQ(dialog.kind, Shown::Kind::SaveFile);
    EXPECT_EQ(dialog.file.title, "Save New Report as . . (hint: MMMYYYY.REP)");
    EXPECT_EQ(dialog.file.pattern, "*.rep");
    EXPECT_EQ(dialog.file.initialName, "*.rep");
    EXPECT_EQ(dialog.file.defaultExtension, "rep");
    EXPECT_TRUE(dialog.file.overwritePrompt);
    expectSummaryBack("saved");
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_EQ(window.ledger().Summary[kBeginningBalance],
              test::loadMonth(path).ledger.Summary[kBeginningBalance]);
    EXPECT_EQ(test::loadMonth(path).ledger.BudgetAcctName[1], "Pastor");
    EXPECT_EQ(window.journal().path(), Journal::pathFor(path));
    EXPECT_EQ(files().journal, "");
    EXPECT_EQ(test::readFile(Journal::pathFor(path) + ".bak"), stale);
}

}  // namespace
}  // namespace quorvel::ui
