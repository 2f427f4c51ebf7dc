// The File menu's month commands and the program's start: the dialogs asked, the words shown,
// which month is loaded afterwards and which files were written.
#include <cerrno>
#include <filesystem>

#include "ledger/file_faults.h"
#include "platform/single_instance.h"
#include "ui/mainwindow/program_start.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using test::readFile;

const std::vector<ActionRecord> kSomeActions = {test::bx("101", Money::cents(4000)),
                                                test::keyed("DP", "", Money::cents(50000)),
                                                test::keyed("SX", "11111", Money::cents(1250))};
const QStringList kUnloaded = {"    - data saved and unloaded -"};

// Whatever ends a month command without a new month keeps the loaded one as it was.
TEST_F(MainWindowTest, RefusedOrCancelledMonthCommandsKeepTheLoadedMonth) {
    openSample("NOV2026.rep", kSomeActions);
    const std::string damaged = folder.path("DAMAGED.rep");
    test::writeFile(damaged, readFile(path).substr(0, 300));
    std::filesystem::create_directories(
        folder.path("locked/DEC2026.rep"));  // a folder where the file should go
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

TEST_F(MainWindowTest, SaveAsMakesAnIndependentDuplicate) {
    openSample("NOV2026.rep", kSomeActions);
    const std::string copy = folder.path("COPY.rep");
    dialogs().chooseFileNext(QString::fromStdString(copy));
    window.MnuSaveAS->trigger();
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_TRUE(dialogs().shown.back().file.overwritePrompt);
    EXPECT_TRUE(filesOf(copy) == files());
    // Recording goes on in the current month only.
    ASSERT_TRUE(window.journal().append(test::keyed("DP", "", Money::cents(100))).ok());
    EXPECT_NE(filesOf(copy).journal, files().journal);
}

TEST_F(MainWindowTest, StartNewMonthAndFreshYearWriteTheNextMonthAndUnload) {
    const struct {
        QAction* command;
        const char* name;
        bool staleJournal;  // an old journal of that name is moved aside, not replayed
    } cases[] = {{window.MnuSave, "DEC2026.rep", true}, {window.MnuFresh, "JAN2027.rep", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openSample("NOV2026.rep", kSomeActions);
        const Files closed = files();
        const std::string next = folder.path(c.name);
        const std::string stale(test::keyed("DP", "", Money::cents(99900)).text());
        if (c.staleJournal) test::writeFile(Journal::pathFor(next), stale);
        if (c.command == window.MnuFresh) {
            dialogs().answerNext(Answer::Cancel);
            window.MnuFresh->trigger();
            EXPECT_EQ(dialogs().lastMessage().title, "Caution");
            EXPECT_EQ(dialogs().lastMessage().text,
                      "Use this function only to start a new year's report as it zeroes annual expenditures");
            EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::OkCancel);
            EXPECT_EQ(window.ledger().CurrentFile, path);  // nothing happened
            dialogs().answerNext(Answer::Ok);
        }
        dialogs().chooseFileNext(QString::fromStdString(next));
        dialogs().answerNext(Answer::No);  // not opened at once
        c.command->trigger();
        EXPECT_TRUE(dialogs().shown.rbegin()[1].file.overwritePrompt);  // before the offer to open
        EXPECT_EQ(window.listLines(), kUnloaded);
        EXPECT_EQ(window.windowTitle(), "Quorvel");
        EXPECT_EQ(window.ledger().BudgetCount, 0);
        EXPECT_TRUE(files() == closed);  // the old month stays
        EXPECT_EQ(onDisk(next).Summary[kTotalReceipts], Money());
        if (c.staleJournal) EXPECT_EQ(readFile(Journal::pathFor(next) + ".bak"), stale);
        open(next);
        EXPECT_EQ(window.ledger().CurrentFile, next);
    }
}

// "The new month was not saved" was said of a new month file that was saved.
TEST_F(MainWindowTest, ARolloverWhoseJournalCannotBeMadeSaysWhatWasSaved) {
    openSample("NOV2026.rep", kSomeActions);
    const std::string next = folder.path("DEC2026.rep");
    ScopedFileFault full([journal = folder.path("DEC2026.jrn")](FileStep step, const std::string& at) {
        return step == FileStep::Open && at == journal ? ENOSPC : 0;
    });
    dialogs().chooseFileNext(QString::fromStdString(next));
    window.MnuSave->trigger();
    EXPECT_TRUE(lastMessage().startsWith(QString::fromStdString(next) + " is saved as the new month"))
        << lastMessage().toStdString();
    EXPECT_EQ(window.listLines(), kUnloaded);
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

TEST(ProgramStart, OpensTheMonthNamedOnTheCommandLineOrSaysWhyNot) {
    test::TestFolder folder;
    const std::string month = folder.path("DEC2026.rep");
    test::writeMonth(test::sampleLedger(), month, kSomeActions);
    testkit::TestPlatform test;
    platform::SingleInstance instance(QString::fromStdString(folder.path("quorvel.lock")));
    for (const std::string& named : {month, folder.path("MISSING.rep")}) {
        const bool missing = named != month;
        const auto window = startProgram({QString::fromStdString(named)}, test.platform, instance);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->ledger().CurrentFile, missing ? "" : named);
        EXPECT_EQ(window->MnuSave->isEnabled(), !missing);
        EXPECT_EQ(window->LstMain->count() == 0, missing);
        EXPECT_EQ(test.dialogs.messages().size(), missing ? 1 : 0);
        if (missing) EXPECT_TRUE(test.dialogs.messages().front().contains(QString::fromStdString(named)));
        if (!missing)
            EXPECT_EQ(window->listLines().front(), "   File loaded is " + QString::fromStdString(named));
    }
}

}  // namespace
}  // namespace quorvel::ui
