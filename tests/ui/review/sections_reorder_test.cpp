// FrmSections and FrmReorder driven as the treasurer drives them: lines chosen in their lists,
// buttons pressed, and what reaches the month file when they close.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "ledger/month_file.h"
#include "ui/review/FrmReorder.h"
#include "ui/review/FrmSections.h"
#include "ui/review/adjust_commands.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using test::readFile;

QStringList linesOf(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

void select(QListWidget* list, int line) {
    if (line < 0) {
        list->clearSelection();
    } else {
        list->setCurrentRow(line);
    }
}

class AdjustWindowTest : public MainWindowTest {
protected:
    ~AdjustWindowTest() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<ChildWindow*>(w)) delete w;
    }

    void open(const Ledger& month) {
        path = folder.path("W" + std::to_string(++opened) + ".rep");
        test::writeMonth(month, path, {test::keyed("DX", "10004", Money::cents(100))});
        dialogs().chooseFileNext(QString::fromStdString(path));
        window.MnuOpen->trigger();
        ASSERT_EQ(window.ledger().CurrentFile, path);
    }
    template <typename Window>
    Window* shown() const {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* w = qobject_cast<Window*>(top); w && w->isVisible()) return w;
        return nullptr;
    }
    Ledger onDisk() const {
        Ledger ledger;
        Journal journal;
        EXPECT_TRUE(LoadMonthFile(ledger, journal, path, JournalMode::ReadOnly).ok());
        return ledger;
    }
    void expectSummaryBack(const std::string& where) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isVisible()) << where;
        EXPECT_EQ(window.listLines().value(0), "   File loaded is " + QString::fromStdString(path)) << where;
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<ChildWindow*>(w), nullptr) << where << ": left behind";
    }

    int opened = 0;
    std::string path;
};

// ---- Sections -----------------------------------------------------------------------------

class SectionsTest : public AdjustWindowTest {
protected:
    void SetUp() override { open(test::sampleLedger()); }

    FrmSections* start() {
        MnuSetSections_Click(window);
        FrmSections* w = shown<FrmSections>();
        EXPECT_NE(w, nullptr);
        EXPECT_FALSE(window.isVisible());
        return w;
    }
    std::vector<std::string> startsOnDisk() const {
        const Ledger disk = onDisk();
        return std::vector<std::string>(disk.SectionStart.begin() + 1, disk.SectionStart.end());
    }
};

TEST_F(SectionsTest, OpensWithTheAccountsAndTheSectionsSoFar) {
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Caption Setting");
    EXPECT_EQ(linesOf(w->lstbudgets), (QStringList{" - budget items from which to select -",
                                                   "101 Pastor, Salary", "102 Utilities", "7 Short Number"}));
    EXPECT_EQ(linesOf(w->lstcatagories),
              (QStringList{"       - Catagories Specified -", "101 Operations", "7 Other"}));
    EXPECT_EQ(w->Command1->text(), "Add Catagory");
    EXPECT_EQ(w->Command1->toolTip(), "select from budget list above left");
    EXPECT_EQ(w->CmdDelete->toolTip(), "Select from catagories listed on above right");
    EXPECT_EQ(w->Label1->text(), "Name of budget catagory  to add:");
    EXPECT_EQ(w->Label2->text(),
              "Directions:  here you set up catagories that will start subsections on the printed report.  "
              "Specify which budget item starts each section, and also specify what should be the name for "
              "that budget section.");
}

TEST_F(SectionsTest, AddingKeepsTheOrderAndSaveAndExitWritesIt) {
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    QTest::keyClicks(w->TxtName, "Building");
    for (int line : {-1, 0}) {
        select(w->lstbudgets, line);
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        EXPECT_EQ(dialogs().messages().back(), "you must select a budget item to do this");
    }
    select(w->lstbudgets, 2);
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(linesOf(w->lstcatagories),
              (QStringList{"       - Catagories Specified -", "101 Operations", "102 Building", "7 Other"}));
    EXPECT_EQ(w->TxtName->text(), "");
    EXPECT_EQ(onDisk().SectionStart[2], "7");  // nothing written yet
    QTest::mouseClick(w->CmdSave, Qt::LeftButton);
    expectSummaryBack("saved");
    EXPECT_EQ(startsOnDisk(), (std::vector<std::string>{"101", "102", "7", "", "", "", "", "", "", ""}));
    EXPECT_EQ(onDisk().SectionTitle[2], "Building");
    EXPECT_EQ(window.ledger().SectionTitle[2], "Building");
}

TEST_F(SectionsTest, DeletingRetitlesTheListAndCancelKeepsIt) {
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    for (int line : {-1, 0}) {
        select(w->lstcatagories, line);
        QTest::mouseClick(w->CmdDelete, Qt::LeftButton);
        EXPECT_EQ(dialogs().messages().back(), "You must select a catagory to delete");
    }
    select(w->lstcatagories, 1);
    QTest::mouseClick(w->CmdDelete, Qt::LeftButton);
    EXPECT_EQ(linesOf(w->lstcatagories), (QStringList{"    - Catagories created so far -", "7 Other"}));
    QTest::mouseClick(w->CmdCancel, Qt::LeftButton);
    expectSummaryBack("cancelled");
    EXPECT_EQ(startsOnDisk(), (std::vector<std::string>{"7", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(SectionsTest, NineSectionsAreTheMost) {
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
    open(month);
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    select(w->lstbudgets, 10);
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(dialogs().messages().back(), "maximum section number reached");
    EXPECT_EQ(w->lstcatagories->count(), 10);
}

TEST_F(SectionsTest, EscapeSavesLikeCancel) {
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    select(w->lstbudgets, 2);
    QTest::keyClicks(w->TxtName, "Gifts");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::keyClick(w->lstbudgets, Qt::Key_Escape);
    expectSummaryBack("escaped");
    EXPECT_EQ(onDisk().SectionTitle[2], "Gifts");
}

TEST_F(SectionsTest, AFailedSaveIsReportedAndTheMonthStaysAsOnDisk) {
    const std::string before = readFile(path);
    FrmSections* w = start();
    ASSERT_NE(w, nullptr);
    select(w->lstcatagories, 1);
    QTest::mouseClick(w->CmdDelete, Qt::LeftButton);
    {
        test::FileSizeLimit full(1000);
        QTest::mouseClick(w->CmdSave, Qt::LeftButton);
    }
    EXPECT_TRUE(dialogs().messages().back().startsWith("Nothing was changed"));
    expectSummaryBack("not saved");
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(window.ledger().SectionStart[1], "101");
}

// ---- Reordering ---------------------------------------------------------------------------

// `count` funds "F1".."Fn" numbered 10001.. in rows 1..n.
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

class ReorderTest : public AdjustWindowTest {
protected:
    FrmReorder* start() {
        MnuReorder_Click(window);
        FrmReorder* w = shown<FrmReorder>();
        EXPECT_NE(w, nullptr);
        EXPECT_FALSE(window.isVisible());
        return w;
    }
    void press(QPushButton* button) {
        ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    bool moving(const FrmReorder* w) const {
        const bool shownMoves = w->CmdTop->isVisible() && w->CmdUpOne->isVisible() &&
                                w->CmdDownOne->isVisible() && w->CmdBottom->isVisible();
        EXPECT_EQ(shownMoves, !w->CmdExit->isVisible());
        EXPECT_EQ(w->CmdSelect->text(), shownMoves ? "Save Placement" : "Select Fund");
        return shownMoves;
    }
    std::vector<std::string> numbersOnDisk() const {
        const Ledger disk = onDisk();
        return std::vector<std::string>(disk.DesigAcctNumber.begin() + 1,
                                        disk.DesigAcctNumber.begin() + 1 + disk.DesigCount);
    }
};

TEST_F(ReorderTest, ChoosingMovingAndSavingTheOrder) {
    open(withFunds(5));
    FrmReorder* w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Reordering Designated Funds");
    EXPECT_EQ(w->Label2->text(),
              "Directions:  Select fund, move it with buttons on the right as desired. Choose \" Save "
              "placement\"  and move another if desired.   Choose \"Save and Exit\" when done.   \"Cancel\" to "
              "exit with no change taking place.");
    EXPECT_EQ(linesOf(w->LstDesignated), (QStringList{"     - ordered list of designated funds -", " 1   F1",
                                                      " 2   F2", " 3   F3", " 4   F4", " 5   F5"}));
    EXPECT_FALSE(moving(w));

    for (int line : {-1, 0}) {
        select(w->LstDesignated, line);
        press(w->CmdSelect);
        EXPECT_EQ(dialogs().messages().back(), "No fund selected");
        EXPECT_FALSE(moving(w));
    }
    select(w->LstDesignated, 4);
    press(w->CmdSelect);
    EXPECT_TRUE(moving(w));
    press(w->CmdTop);
    EXPECT_EQ(linesOf(w->LstDesignated),
              (QStringList{" F4", "      2    F1", "      3    F2", "      4    F3", "      5    F5"}));
    press(w->CmdUpOne);  // already first
    press(w->CmdDownOne);
    press(w->CmdBottom);
    press(w->CmdDownOne);  // already last
    EXPECT_EQ(linesOf(w->LstDesignated).back(), " F4");
    press(w->CmdSelect);  // "Save Placement"
    EXPECT_FALSE(moving(w));
    EXPECT_EQ(linesOf(w->LstDesignated).mid(1),
              (QStringList{" 1   F1", " 2   F2", " 3   F3", " 4   F5", " 5   F4"}));
    EXPECT_EQ(numbersOnDisk(), (std::vector<std::string>{"10001", "10002", "10003", "10004", "10005"}));

    press(w->CmdExit);
    expectSummaryBack("saved");
    EXPECT_EQ(numbersOnDisk(), (std::vector<std::string>{"10001", "10002", "10003", "10005", "10004"}));
    EXPECT_EQ(window.ledger().DesigAmount[5][kSpentFromFund], Money::cents(100));  // its record followed it
}

TEST_F(ReorderTest, CancelAfterMovesLeavesTheSavedOrder) {
    open(withFunds(5));
    const std::string before = readFile(path);
    FrmReorder* w = start();
    ASSERT_NE(w, nullptr);
    select(w->LstDesignated, 3);
    press(w->CmdSelect);
    press(w->CmdTop);
    press(w->CmdSelect);
    select(w->LstDesignated, 5);
    press(w->CmdSelect);
    press(w->CmdUpOne);
    press(w->CmdCancel);
    expectSummaryBack("cancelled");
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(window.ledger().DesigAcctName[1], "F1");
    EXPECT_EQ(window.ledger().DesigAcctName[3], "F3");
}

TEST_F(ReorderTest, ThePlaceViewFollowsAFundAmongThirty) {
    open(withFunds(30));
    FrmReorder* w = start();
    ASSERT_NE(w, nullptr);
    select(w->LstDesignated, 20);
    press(w->CmdSelect);
    QStringList lines = linesOf(w->LstDesignated);
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines.front(), "     13    F13");
    EXPECT_EQ(lines[7], " F20");
    EXPECT_EQ(lines.back(), "     27    F27");
    for (int i = 0; i < 9; ++i) press(w->CmdDownOne);
    lines = linesOf(w->LstDesignated);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines.front(), "     22    F23");
    EXPECT_EQ(lines[7], " F20");
    EXPECT_EQ(lines.back(), "     30    F30");
}

TEST_F(ReorderTest, AFailedSaveIsReportedAndTheWindowStaysOpen) {
    open(withFunds(3));
    const std::string before = readFile(path);
    FrmReorder* w = start();
    ASSERT_NE(w, nullptr);
    select(w->LstDesignated, 3);
    press(w->CmdSelect);
    press(w->CmdTop);
    press(w->CmdSelect);
    {
        test::FileSizeLimit full(1000);
        press(w->CmdExit);
    }
    EXPECT_TRUE(dialogs().messages().back().startsWith("Nothing was changed"));
    ASSERT_EQ(shown<FrmReorder>(), w);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(window.ledger().DesigAcctName[1], "F1");
    press(w->CmdCancel);
    expectSummaryBack("cancelled");
}

}  // namespace
}  // namespace quorvel::ui
