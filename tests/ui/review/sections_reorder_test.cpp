// FrmSections and FrmReorder: lines chosen in their lists, buttons pressed, the words shown,
// and what reaches the month file when they close.
#include <QLineEdit>

#include "ledger/file_faults.h"
#include "ui/review/FrmReorder.h"
#include "ui/review/FrmSections.h"
#include "ui/review/adjust_commands.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

QStringList linesOf(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

void press(QListWidget* list, int line, QPushButton* button) {
    if (line >= -1) line < 0 ? list->clearSelection() : list->setCurrentRow(line);
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// The sample month with `count` funds "F1".."Fn" numbered 10001.. in rows 1..n.
Ledger withFunds(int count) {
    Ledger month = test::sampleLedger();
    for (int f = 1; f <= count; ++f) {
        month.DesigAcctName[f] = "F" + std::to_string(f);
        month.DesigAcctNumber[f] = std::to_string(10000 + f);
        month.DesigAmount[f] = AmountRow{};
    }
    month.DesigCount = count;
    return month;
}

class SectionsTest : public MainWindowTest {
  protected:
    void SetUp() override { openSample(); }
    FrmSections* start() {
        MnuSetSections_Click(window);
        EXPECT_FALSE(window.isVisible());
        return shown<FrmSections>();
    }
};

TEST_F(SectionsTest, RefusalsAddingDeletingAndSavingOnClose) {
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Caption Setting");
    EXPECT_EQ(linesOf(w->lstcatagories),
              (QStringList{"       - Catagories Specified -", "101 Operations", "7 Other"}));
    for (int line : {-1, 0}) {
        press(w->lstbudgets, line, w->Command1);
        EXPECT_EQ(lastMessage(), "you must select a budget item to do this");
        press(w->lstcatagories, line, w->CmdDelete);
        EXPECT_EQ(lastMessage(), "You must select a catagory to delete");
    }
    QTest::keyClicks(w->TxtName, "Building");
    press(w->lstbudgets, 2, w->Command1);
    EXPECT_EQ(linesOf(w->lstcatagories),
              (QStringList{"       - Catagories Specified -", "101 Operations", "102 Building", "7 Other"}));
    EXPECT_EQ(w->TxtName->text(), "");
    press(w->lstcatagories, 1, w->CmdDelete);
    EXPECT_EQ(linesOf(w->lstcatagories),
              (QStringList{"    - Catagories created so far -", "102 Building", "7 Other"}));
    const Files before = files();
    QTest::keyClick(w->lstbudgets, Qt::Key_Escape);  // saves like Cancel and Save and Exit
    expectSummaryBack("escaped");
    EXPECT_EQ(onDisk(path).SectionStart[1], "102");
    EXPECT_EQ(onDisk(path).SectionTitle[1], "Building");
    EXPECT_EQ(files().journal, before.journal);
}

TEST_F(SectionsTest, NineSectionsAreTheMostAndAFailedSaveIsReported) {
    Ledger month = test::sampleLedger();
    for (int i = 1; i <= 10; ++i) {
        month.BudgetAcctNumber[i] = std::to_string(100 + i);
        month.BudgetAcctName[i] = "A" + std::to_string(i);
    }
    for (int s = 1; s <= 9; ++s) {
        month.SectionStart[s] = month.BudgetAcctNumber[s];
        month.SectionTitle[s] = "S";
    }
    month.SectionStart[10].clear();
    month.BudgetCount = 10;
    openSample("NINE.rep", {}, month);
    const Files before = files();
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    press(w->lstbudgets, 10, w->Command1);
    EXPECT_EQ(lastMessage(), "maximum section number reached");
    EXPECT_EQ(w->lstcatagories->count(), 10);
    press(w->lstcatagories, 1, w->CmdDelete);
    {
        test::FileSizeLimit full(1000);
        press(w->lstcatagories, -2, w->CmdSave);
    }
    EXPECT_TRUE(lastMessage().startsWith("Nothing was changed"));
    expectSummaryBack("not saved");
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(window.ledger().SectionStart[1], "101");
}

class ReorderTest : public MainWindowTest {
  protected:
    FrmReorder* start(int funds) {
        openSample("R" + std::to_string(funds) + ".rep", {test::keyed("DX", "10004", Money::cents(100))},
                   withFunds(funds));
        MnuReorder_Click(window);
        EXPECT_FALSE(window.isVisible());
        return shown<FrmReorder>();
    }
    static bool moving(const FrmReorder* w) {
        const bool moves = w->CmdTop->isVisible() && w->CmdUpOne->isVisible() && w->CmdDownOne->isVisible() &&
                           w->CmdBottom->isVisible();
        EXPECT_EQ(moves, !w->CmdExit->isVisible());
        EXPECT_EQ(w->CmdSelect->text(), moves ? "Save Placement" : "Select Fund");
        return moves;
    }
    std::vector<std::string> numbersOnDisk() const {
        const Ledger disk = onDisk(path);
        return {disk.DesigAcctNumber.begin() + 1, disk.DesigAcctNumber.begin() + 1 + disk.DesigCount};
    }
};

TEST_F(ReorderTest, ChoosingMovingAndSavingTheOrder) {
    FrmReorder* w = start(5);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Reordering Designated Funds");
    EXPECT_EQ(linesOf(w->LstDesignated), (QStringList{"     - ordered list of designated funds -", " 1   F1",
                                                      " 2   F2", " 3   F3", " 4   F4", " 5   F5"}));
    EXPECT_FALSE(moving(w));
    for (int line : {-1, 0}) {
        press(w->LstDesignated, line, w->CmdSelect);
        EXPECT_EQ(lastMessage(), "No fund selected");
        EXPECT_FALSE(moving(w));
    }
    press(w->LstDesignated, 4, w->CmdSelect);
    EXPECT_TRUE(moving(w));
    press(w->LstDesignated, -2, w->CmdTop);
    EXPECT_EQ(linesOf(w->LstDesignated).front(), " F4");
    for (QPushButton* b : {w->CmdUpOne, w->CmdDownOne, w->CmdBottom, w->CmdDownOne})
        press(w->LstDesignated, -2, b);
    EXPECT_EQ(linesOf(w->LstDesignated).back(), " F4");
    press(w->LstDesignated, -2, w->CmdSelect);  // "Save Placement"
    EXPECT_FALSE(moving(w));
    EXPECT_EQ(linesOf(w->LstDesignated).mid(1),
              (QStringList{" 1   F1", " 2   F2", " 3   F3", " 4   F5", " 5   F4"}));
    EXPECT_EQ(numbersOnDisk(), (std::vector<std::string>{"10001", "10002", "10003", "10004", "10005"}));
    press(w->LstDesignated, -2, w->CmdExit);
    expectSummaryBack("saved");
    EXPECT_EQ(numbersOnDisk(), (std::vector<std::string>{"10001", "10002", "10003", "10005", "10004"}));
}

TEST_F(ReorderTest, AmongManyTheListShowsThePlaceAndCancelOrAFailedSaveKeepTheOrder) {
    FrmReorder* w = start(30);
    ASSERT_NE(w, nullptr);
    const Files before = files();
    press(w->LstDesignated, 20, w->CmdSelect);
    EXPECT_EQ(linesOf(w->LstDesignated).value(7), " F20");  // the place view around the fund
    press(w->LstDesignated, -2, w->CmdTop);
    press(w->LstDesignated, -2, w->CmdSelect);
    {
        test::FileSizeLimit full(1000);
        press(w->LstDesignated, -2, w->CmdExit);
    }
    EXPECT_TRUE(lastMessage().startsWith("Nothing was changed"));
    ASSERT_EQ(shown<FrmReorder>(), w);
    press(w->LstDesignated, 3, w->CmdSelect);
    press(w->LstDesignated, -2, w->CmdUpOne);
    press(w->LstDesignated, -2, w->CmdCancel);
    expectSummaryBack("cancelled");
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(window.ledger().DesigAcctName[1], "F1");
}

}  // namespace
}  // namespace quorvel::ui
