// Month files and journals damaged or made by other writers: each one loads or is refused
// with a message naming the file, nothing crashes, and opening changes nothing on disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"
#include "report/report_file.h"
#include "review/action_list.h"
#include "review/month_summary.h"

namespace quorvel {
namespace {

using test::readFile;
using test::TestFolder;

const std::string kGolden = std::string(QUORVEL_TEST_DATA) + "/small_month.rep";

// Opens `path` into `ledger` and `journal` as the desktop program does and, when it loads, shows
// and reports it. Returns the load's status.
Status openAndUse(const TestFolder& folder, const std::string& path, Ledger& ledger, Journal& journal) {
    const auto before = test::folderFiles(folder.root());
    const Status loaded = LoadMonthFile(ledger, journal, path);
    EXPECT_TRUE(test::folderFiles(folder.root()) == before) << "opening changed the files on disk";
    if (!loaded) {
        EXPECT_TRUE(test::holds(loaded.message(), path));
        return loaded;
    }
    EXPECT_FALSE(monthSummaryLines(ledger).empty());
    const auto records = journal.readAll();
    EXPECT_TRUE(records.ok());
    EXPECT_FALSE(actionListLines(ledger, *records).lines.empty());
    EXPECT_FALSE(reportFileText(ledger, ReportEntries{}, ReportFileKind::Monthly).empty());
    return loaded;
}

class DamagedInput : public ::testing::Test {
protected:
    void SetUp() override { test::writeMonth(test::sampleLedger(), path); }

    TestFolder folder;
    const std::string path = folder.path("DEC2026.rep");
    const std::string golden = readFile(kGolden);
    Ledger ledger;
    Journal journal;
};

TEST_F(DamagedInput, NumbersOutOfRangeInAMonthFileAreRefusedOrReadWithoutWrapping) {
    const std::size_t field2 = golden.find(",1200,") + 1;
    for (const std::string text : {"99999999999999999999", "-99999999999999999999", "NaN", "\"12\""}) {
        SCOPED_TRACE(text);
        test::writeFile(path, golden.substr(0, field2) + text + golden.substr(field2 + 4));
        const Status status = openAndUse(folder, path, ledger, journal);
        if (!status) {
            EXPECT_TRUE(test::holds(status.message(), "field 2 "));
            continue;
        }
        const Money budget = ledger.BudgetAmount[1][kBudgeted];
        // A huge amount may be held at the largest one, never wrapped to the other sign.
        EXPECT_TRUE(text.front() == '-' ? budget <= Money() : budget >= Money()) << budget.format00();
    }
    for (const std::string count : {"-1", "102", "99999999999999999999"}) {
        test::writeFile(path, golden.substr(0, golden.rfind(",3,2")) + "," + count + ",2\r\n");
        EXPECT_FALSE(openAndUse(folder, path, ledger, journal).ok()) << count;
    }
}

// A torn last record is a write cut short and is written over; records before the end that
// are not records (a byte lost or added, line ends, junk) stop the reading there and keep
// every write out, since what follows them is someone's records, shifted.
TEST_F(DamagedInput, OnlyATornLastJournalRecordLoadsAsWholeDamageBeforeItIsNamedAndNeverWrittenAfter) {
    const std::string deposit(test::keyed("DP", "", Money::cents(1250)).text());
    const std::string expenditure(test::bx("101", Money::cents(300)).text());
    const std::string cancelled(cancelledRecord(CancelReason::Canceled).text());
    const std::string four = deposit + expenditure + cancelled + deposit;
    std::string lostByte = four;
    lostByte.erase(kRecordSize + 12, 1);
    struct Case {
        std::string journal;
        std::int64_t damaged;  // 0: whole, and `records` are read
        Money receipts;        // from the records read
        std::size_t records = 0;
    };
    const Case cases[] = {
        {four + deposit.substr(0, 17), 0, Money::cents(2500), 4},
        {four + std::string(kRecordSize * 2, ' '), 0, Money::cents(2500), 6},  // blank records are records
        {lostByte, 2, Money::cents(1250)},
        {deposit + std::string(kRecordSize, '\xFF') + four, 2, Money::cents(1250)},
        {std::string(kRecordSize * 3, '\0'), 0, Money()},  // zeros to the end: what a crash leaves
        {std::string(kRecordSize, '\0') + deposit, 1, Money()},
    };
    for (const Case& c : cases) {
        test::writeFile(folder.path("DEC2026.jrn"), c.journal);
        ASSERT_TRUE(openAndUse(folder, path, ledger, journal).ok());
        EXPECT_EQ(journal.damagedRecord(), c.damaged) << c.journal;
        EXPECT_EQ(ledger.Summary[kTotalReceipts], c.receipts) << c.journal;
        const Status appended = journal.append(test::keyed("DP", "", Money::cents(1)));
        EXPECT_EQ(appended.ok(), c.damaged == 0) << c.journal;
        if (c.damaged == 0) {  // the torn tail is written over
            EXPECT_EQ(readFile(journal.path()).size(), (c.records + 1) * kRecordSize) << c.journal;
            EXPECT_EQ(journal.read(journal.recordCount())->amount(), Money::cents(1));
            continue;
        }
        EXPECT_EQ(readFile(journal.path()), c.journal);
        EXPECT_TRUE(test::holds(appended.message(),
                                "record " + std::to_string(c.damaged) + " is not an action record, so " +
                                    (c.damaged == 2 ? "only the 1 record before it was read" : "0 records")));
    }
}

}  // namespace
}  // namespace quorvel
