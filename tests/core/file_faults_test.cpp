// Every step of a write can fail (full disk, failing device, vanished share): each failure
// is reported, and what was on disk before stays whole and readable.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "actions/recording.h"
#include "core/open_month.h"
#include "core/reload_check.h"
#include "ledger/file_faults.h"
#include "ledger/month_file.h"
#include "review/action_edit.h"
#include "review/budget_adjustment.h"
#include "review/fund_order.h"

namespace quorvel {
namespace {

using test::readFile;
using test::TestFolder;

// Fails `step` for `path` only, with `error`.
FileFaultHook failing(FileStep step, const std::string& path, int error = ENOSPC) {
    return [=](FileStep s, const std::string& p) { return s == step && p == path ? error : 0; };
}

// A month opened as the program holds it; the tests open the sample month with their records.
using JournalFaults = test::OpenMonthTest;
using SaveFaults = test::OpenMonthTest;
const std::vector<ActionRecord> kOneDeposit = {test::keyed("DP", "", Money::cents(500))};

class MonthSaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ledger = test::sampleLedger();
        ledger.CurrentFile = folder.path("NOV2026.rep");
        ASSERT_TRUE(SaveMonthFile(ledger).ok());
        first = readFile(ledger.CurrentFile);
        ledger.BudgetAcctName[1] = "Second";
        ASSERT_TRUE(SaveMonthFile(ledger).ok());
        second = readFile(ledger.CurrentFile);
        ledger.BudgetAcctName[1] = "Third";
    }

    TestFolder folder;
    Ledger ledger;
    std::string first, second;
};

TEST_F(MonthSaveFaults, AFailedStepChangesNothingAndASaveKeepsTheReplacedVersionAsBackup) {
    const std::string backup = folder.path("NOV2026.rep.bak");
    for (const FileStep step : {FileStep::Write, FileStep::Flush, FileStep::Sync, FileStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        const Status saved = [&] {
            ScopedFileFault fault(failing(step, ledger.CurrentFile, EIO));
            return SaveMonthFile(ledger);
        }();
        EXPECT_TRUE(test::holds(saved.message(), ledger.CurrentFile));
        EXPECT_TRUE(test::holds(saved.message(), std::strerror(EIO)));
        EXPECT_TRUE(readFile(ledger.CurrentFile) == second);
        // The backup is taken just before the new file is put in place; when that last
        // step fails it already holds the very version that stayed.
        EXPECT_TRUE(readFile(backup) == (step == FileStep::Rename ? second : first));
        EXPECT_EQ(test::folderFiles(folder.root()).size(), 2u) << "a temporary file was left behind";
    }
    // A backup that cannot be kept stops the save: it must never be lost silently.
    std::filesystem::remove(backup);  // it is a link to the month file now
    test::writeFile(backup, first);
    {
        ScopedFileFault fault(failing(FileStep::Rename, backup));
        const Status saved = SaveMonthFile(ledger);
        EXPECT_TRUE(test::holds(saved.message(), "could not be kept as " + backup));
    }
    EXPECT_TRUE(readFile(ledger.CurrentFile) == second);
    EXPECT_TRUE(readFile(backup) == first);
    EXPECT_EQ(test::folderFiles(folder.root()).size(), 2u);

    // A save that succeeds keeps the version it replaced as the single backup.
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    EXPECT_TRUE(readFile(backup) == second);

    // Where the file system has no hard links, the backup is copied instead.
    ledger.BudgetAcctName[1] = "Fourth";
    const std::string third = readFile(ledger.CurrentFile);
    {
        ScopedFileFault noLinks(failing(FileStep::Link, ledger.CurrentFile, EPERM));
        ASSERT_TRUE(SaveMonthFile(ledger).ok());
    }
    EXPECT_TRUE(readFile(backup) == third);
    EXPECT_TRUE(test::holds(readFile(ledger.CurrentFile), "Fourth"));
    EXPECT_EQ(test::folderFiles(folder.root()).size(), 2u);
}

TEST_F(JournalFaults, AFailedAppendChangesNothingAndAFailedSaveAfterItSaysRecorded) {
    open(test::sampleLedger(), kOneDeposit);
    const Ledger before = ledger;
    const std::string journalBytes = readFile(journal.path());
    for (const FileStep step : {FileStep::Write, FileStep::Sync}) {
        ScopedFileFault fault(failing(step, journal.path(), EIO));
        const Status recorded = recordDeposit(ledger, journal, "12.00", "");
        EXPECT_FALSE(recorded.tookEffect());
        EXPECT_TRUE(test::holds(recorded.message(), journal.path()));
        EXPECT_FALSE(recordTransfer(ledger, journal, 1, 1, "2.00", "").ok());
    }
    EXPECT_TRUE(ledger == before);
    EXPECT_TRUE(readFile(journal.path()) == journalBytes) << "a half-written record was left to be replayed";

    // Once the disk recovers, recording goes on where it stopped.
    ASSERT_TRUE(recordDeposit(ledger, journal, "12.00", "").ok());
    EXPECT_EQ(journal.recordCount(), 2);
    EXPECT_EQ(ledger.Summary[kTotalReceipts], Money::cents(1700));

    // A transfer whose month save failed after its records were appended was reported as failed,
    // and doing it again recorded it twice.
    // clang-format off
    // What the message says, records in the journal afterwards, the action.
    const std::tuple<const char*, std::int64_t, std::function<Status(Ledger&, Journal&)>> cases[] = {
        {"The transfer is recorded", 3,
         [](Ledger& l, Journal& j) { return recordTransfer(l, j, 1, 1, "40", ""); }},
        {"The change is recorded", 1,
         [](Ledger& l, Journal& j) { return editAction(l, j, 1, {"", "7", ""}); }},
    };
    // clang-format on
    for (const auto& [says, records, act] : cases) {
        open(test::sampleLedger(), kOneDeposit);
        const std::string month = readFile(path);
        const Status s = [&] {
            ScopedFileFault fault(failing(FileStep::Rename, path));
            return act(ledger, journal);
        }();
        EXPECT_TRUE(s.tookEffect()) << says;
        EXPECT_TRUE(test::holds(s.message(), says));
        EXPECT_TRUE(test::holds(s.message(), "It stays as it was"));
        EXPECT_EQ(readFile(path), month);
        EXPECT_EQ(journal.recordCount(), records);
        EXPECT_TRUE(test::sameAsReload(ledger)) << says;
    }
}

// A change of the month's tables that cannot be saved is refused whole: the journal records it
// rewrote are put back, and files and tables stay as they were. Budget changes rewrite records
// first; every other change saves the month alone, as reordering funds does.
TEST_F(SaveFaults, AChangeThatCannotBeSavedChangesNothing) {
    // clang-format off
    const std::pair<const char*, std::function<Status(Ledger&, Journal&)>> cases[] = {
        {"delete account", [](Ledger& l, Journal& j) { return deleteBudgetAccount(l, j, 2); }},
        {"reorder funds", [](Ledger& l, Journal& j) {
             Ledger moved = l;
             moveFund(moved, 1, FundMove::DownOne);
             return saveFunds(l, j, moved); }},
    };
    // clang-format on
    for (const auto& [what, change] : cases) {
        open(test::sampleLedger(), {test::bx("102", Money::cents(500)), test::to("102", Money::cents(1000)),
                                    test::keyed("TI", "01234", Money::cents(1000))});
        const Ledger before = ledger;
        const std::string month = readFile(path);
        const std::string records = readFile(journal.path());
        const Status changed = [&] {
            test::FileSizeLimit full(1000);  // records are rewritten in place; the month file cannot be
            return change(ledger, journal);
        }();
        EXPECT_TRUE(test::holds(changed.message(), "Nothing was changed")) << what;
        EXPECT_TRUE(readFile(path) == month) << what;
        EXPECT_TRUE(readFile(journal.path()) == records) << what;
        EXPECT_TRUE(ledger == before) << what;
    }
}

}  // namespace
}  // namespace quorvel
