#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "ledger/file_faults.h"
#include "ledger/month_lock.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using test::readFile;
using test::writeFile;

// As another computer's copy writes it.
const std::string kAnnasLock =
    "Quorvel month lock\nuser: anna\nhost: vestry\nsince: 2026-12-06 14:03:27 +0100\npid: 4711\n";

class MonthLockWindowTest : public MainWindowTest {
protected:
    // Writes a month without opening it.
    std::string writeSample(const std::string& name) {
        const std::string path = folder.path(name);
        test::writeMonth(test::sampleLedger(), path,
                         {test::bx("101", Money::cents(4000)), test::keyed("DP", "", Money::cents(50000))});
        return path;
    }

    // Whether the month's lock is there and is this process's.
    bool lockedByUs(const std::string& month) {
        const std::string lock = MonthLock::lockPathFor(month);
        if (!fs::exists(lock)) return false;
        const auto holder = parseLockText(readFile(lock));
        return holder && holder->pid == static_cast<long>(::getpid());
    }
};

TEST_F(MonthLockWindowTest, AMonthHeldElsewhereOpensReadOnlyAndNothingOnDiskChanges) {
    const std::string path = writeSample("NOV2026.rep");
    writeFile(MonthLock::lockPathFor(path), kAnnasLock);
    const Files before = filesOf(path);

    dialogs().answerNext(Answer::Yes);
    open(path);
    EXPECT_EQ(lastMessage(),
              "NOV2026.rep is in use by anna on host vestry since 2026-12-06 14:03:27 +0100.\n\n"
              "Open it read-only, for viewing and printing?");
    EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
    ASSERT_TRUE(window.readOnly());
    EXPECT_EQ(window.ledger().CurrentFile, path);
    EXPECT_EQ(window.windowTitle(), "NOV2026 (read-only) \u2014 Quorvel");
    EXPECT_FALSE(window.journal().append(test::keyed("DP", "", Money::cents(100))).ok());  // opened read-only
    EXPECT_EQ(window.listLines().front(), "   File loaded is " + QString::fromStdString(path));

    for (QObject* writer : std::initializer_list<QObject*>{
             window.MnuSave, window.MnuFresh, window.MnuBudgetExpenditure, window.MnuDesignatedExpenditure,
             window.MnuDeposit, window.MnuDesignation, window.MnuSource, window.MnuTransfer,
             window.MnuChangeBalance, window.MnuSetSections, window.MnuReorder, window.CmdBx, window.CmdDx})
        EXPECT_FALSE(writer->property("enabled").toBool()) << writer->objectName().toStdString();
    for (QAction* viewer : {window.MnuOpen, window.MnuPrint, window.MnuSaveAS, window.MnuNew,
                            window.MnuAdjustAction, window.MnuBudgetAdjust, window.MnuUsage, window.MnuCopy})
        EXPECT_TRUE(viewer->isEnabled()) << viewer->objectName().toStdString();
    // The listings show, but offer nothing to edit.
    window.MnuAdjustAction->trigger();
    EXPECT_EQ(window.listLines().size(), 3);  // title and the two actions
    EXPECT_FALSE(window.CmdEdit->isVisible());
    QTest::keyClick(window.LstMain, Qt::Key_Return);  // Enter now means Cancel
    EXPECT_FALSE(window.isWaiting());
    window.MnuBudgetAdjust->trigger();
    EXPECT_FALSE(window.CmdEdit->isVisible());
    EXPECT_TRUE(window.CmdDisplay->isVisible());
    QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
    EXPECT_FALSE(window.CmdBx->isEnabled());  // still, after the listing gave the menus back

    // Save As writes the duplicate only, and the month stays read-only.
    dialogs().chooseFileNext(QString::fromStdString(folder.path("COPY.rep")));
    window.MnuSaveAS->trigger();
    EXPECT_EQ(readFile(folder.path("COPY.rep")), before.month);
    EXPECT_TRUE(window.readOnly());

    window.close();
    EXPECT_EQ(filesOf(path), before);
    EXPECT_EQ(readFile(MonthLock::lockPathFor(path)), kAnnasLock);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.root())) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"NOV2026.rep", "NOV2026.jrn", "nov2026.jrn.lock", "COPY.rep",
                                            "COPY.jrn"}));
}

TEST_F(MonthLockWindowTest, TheLockFollowsTheMonthThatIsOpen) {
    const std::string october = openSample("OCT2026.rep");
    const std::string octoberLock = readFile(MonthLock::lockPathFor(october));
    // Save As and the reloads after recording go on in the month that is open, under its lock.
    dialogs().chooseFileNext(QString::fromStdString(folder.path("COPY.rep")));
    window.MnuSaveAS->trigger();
    EXPECT_EQ(readFile(MonthLock::lockPathFor(october)), octoberLock);
    EXPECT_FALSE(fs::exists(folder.path("copy.jrn.lock")));

    // A lock left by a copy that died here is taken over without a question.
    const std::string november = writeSample("NOV2026.rep");
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    writeFile(MonthLock::lockPathFor(november),
              composeLockText({"anna", thisProcess().host, "2026-12-06 14:03:27 +0100", child}));
    const auto shown = dialogs().shown.size();
    open(november);
    EXPECT_EQ(dialogs().shown.size(), shown + 1);  // the file dialog only
    EXPECT_EQ(window.ledger().CurrentFile, november);
    EXPECT_TRUE(lockedByUs(november));
    EXPECT_FALSE(fs::exists(MonthLock::lockPathFor(october)));

    // After Start New Month no month is open, and none is locked.
    const std::string december = folder.path("DEC2026.rep");
    dialogs().chooseFileNext(QString::fromStdString(december));
    dialogs().answerNext(Answer::No);
    window.MnuSave->trigger();
    ASSERT_EQ(window.listLines(), QStringList{"    - data saved and unloaded -"});
    EXPECT_FALSE(fs::exists(MonthLock::lockPathFor(november)));
    EXPECT_FALSE(fs::exists(MonthLock::lockPathFor(december)));

    open(december);
    EXPECT_TRUE(lockedByUs(december));
    window.close();
    EXPECT_FALSE(fs::exists(MonthLock::lockPathFor(december)));

    {
        FrmMain other(testPlatform().platform);
        dialogs().chooseFileNext(QString::fromStdString(october));
        other.MnuOpen->trigger();
        EXPECT_TRUE(lockedByUs(october));
    }
    EXPECT_FALSE(fs::exists(MonthLock::lockPathFor(october)));
}

// Viewing writes nothing, so whatever keeps a month from being locked or written still lets
// it be viewed, and the question says why.
TEST_F(MonthLockWindowTest, AMonthThatCannotBeLockedOrWrittenIsOfferedForViewingWithTheReason) {
    const struct {
        std::string name, reason;
        FileStep step = FileStep::Open;  // fails with `error` for the file whose name ends with `file`
        std::string file = {};
        int error = 0;
        bool link = false;  // a link to nowhere in the lock's place
    } cases[] = {
        {"FULL.rep", "No space left on device", FileStep::Write, ".lock", ENOSPC},
        {"READONLY.rep", "READONLY.jrn: Permission denied", FileStep::Open, "/READONLY.jrn", EACCES},
        {"DANGLING.rep", "is not a lock file (a link or a special file is in its place)", {}, {}, 0, true},
        {std::string(243, 'L') + ".rep", "File name too long"},
    };
    for (const auto& c : cases) {
        const std::string path = writeSample(c.name);
        if (c.link) fs::create_symlink(folder.path("nowhere"), MonthLock::lockPathFor(path));
        dialogs().answerNext(Answer::Yes);
        {
            ScopedFileFault fault([&c](FileStep step, const std::string& file) {
                return step == c.step && c.error && file.ends_with(c.file) ? c.error : 0;
            });
            open(path);
        }
        const QString message = lastMessage();
        EXPECT_TRUE(message.startsWith(QString::fromStdString(c.name) + " cannot be") &&
                    message.contains(QString::fromStdString(c.reason)) &&
                    message.endsWith(").\n\nOpen it read-only, for viewing and printing?"))
            << message.toStdString();
        EXPECT_TRUE(window.readOnly() && window.ledger().CurrentFile == path && !lockedByUs(path)) << c.name;
    }
}

}  // namespace
}  // namespace quorvel::ui
