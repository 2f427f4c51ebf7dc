#include <cerrno>
#include <filesystem>

#include "ledger/file_faults.h"
#include "ledger/month_file.h"
#include "platform/single_instance.h"
#include "ui/mainwindow/program_start.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using test::readFile;

Ledger loadFile(const std::string& path) {
    Ledger ledger;
    Journal journal;
    EXPECT_TRUE(LoadMonthFile(ledger, journal, path, JournalMode::ReadOnly).ok());
    return ledger;
}

const std::vector<ActionRecord> kSomeActions = {test::bx("101", Money::cents(4000)),
                                               test::keyed("DP", "", Money::cents(50000)),
                                               test::keyed("SX", "11111", Money::cents(1250))};

TEST_F(MainWindowTest, CancelledDialogsGiveTheirInvalidNameMessages) {
    const std::string path = openSample();
    const QStringList before = window.listLines();
    const struct {
        QAction* command;
        const char* message;
    } cases[] = {{window.MnuOpen, "Invalid file name"},
                 {window.MnuSaveAS, "Invalid file name"},
                 {window.MnuSave, "- invalid file name -"},
                 {window.MnuFresh, "- invalid file name -"}};
    for (const auto& c : cases) {
        if (c.command == window.MnuFresh) dialogs().answerNext(Answer::Ok);
        dialogs().cancelFileNext();
        c.command->trigger();
        EXPECT_EQ(dialogs().messages().back(), c.message);
        EXPECT_EQ(window.listLines(), before);
        EXPECT_EQ(window.ledger().CurrentFile, path);
    }
    const auto& shown = dialogs().shown;
    auto fileDialogTitled = [&](const QString& title) {
        return std::any_of(shown.begin(), shown.end(), [&](const testkit::Shown& s) { return s.file.title == title; });
    };
    EXPECT_TRUE(fileDialogTitled("Save duplicate of report"));
    EXPECT_TRUE(fileDialogTitled("Create New Month Report"));
    EXPECT_TRUE(fileDialogTitled("Create Initial Fresh Year Report"));
}

TEST_F(MainWindowTest, OpenFailureNamesTheFileAndKeepsTheLoadedMonth) {
    const std::string path = openSample("NOV2026.rep", kSomeActions);
    const QStringList before = window.listLines();
    const std::string damaged = folder.path("DAMAGED.rep");
    test::writeFile(damaged, readFile(path).substr(0, 300));
    dialogs().chooseFileNext(QString::fromStdString(damaged));
    window.MnuOpen->trigger();
    const QString message = dialogs().messages().back();
    EXPECT_TRUE(message.contains(QString::fromStdString(damaged))) << message.toStdString();
    EXPECT_TRUE(message.contains("not a readable month file: field ")) << message.toStdString();
    EXPECT_EQ(window.listLines(), before);
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_EQ(window.journal().path(), folder.path("NOV2026.jrn"));
}

TEST_F(MainWindowTest, SaveAsMakesAnIndependentDuplicate) {
    const std::string path = openSample("NOV2026.rep", kSomeActions);
    const std::string copy = folder.path("COPY.rep");
    dialogs().chooseFileNext(QString::fromStdString(copy));
    window.MnuSaveAS->trigger();
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_TRUE(dialogs().shown.back().file.overwritePrompt);
    EXPECT_EQ(readFile(copy), readFile(path));
    EXPECT_EQ(readFile(folder.path("COPY.jrn")), readFile(folder.path("NOV2026.jrn")));

    // Recording goes on in the current month only.
    ASSERT_TRUE(window.journal().append(test::keyed("DP", "", Money::cents(100))).ok());
    EXPECT_EQ(loadFile(path).Summary[kTotalReceipts], Money::cents(50100));
    EXPECT_EQ(loadFile(copy).Summary[kTotalReceipts], Money::cents(50000));
}

TEST_F(MainWindowTest, StartNewMonthCarriesTheMonthAndUnloads) {
    const std::string path = openSample("NOV2026.rep", kSomeActions);
    const Ledger closed = window.ledger();
    const std::string next = folder.path("DEC2026.rep");
    dialogs().chooseFileNext(QString::fromStdString(next));
    dialogs().answerNext(Answer::No);  // not opened at once
    window.MnuSave->trigger();
    EXPECT_EQ(window.listLines(), QStringList{"    - data saved and unloaded -"});
    EXPECT_EQ(window.ledger().BudgetCount, 0);
    EXPECT_TRUE(dialogs().shown.rbegin()[1].file.overwritePrompt);  // before the offer to open

    dialogs().chooseFileNext(QString::fromStdString(next));
    window.MnuOpen->trigger();
    const Ledger& opened = window.ledger();
    EXPECT_EQ(opened.Summary[kBeginningBalance], closed.Summary[kRemainingBalance]);
    EXPECT_EQ(opened.BudgetAmount[1][kSpentInYear], closed.BudgetAmount[1][kSpentInYear]);
    EXPECT_EQ(opened.DesigAmount[1][kAtFirstOfMonth], closed.DesigAmount[1][kFundRemaining]);
    EXPECT_EQ(window.listLines().size(), 11);  // no sources any more
    EXPECT_TRUE(window.listLines().contains("Budget Expenditures                        0.00"));
    EXPECT_EQ(loadFile(path).Summary[kTotalReceipts], Money::cents(50000));  // the old month stays
}

TEST_F(MainWindowTest, FreshYearAsksFirstAndZeroesTheYear) {
    openSample("NOV2026.rep", kSomeActions);
    const Ledger closed = window.ledger();
    dialogs().answerNext(Answer::Cancel);
    window.MnuFresh->trigger();
    EXPECT_EQ(dialogs().lastMessage().title, "Caution");
    EXPECT_EQ(dialogs().lastMessage().text,
              "Use this function only to start a new year's report as it zeroes annual expenditures");
    EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(window.ledger().BudgetCount, 3);  // nothing happened

    const std::string next = folder.path("JAN2027.rep");
    dialogs().answerNext(Answer::Ok);
    dialogs().chooseFileNext(QString::fromStdString(next));
    dialogs().answerNext(Answer::No);
    window.MnuFresh->trigger();
    EXPECT_EQ(window.listLines(), QStringList{"    - data saved and unloaded -"});
    const Ledger year = loadFile(next);
    EXPECT_TRUE(year.BudgetAmount[1][kSpentInYear].isZero());
    EXPECT_EQ(year.BudgetAmount[1][kRemaining], closed.BudgetAmount[1][kBudgeted]);
    EXPECT_EQ(year.DesigAmount[1][kAtFirstOfMonth], closed.DesigAmount[1][kFundRemaining]);
    EXPECT_EQ(year.Summary[kBeginningBalance], closed.Summary[kRemainingBalance]);
}

TEST_F(MainWindowTest, RolloverOntoTheOpenMonthIsRefused) {
    const std::string path = openSample("NOV2026.rep", kSomeActions);
    const std::string before = readFile(path);
    dialogs().chooseFileNext(QString::fromStdString(path));
    window.MnuSave->trigger();
    EXPECT_TRUE(dialogs().messages().back().contains("open now"));
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(window.ledger().BudgetCount, 3);
    EXPECT_EQ(window.listLines().size(), 12);
}

TEST_F(MainWindowTest, RolloverMovesAnOldJournalAside) {
    openSample("NOV2026.rep", kSomeActions);
    const std::string stale(test::keyed("DP", "", Money::cents(99900)).text());
    test::writeFile(folder.path("DEC2026.jrn"), stale);
    dialogs().chooseFileNext(QString::fromStdString(folder.path("DEC2026.rep")));
    dialogs().answerNext(Answer::No);
    window.MnuSave->trigger();
    EXPECT_EQ(readFile(folder.path("DEC2026.jrn.bak")), stale);
    EXPECT_TRUE(loadFile(folder.path("DEC2026.rep")).Summary[kTotalReceipts].isZero());
}

TEST_F(MainWindowTest, FailedRolloverIsReportedAndNothingShownAsSaved) {
    openSample("NOV2026.rep", kSomeActions);
    const QStringList before = window.listLines();
    std::filesystem::create_directory(folder.path("locked"));
    std::filesystem::create_directory(folder.path("locked/DEC2026.rep"));  // a folder where the file should go
    dialogs().chooseFileNext(QString::fromStdString(folder.path("locked/DEC2026.rep")));
    window.MnuSave->trigger();
    EXPECT_TRUE(dialogs().messages().back().startsWith("The new month was not saved."));
    EXPECT_EQ(window.listLines(), before);
    EXPECT_EQ(window.ledger().BudgetCount, 3);
}

// "The new month was not saved" was said of a new month file that was saved.
TEST_F(MainWindowTest, ARolloverWhoseJournalCannotBeMadeSaysWhatWasSaved) {
    openSample("NOV2026.rep", kSomeActions);
    const std::string path = folder.path("DEC2026.rep");
    ScopedFileFault full([journal = folder.path("DEC2026.jrn")](FileStep step, const std::string& at) {
        return step == FileStep::Open && at == journal ? ENOSPC : 0;
    });
    dialogs().chooseFileNext(QString::fromStdString(path));
    window.MnuSave->trigger();
    EXPECT_TRUE(
        dialogs().messages().back().startsWith(QString::fromStdString(path) + " is saved as the new month"))
        << dialogs().messages().back().toStdString();
    EXPECT_EQ(window.listLines(), QStringList{"    - data saved and unloaded -"});
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
    platform::SingleInstance unmade(QString::fromStdString(folder.path("no folder/quorvel.lock")));
    EXPECT_EQ(startProgram({}, test.platform, unmade), nullptr);
    EXPECT_TRUE(test.dialogs.messages().back().contains(
        "Cannot open the lock file " + QString::fromStdString(folder.path("no folder/quorvel.lock"))))
        << test.dialogs.messages().back().toStdString();
}

TEST(ProgramStart, OpensTheMonthNamedOnTheCommandLine) {
    test::TestFolder folder;
    const std::string path = folder.path("DEC2026.rep");
    test::writeMonth(test::sampleLedger(), path, kSomeActions);
    testkit::TestPlatform test;
    platform::SingleInstance instance(QString::fromStdString(folder.path("quorvel.lock")));
    const auto window = startProgram({QString::fromStdString(path)}, test.platform, instance);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->ledger().CurrentFile, path);
    EXPECT_EQ(window->listLines().front(), "   File loaded is " + QString::fromStdString(path));
    EXPECT_TRUE(window->MnuSave->isEnabled());
}

TEST(ProgramStart, AMonthThatCannotBeOpenedIsReportedAndNothingLoaded) {
    test::TestFolder folder;
    testkit::TestPlatform test;
    platform::SingleInstance instance(QString::fromStdString(folder.path("quorvel.lock")));
    const QString missing = QString::fromStdString(folder.path("MISSING.rep"));
    const auto window = startProgram({missing}, test.platform, instance);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(test.dialogs.messages().size(), 1);
    EXPECT_TRUE(test.dialogs.messages().front().contains(missing));
    EXPECT_EQ(window->ledger().BudgetCount, 0);
    EXPECT_FALSE(window->MnuSave->isEnabled());
    EXPECT_EQ(window->LstMain->count(), 0);
}

}  // namespace
}  // namespace quorvel::ui
