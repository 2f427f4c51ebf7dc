// A month's files against other paths, names and writers: letter case, links, a journal
// replaced while open, special files, a journal far too large to be one, report files written
// over a month's own, and the lock that keeps a second copy of the program out.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"
#include "ledger/month_lock.h"
#include "ledger/month_own_files.h"
#include "ledger/month_paths.h"
#include "ledger/rollover.h"
#include "report/report_file.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::folderFiles;
using test::readFile;
using test::writeFile;

const ActionRecord kDeposit = test::keyed("DP", "", Money::cents(700));

class MonthFilesTest : public ::testing::Test {
protected:
    void SetUp() override { writeMonth(month); }
    void writeMonth(const std::string& path) {
        fs::remove(Journal::pathFor(path));
        test::writeMonth(test::sampleLedger(), path, {test::bx("101", Money::cents(4000)), kDeposit});
    }

    test::TestFolder folder;
    const std::string month = fs::canonical(folder.root()).string() + "/DEC2026.rep";
    Ledger ledger;
    Journal journal;
};

TEST_F(MonthFilesTest, ANewMonthWhoseJournalWouldBeAnotherMonthsIsRefusedAndNothingIsWritten) {
    const std::string november = folder.path("NOV2026.rep");
    writeMonth(november);
    const auto before = folderFiles(folder.root());
    // clang-format off
    const std::pair<const char*, std::function<Status(const std::string&)>> writers[] = {
        {"Save As", [&](const std::string& target) {
             EXPECT_TRUE(LoadMonthFile(ledger, journal, november).ok());
             return copyMonth(ledger, journal, target); }},
        {"annual setup", [&](const std::string& target) {
             ledger = test::sampleLedger();
             ledger.CurrentFile = target;
             return saveAsNewMonth(ledger); }},
    };
    // clang-format on
    for (const auto& [command, write] : writers) {
        const Status written = write(folder.path("Dec2026.REP"));
        EXPECT_TRUE(
            test::holds(written.message(), "the journal of the month file " + folder.path("DEC2026.rep")))
            << command;
        EXPECT_EQ(folderFiles(folder.root()), before) << command;
    }
}

TEST_F(MonthFilesTest, AMonthOpenedThroughALinkKeepsEveryFileBesideTheRealOneAndTheLink) {
    test::TestFolder elsewhere;
    const std::string link = elsewhere.path("DEC2026.rep");
    fs::create_symlink(month, link);
    EXPECT_EQ(MonthLock::lockPathFor(link), MonthLock::lockPathFor(month));
    ASSERT_TRUE(LoadMonthFile(ledger, journal, link).ok());
    EXPECT_EQ(ledger.CurrentFile, month);
    ASSERT_TRUE(journal.append(kDeposit).ok());
    ASSERT_TRUE(SaveMonthFile(ledger).ok());

    EXPECT_EQ(folderFiles(elsewhere.root()),
              (std::map<std::string, std::string>{{"DEC2026.rep", "-> link"}}));
    EXPECT_EQ(fs::file_size(Journal::pathFor(month)), 3 * kRecordSize);
    EXPECT_TRUE(fs::exists(monthBackupPath(month)));
}

TEST_F(MonthFilesTest, AJournalDeletedOrReplacedWhileOpenTakesNoAction) {
    // clang-format off
    const std::pair<const char*, std::function<void(const std::string&)>> changes[] = {
        {"deleted", [](const std::string& path) { fs::remove(path); }},
        {"replaced", [](const std::string& path) {
             writeFile(path + ".new", "");
             fs::rename(path + ".new", path); }},
    };
    // clang-format on
    for (const auto& [what, change] : changes) {
        writeMonth(month);
        ASSERT_TRUE(LoadMonthFile(ledger, journal, month).ok());
        change(journal.path());
        const auto before = folderFiles(folder.root());
        const Status appended = journal.append(kDeposit);
        EXPECT_TRUE(test::holds(appended.message(), "deleted or replaced"));
        EXPECT_EQ(folderFiles(folder.root()), before) << what;
    }
}

TEST_F(MonthFilesTest, NoFileIsCreatedOrWrittenThroughALinkPlantedAtItsName) {
    test::TestFolder outside;
    const std::string target = outside.path("planted");
    const std::string january = folder.path("JAN2027.rep");
    ledger = test::sampleLedger();
    ledger.CurrentFile = january;
    // The journal, missing when the month was opened, comes with the first action: refused at
    // opening or at the first append.
    const auto firstAction = [&] {
        return journal.open(Journal::pathFor(january), JournalMode::ReadWrite).ok() &&
               journal.append(kDeposit).ok();
    };
    const std::pair<std::string, std::function<bool()>> plantings[] = {
        {Journal::pathFor(january), [&] { return saveAsNewMonth(ledger).ok(); }},
        {Journal::pathFor(january), firstAction},
        {MonthLock::lockPathFor(month),
         [&] { return MonthLock().acquire(month).state == LockState::Acquired; }},
    };
    for (const auto& [name, write] : plantings) {
        fs::remove(name);
        fs::create_symlink(target, name);
        EXPECT_FALSE(write()) << name;
        EXPECT_FALSE(fs::exists(target)) << name;
        EXPECT_FALSE(fs::exists(january)) << name;
        fs::remove(name);
    }
    // A journal that is a link to another month's is never written through.
    writeMonth(january);
    fs::remove(Journal::pathFor(january));
    fs::create_symlink(Journal::pathFor(month), Journal::pathFor(january));
    const std::string before = readFile(Journal::pathFor(month));
    EXPECT_FALSE(checkMonthWritable(january).ok());  // offered read-only instead
    const bool opened = journal.open(Journal::pathFor(january), JournalMode::ReadWrite).ok();
    EXPECT_FALSE(opened && journal.append(kDeposit).ok());
    EXPECT_EQ(readFile(Journal::pathFor(month)), before);
}

TEST_F(MonthFilesTest, SpecialFilesAndOversizedJournalsAreRefusedWithoutBlocking) {
    const std::string journalPath = Journal::pathFor(month);
    const std::pair<std::string, const char*> cases[] = {
        {month, "not a regular file"},
        {journalPath, "not a regular file"},
        {"", "more than a journal can be (at most 100000 action records"},  // the journal grown past it
    };
    for (const auto& [fifo, says] : cases) {
        if (fifo.empty()) {
            ASSERT_EQ(::truncate(journalPath.c_str(), kMaxJournalBytes + kRecordSize), 0);
        } else {
            fs::remove(fifo);
            ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        }
        for (JournalMode mode : {JournalMode::ReadOnly, JournalMode::ReadWrite}) {
            const Status loaded = LoadMonthFile(ledger, journal, month, mode);
            EXPECT_TRUE(test::holds(loaded.message(), says));
        }
        fs::remove(fifo.empty() ? journalPath : fifo);
        writeMonth(month);
    }
    const std::string lock = MonthLock::lockPathFor(month);
    ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
    const LockAttempt attempt = MonthLock().acquire(month);
    EXPECT_EQ(attempt.state, LockState::Failed);
    EXPECT_EQ(attempt.message, lock + ": is not a lock file (a link or a special file is in its place)");
}

// Report files once replaced a month's journal or month file without a word: every month's own
// file is refused as a report target, by name, by content and through links.
TEST_F(MonthFilesTest, AMonthsOwnFilesAreRefusedAsReportsByNameContentAndLink) {
    MonthLock lock;
    ASSERT_EQ(lock.acquire(month).state, LockState::Acquired);
    writeFile(folder.path("NOV2026.rep"), "");  // an empty journal: its bytes tell nothing
    writeFile(folder.path("NOV2026.jrn"), "");
    fs::copy_file(month, folder.path("month copy.txt"));
    fs::copy_file(folder.path("DEC2026.jrn"), folder.path("journal copy"));
    fs::copy_file(lock.lockPath(), folder.path("lock copy"));
    fs::create_hard_link(folder.path("NOV2026.jrn"), folder.path("hard.txt"));
    fs::create_symlink(folder.path("NOV2026.jrn"), folder.path("soft.txt"));
    writeFile(folder.path("old report.txt"), "Treasurer's Report\r\n");
    writeFile(folder.path("trail copy"), "Quorvel audit trail 1\n");

    // clang-format off
    // A name and why it is refused; nullptr: it is allowed.
    const std::pair<const char*, const char*> cases[] = {
        {"DEC2026.rep", "named as a month file"},           {"JAN2031.Jrn", "named as a journal"},
        {"DEC2026.rep.lock", "named as a month's lock"},    {"DEC2026.rep.BAK", "backup"},
        {"NOV2026.jrn.bak2", "a journal's backup"},         {"Dec2026.REC", "a month's reconciliation file"},
        {"month copy.txt", "holds a month file"},           {"journal copy", "holds a journal"},
        {"lock copy", "holds a month's lock"},              {"DEC2026.AUD", "named as an audit trail"},
        {"dec2026.aud.bak", "an audit trail's backup"},     {"trail copy", "holds an audit trail"},
        {"DEC2026.audit", nullptr},                         {"old report.txt", nullptr},
        {"DEC2026.report", nullptr},                        {"rep.jrnl", nullptr},
    };
    // clang-format on
    for (const auto& [name, says] : cases) {
        const Status s = checkNotMonthOwnFile(folder.path(name), month);
        EXPECT_EQ(s.ok(), says == nullptr) << name << ": " << s.message();
        EXPECT_TRUE(!says || s.message().find(says) != std::string::npos) << s.message();
    }
    // Links to the open month's (empty) journal: refused only against that month.
    for (const char* link : {"hard.txt", "soft.txt"}) {
        EXPECT_FALSE(checkNotMonthOwnFile(folder.path(link), folder.path("NOV2026.rep")).ok()) << link;
        EXPECT_TRUE(checkNotMonthOwnFile(folder.path(link), month).ok()) << link;
    }

    const std::string journal = readFile(folder.path("DEC2026.jrn"));
    ledger = test::sampleLedger();
    ledger.CurrentFile = month;
    const Status written =
        writeReportFile(folder.path("DEC2026.JRN"), ledger, ReportEntries{}, ReportFileKind::Monthly);
    EXPECT_TRUE(test::holds(written.message(), "DEC2026.JRN is named as a journal"));
    EXPECT_EQ(readFile(folder.path("DEC2026.jrn")), journal);
    EXPECT_FALSE(fs::exists(folder.path("DEC2026.JRN")));
}

// The month's lock, on its own in a folder.

// The id of a process that has certainly ended: a child started and reaped here.
long deadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

LockHolder holder(const std::string& user, const std::string& host, long pid) {
    return {user, host, "2026-12-06 14:03:27 +0100", pid, true};
}

class MonthLockTest : public ::testing::Test {
protected:
    std::size_t filesInFolder() const { return folderFiles(folder.root()).size(); }

    test::TestFolder folder;
    const std::string month = folder.path("NOV2026.rep");
    const std::string lockFile = folder.path("nov2026.jrn.lock");
};

TEST_F(MonthLockTest, AcquireNamesUsHoldsOffASecondOpenerAndReleaseFreesIt) {
    writeFile(month, "month");
    {
        MonthLock first;
        ASSERT_EQ(first.acquire(month).state, LockState::Acquired);
        const std::string text = readFile(lockFile);
        LockHolder me = thisProcess();
        me.since = parseLockText(text).value_or(LockHolder{}).since;
        EXPECT_EQ(text, composeLockText(me));
        EXPECT_TRUE(std::regex_match(me.since, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d [+-]\d{4})")))
            << me.since;
        EXPECT_EQ(filesInFolder(), 2u);  // the month and its lock: no temporary left behind

        for (const char* other : {"nov2026.Rep", "NOV2026.xyz"})  // every name that would share its journal
            EXPECT_EQ(MonthLock().acquire(folder.path(other)).state, LockState::HeldByOther) << other;
        MonthLock second;
        const LockAttempt refused = second.acquire(month);
        ASSERT_EQ(refused.state, LockState::HeldByOther);
        EXPECT_FALSE(second.held());
        EXPECT_EQ(composeLockText(refused.holder), text);
        EXPECT_EQ(readFile(lockFile), text);

        first.release();
        EXPECT_FALSE(std::filesystem::exists(lockFile));
        ASSERT_EQ(second.acquire(month).state, LockState::Acquired);
        MonthLock moved = std::move(second);
        EXPECT_TRUE(moved.held());
        EXPECT_TRUE(std::filesystem::exists(lockFile));
    }
    EXPECT_FALSE(std::filesystem::exists(lockFile));  // released when its holder goes
    EXPECT_EQ(filesInFolder(), 1u);
}

// Under its name or under the old one of an earlier release, only a lock whose copy died on
// this host is taken over; a live process of this host (this one) holds its lock.
TEST_F(MonthLockTest, OnlyALockOfACopyThatDiedOnThisHostIsTakenOverAndNoneOtherRemoved) {
    const long dead = deadPid();
    const std::string here = thisProcess().host;
    const std::string older = folder.path("NOV2026.rep.lock");
    const std::tuple<std::string, LockHolder, bool> cases[] = {
        {lockFile, holder("anna", "vestry", dead), false},
        {lockFile, holder("anna", here, static_cast<long>(::getpid())), false},
        {lockFile, holder("anna", here, dead), true},
        {older, holder("anna", "vestry", 4711), false},
        {older, holder("anna", here, dead), true},
    };
    for (const auto& [at, owner, taken] : cases) {
        SCOPED_TRACE(at + " " + owner.host + " " + std::to_string(owner.pid));
        const std::string text = composeLockText(owner);
        writeFile(at, text);
        MonthLock lock;
        const LockAttempt attempt = lock.acquire(month);
        ASSERT_EQ(attempt.state, taken ? LockState::Acquired : LockState::HeldByOther);
        if (taken) {
            EXPECT_EQ(parseLockText(readFile(lockFile))->pid, static_cast<long>(::getpid()));
            if (at == lockFile) {
                EXPECT_TRUE(attempt.tookOverStale);
                EXPECT_EQ(filesInFolder(), 1u);  // the stale lock is not kept aside
            }
        } else {
            EXPECT_EQ(composeLockText(attempt.holder), text);
            EXPECT_EQ(readFile(at), text);
            EXPECT_EQ(std::filesystem::exists(lockFile), at == lockFile);  // ours is not left behind
        }
        lock.release();
        std::filesystem::remove(at);
    }

    // A damaged lock is held by an unknown user; neither it nor a lock put in place of ours is removed.
    const std::string whole = composeLockText(holder("anna", here, dead));
    for (const std::string& damaged :
         {std::string(), whole.substr(0, 40),
          std::string("Quorvel month lock\nuser: anna\nhost: vestry\nsince: x\npid: 12ab\n")}) {
        writeFile(lockFile, damaged);
        MonthLock lock;
        const LockAttempt attempt = lock.acquire(month);
        ASSERT_EQ(attempt.state, LockState::HeldByOther) << damaged;
        EXPECT_FALSE(attempt.holder.known) << damaged;
        EXPECT_EQ(readFile(lockFile), damaged);
    }
    fs::remove(lockFile);
    MonthLock lock;
    ASSERT_EQ(lock.acquire(month).state, LockState::Acquired);
    // Another copy judged ours stale and put its own in its place.
    const std::string theirs = composeLockText(holder("anna", "vestry", 4711));
    writeFile(lockFile, theirs);
    lock.release();
    EXPECT_FALSE(lock.held());
    EXPECT_EQ(readFile(lockFile), theirs);
}

}  // namespace
}  // namespace quorvel
