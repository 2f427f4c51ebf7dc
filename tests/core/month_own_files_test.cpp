// Report files once replaced a month's journal or month file without a word: every month's own
// file is refused as a report target, by name, by content and through links.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"
#include "ledger/month_lock.h"
#include "ledger/month_own_files.h"
#include "report/report_file.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

TEST(MonthOwnFiles, AreRefusedByNameContentAndLinkAndNothingElseIs) {
    test::TestFolder folder;
    const std::string month = folder.path("DEC2026.rep");
    test::writeMonth(test::sampleLedger(), month, {test::bx("101", Money::cents(4000), "ck 1")});
    MonthLock lock;
    ASSERT_EQ(lock.acquire(month).state, LockState::Acquired);
    test::writeFile(folder.path("NOV2026.rep"), "");  // an empty journal: its bytes tell nothing
    test::writeFile(folder.path("NOV2026.jrn"), "");
    fs::copy_file(month, folder.path("month copy.txt"));
    fs::copy_file(folder.path("DEC2026.jrn"), folder.path("journal copy"));
    fs::copy_file(lock.lockPath(), folder.path("lock copy"));
    fs::create_hard_link(folder.path("NOV2026.jrn"), folder.path("hard.txt"));
    fs::create_symlink(folder.path("NOV2026.jrn"), folder.path("soft.txt"));
    test::writeFile(folder.path("old report.txt"), "Treasurer's Report\r\n");
    test::writeFile(folder.path("trail copy"), "Quorvel audit trail 1\n");

    const struct {
        const char* name;
        const char* says;  // nullptr: allowed
    } cases[] = {
        {"DEC2026.rep", "named as a month file"},
        {"JAN2031.Jrn", "named as a journal"},
        {"DEC2026.rep.lock", "named as a month's lock"},
        {"DEC2026.rep.BAK", "backup"},
        {"NOV2026.jrn.bak2", "a journal's backup"},
        {"Dec2026.REC", "a month's reconciliation file"},
        {"month copy.txt", "holds a month file"},
        {"journal copy", "holds a journal"},
        {"lock copy", "holds a month's lock"},
        {"DEC2026.AUD", "named as an audit trail"},
        {"dec2026.aud.bak", "an audit trail's backup"},
        {"trail copy", "holds an audit trail"},
        {"DEC2026.audit", nullptr},
        {"old report.txt", nullptr},
        {"DEC2026.report", nullptr},
        {"rep.jrnl", nullptr},
    };
    for (const auto& c : cases) {
        const Status s = checkNotMonthOwnFile(folder.path(c.name), month);
        EXPECT_EQ(s.ok(), c.says == nullptr) << c.name << ": " << s.message();
        if (c.says) {
            EXPECT_NE(s.message().find(c.says), std::string::npos) << s.message();
        }
    }
    // Links to the open month's (empty) journal: refused only against that month.
    for (const char* link : {"hard.txt", "soft.txt"}) {
        EXPECT_FALSE(checkNotMonthOwnFile(folder.path(link), folder.path("NOV2026.rep")).ok()) << link;
        EXPECT_TRUE(checkNotMonthOwnFile(folder.path(link), month).ok()) << link;
    }

    const std::string journal = test::readFile(folder.path("DEC2026.jrn"));
    Ledger ledger = test::sampleLedger();
    ledger.CurrentFile = month;
    const Status written =
        writeReportFile(folder.path("DEC2026.JRN"), ledger, ReportEntries{}, ReportFileKind::Monthly);
    EXPECT_NE(written.message().find("DEC2026.JRN is named as a journal"), std::string::npos)
        << written.message();
    EXPECT_EQ(test::readFile(folder.path("DEC2026.jrn")), journal);
    EXPECT_FALSE(fs::exists(folder.path("DEC2026.JRN")));
}

}  // namespace
}  // namespace quorvel
