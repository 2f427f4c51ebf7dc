// A month's files against other paths, names and writers: letter case, links, a journal
// replaced while open, special files, and a journal far too large to be one.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"
#include "ledger/month_lock.h"
#include "ledger/month_paths.h"
#include "ledger/rollover.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

const ActionRecord kDeposit = test::keyed("DP", "", Money::cents(700));

std::map<std::string, std::string> filesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] =
            entry.is_symlink() ? "-> link" : readFile(entry.path().string());
    }
    return files;
}

class MonthFilesTest : public ::testing::Test {
protected:
    void SetUp() override { writeMonth(month); }
    void writeMonth(const std::string& path) {
        fs::remove(Journal::pathFor(path));
        test::writeMonth(test::sampleLedger(), path, {test::bx("101", Money::cents(4000)), kDeposit});
    }

    test::TestFolder folder;
    const std::string month = fs::canonical(folder.root()).string() + "/DEC2026.rep";
};

TEST_F(MonthFilesTest, AHeldMonthLocksEveryNameThatWouldShareItsJournal) {
    MonthLock held;
    ASSERT_EQ(held.acquire(month).state, LockState::Acquired);
    for (const char* name : {"dec2026.Rep", "DEC2026.xyz"}) {
        MonthLock mine;
        EXPECT_EQ(mine.acquire(folder.path(name)).state, LockState::HeldByOther) << name;
    }
}

TEST_F(MonthFilesTest, ANewMonthWhoseJournalWouldBeAnotherMonthsIsRefusedAndNothingIsWritten) {
    const std::string november = folder.path("NOV2026.rep");
    writeMonth(november);
    const auto before = filesIn(folder.root());
    using Write = std::function<Status(const std::string&)>;
    const std::pair<const char*, Write> writers[] = {
        {"Save As",
         [&](const std::string& target) {
             Ledger open;
             Journal journal;
             EXPECT_TRUE(LoadMonthFile(open, journal, november).ok());
             return copyMonth(open, journal, target);
         }},
        {"annual setup",
         [&](const std::string& target) {
             Ledger first = test::sampleLedger();
             first.CurrentFile = target;
             return saveAsNewMonth(first);
         }},
    };
    for (const auto& [command, write] : writers) {
        const Status written = write(folder.path("Dec2026.REP"));
        EXPECT_NE(written.message().find("the journal of the month file " + folder.path("DEC2026.rep")),
                  std::string::npos)
            << command << ": " << written.message();
        EXPECT_EQ(filesIn(folder.root()), before) << command;
    }
}

TEST_F(MonthFilesTest, AMonthOpenedThroughALinkKeepsEveryFileBesideTheRealOneAndTheLink) {
    test::TestFolder elsewhere;
    const std::string link = elsewhere.path("DEC2026.rep");
    fs::create_symlink(month, link);
    EXPECT_EQ(MonthLock::lockPathFor(link), MonthLock::lockPathFor(month));

    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, link).ok());
    EXPECT_EQ(ledger.CurrentFile, month);
    EXPECT_EQ(journal.readAll()->size(), 2u);
    ASSERT_TRUE(journal.append(kDeposit).ok());
    ASSERT_TRUE(SaveMonthFile(ledger).ok());

    EXPECT_EQ(filesIn(elsewhere.root()), (std::map<std::string, std::string>{{"DEC2026.rep", "-> link"}}));
    EXPECT_EQ(fs::file_size(Journal::pathFor(month)), 3 * kRecordSize);
    EXPECT_TRUE(fs::exists(monthBackupPath(month)));
}

TEST_F(MonthFilesTest, AJournalDeletedOrReplacedWhileOpenTakesNoAction) {
    const std::pair<const char*, std::function<void(const std::string&)>> changes[] = {
        {"deleted", [](const std::string& path) { fs::remove(path); }},
        {"replaced",
         [](const std::string& path) {
             writeFile(path + ".new", "");
             fs::rename(path + ".new", path);
         }},
    };
    for (const auto& [what, change] : changes) {
        writeMonth(month);
        Ledger ledger;
        Journal journal;
        ASSERT_TRUE(LoadMonthFile(ledger, journal, month).ok());
        change(journal.path());
        const auto before = filesIn(folder.root());
        const Status appended = journal.append(kDeposit);
        EXPECT_NE(appended.message().find("deleted or replaced"), std::string::npos) << appended.message();
        EXPECT_EQ(filesIn(folder.root()), before) << what;
    }
}

TEST_F(MonthFilesTest, NoFileIsCreatedThroughALinkPlantedAtItsName) {
    test::TestFolder outside;
    const std::string target = outside.path("planted");
    const std::string january = folder.path("JAN2027.rep");
    const std::pair<std::string, std::function<bool()>> plantings[] = {
        {Journal::pathFor(january),
         [&] {
             Ledger next = test::sampleLedger();
             next.CurrentFile = january;
             return saveAsNewMonth(next).ok();
         }},
        {Journal::pathFor(january),  // missing when the month was opened, created by the first action
         [&] {
             Journal journal;  // refused at opening or at the first append
             return journal.open(Journal::pathFor(january), JournalMode::ReadWrite).ok() &&
                    journal.append(kDeposit).ok();
         }},
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
}

TEST_F(MonthFilesTest, AJournalThatIsALinkToAnotherMonthsIsNeverWrittenThroughIt) {
    const std::string january = folder.path("JAN2027.rep");
    writeMonth(january);
    fs::remove(Journal::pathFor(january));
    fs::create_symlink(Journal::pathFor(month), Journal::pathFor(january));
    const std::string before = readFile(Journal::pathFor(month));
    EXPECT_FALSE(checkMonthWritable(january).ok());  // offered read-only instead
    Journal journal;
    const bool opened = journal.open(Journal::pathFor(january), JournalMode::ReadWrite).ok();
    EXPECT_FALSE(opened && journal.append(kDeposit).ok());
    EXPECT_EQ(readFile(Journal::pathFor(month)), before);
}

TEST_F(MonthFilesTest, SpecialFilesAndOversizedJournalsAreRefusedWithoutBlocking) {
    const std::string journalPath = Journal::pathFor(month);
    const std::string journalBytes = readFile(journalPath);
    struct Case {
        std::string fifo;  // empty: the journal is grown past the cap instead
        std::string says;
    };
    const Case cases[] = {
        {month, "not a regular file"},
        {journalPath, "not a regular file"},
        {"", "more than a journal can be (at most 100000 action records"},
    };
    for (const Case& c : cases) {
        const std::string keep = c.fifo + ".keep";
        if (c.fifo.empty()) {
            ASSERT_EQ(::truncate(journalPath.c_str(), kMaxJournalBytes + kRecordSize), 0);
        } else {
            fs::rename(c.fifo, keep);
            ASSERT_EQ(::mkfifo(c.fifo.c_str(), 0600), 0);
        }
        for (JournalMode mode : {JournalMode::ReadOnly, JournalMode::ReadWrite}) {
            Ledger ledger;
            Journal journal;
            const Status loaded = LoadMonthFile(ledger, journal, month, mode);
            EXPECT_FALSE(loaded.ok()) << c.says;
            EXPECT_NE(loaded.message().find(c.says), std::string::npos) << loaded.message();
        }
        if (c.fifo.empty()) {
            writeFile(journalPath, journalBytes);
        } else {
            fs::remove(c.fifo);
            fs::rename(keep, c.fifo);
        }
    }
    const std::string lock = MonthLock::lockPathFor(month);
    ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
    const LockAttempt attempt = MonthLock().acquire(month);
    EXPECT_EQ(attempt.state, LockState::Failed);
    EXPECT_EQ(attempt.message, lock + ": is not a lock file (a link or a special file is in its place)");
}

}  // namespace
}  // namespace quorvel
