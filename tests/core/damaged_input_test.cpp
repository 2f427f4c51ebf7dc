// Month files and journals damaged or made by other writers: each one loads or is refused
// with a message naming the file, nothing crashes, and opening changes nothing on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

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

std::map<std::string, std::string> snapshot(const TestFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.root())) {
        files[entry.path().filename().string()] = readFile(entry.path().string());
    }
    return files;
}

// Opens `path` as the desktop program does and, when it loads, shows and reports it.
// Returns the load's status.
Status openAndUse(const TestFolder& folder, const std::string& path) {
    const auto before = snapshot(folder);
    Ledger ledger;
    Journal journal;
    const Status loaded = LoadMonthFile(ledger, journal, path);
    EXPECT_TRUE(snapshot(folder) == before) << "opening changed the files on disk";
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

std::string withField2(const std::string& golden, const std::string& text) {
    const std::size_t at = golden.find(",1200,");
    return golden.substr(0, at + 1) + text + golden.substr(at + 5);
}

TEST(DamagedMonthFile, NumbersOutOfRangeAreRefusedOrReadWithoutWrapping) {
    const std::string golden = readFile(kGolden);
    TestFolder folder;
    const std::string path = folder.path("NUM.rep");
    for (const std::string text : {"99999999999999999999", "-99999999999999999999", "NaN", "\"12\""}) {
        SCOPED_TRACE(text);
        test::writeFile(path, withField2(golden, text));
        const Status status = openAndUse(folder, path);
        if (!status) {
            EXPECT_TRUE(test::holds(status.message(), "field 2 "));
            continue;
        }
        Ledger ledger;
        ASSERT_TRUE(parseMonthFile(readFile(path), path, ledger).ok());
        const Money budget = ledger.BudgetAmount[1][kBudgeted];
        // A huge amount may be held at the largest one, never wrapped to the other sign.
        EXPECT_TRUE(text.front() == '-' ? budget <= Money() : budget >= Money()) << budget.format00();
    }
    for (const std::string count : {"-1", "102", "99999999999999999999"}) {
        test::writeFile(path, golden.substr(0, golden.rfind(",3,2")) + "," + count + ",2\r\n");
        const Status status = openAndUse(folder, path);
        EXPECT_FALSE(status.ok()) << count;
    }
}

class DamagedJournal : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.path("JRN.rep");
        test::writeMonth(test::sampleLedger(), path);
    }
    void writeJournal(const std::string& bytes) { test::writeFile(folder.path("JRN.jrn"), bytes); }

    TestFolder folder;
    std::string path;
};

// A torn last record is a write cut short and is written over; records before the end that
// are not records (a byte lost or added, line ends, junk) stop the reading there and keep
// every write out, since what follows them is someone's records, shifted.
TEST_F(DamagedJournal, OnlyATornLastRecordLoadsAsWholeDamageBeforeItIsNamedAndNeverWrittenAfter) {
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
        writeJournal(c.journal);
        ASSERT_TRUE(openAndUse(folder, path).ok());
        Ledger ledger;
        Journal journal;
        ASSERT_TRUE(LoadMonthFile(ledger, journal, path).ok());
        EXPECT_EQ(journal.damagedRecord(), c.damaged) << c.journal;
        EXPECT_EQ(ledger.Summary[kTotalReceipts], c.receipts) << c.journal;
        const Status appended = journal.append(test::keyed("DP", "", Money::cents(1)));
        EXPECT_EQ(appended.ok(), c.damaged == 0) << c.journal;
        if (c.damaged == 0) {  // the torn tail is written over
            EXPECT_EQ(readFile(folder.path("JRN.jrn")).size(), (c.records + 1) * kRecordSize) << c.journal;
            EXPECT_EQ(journal.read(journal.recordCount())->amount(), Money::cents(1));
            continue;
        }
        EXPECT_EQ(readFile(folder.path("JRN.jrn")), c.journal);
        EXPECT_TRUE(test::holds(appended.message(),
                                "record " + std::to_string(c.damaged) + " is not an action record, so " +
                                    (c.damaged == 2 ? "only the 1 record before it was read" : "0 records")));
    }
}

}  // namespace
}  // namespace quorvel
