#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/action_record.h"
#include "ledger/journal.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "report/report_file.h"
#include "review/action_list.h"
#include "review/month_summary.h"

namespace quorvel {
namespace {

using test::readFile;
using test::TestFolder;
using test::writeFile;

ActionRecord deposit(int cents) { return test::keyed("DP", "", Money::cents(cents)); }

// Records the recording test does not write, and fields cut to their width, byte for byte;
// the literals are exactly 34 bytes.
TEST(ActionRecord, GoldenBytesOfTheOtherKinds) {
    // clang-format off
    const std::pair<ActionRecord, const char*> cases[] = {
        {composeKeyedRecord("DX", "01234", *amountAsStr(Money::cents(-325)), "12/01"),
         "DX 01234 -3.25        12/01       "},
        {composeFundName("  Christmas Baskets for Families  "), "D2 Christmas Baskets for Fam      "},
        {composeBudgetRecord("BX", "12345", " 1", "a reference too long"),
         "BX   123  1           a referenc  "},
        {cancelledRecord(CancelReason::Canceled), "ZZ - action canceled -            "},
        {cancelledRecord(CancelReason::Deleted), "ZZ - action deleted -             "},
    };
    // clang-format on
    for (const auto& [record, bytes] : cases) {
        ASSERT_EQ(std::string_view(bytes).size(), kRecordSize) << bytes;
        EXPECT_EQ(record.text(), bytes);
    }
}

TEST(ActionRecord, AmountsAreReadInEveryRenderingAndRefusedWhenTheyWouldNotFit) {
    for (const std::int64_t cents : {9'999'999'999LL, -9'999'999'999LL}) {
        EXPECT_TRUE(amountAsStr(Money::cents(cents)).ok()) << cents;
        EXPECT_TRUE(amountAsRight(Money::cents(cents)).ok()) << cents;
        EXPECT_FALSE(amountAsStr(Money::cents(cents + (cents > 0 ? 1 : -1))).ok()) << cents;
    }
    EXPECT_FALSE(amountAsRight(Money::cents(10'000'000'000)).ok());
    EXPECT_FALSE(amountAsBox("100000000.00").ok());
    EXPECT_FALSE(amountAsBox("1.0000000000001").ok());  // 15 characters would be cut
    EXPECT_TRUE(test::holds(amountAsStr(Money::cents(12'345'678'900)).message(), "too large"));

    const std::pair<const char*, std::int64_t> cases[] = {
        {"       12.50", 1250}, {" 12.5000", 1250}, {"12.5abc", 1250}, {"-.25", -25}, {"", 0}};
    for (const auto& [text, cents] : cases)
        EXPECT_EQ(composeKeyedRecord("DP", "", text, "").amount(), Money::cents(cents)) << text;
    EXPECT_EQ(ActionRecord::fromBytes("DP").text(), "DP" + std::string(32, ' '));  // short input padded
}

const std::string kGolden = std::string(QUORVEL_TEST_DATA) + "/small_month.rep";

// `path` loaded for writing, as the program opens it.
Ledger load(const std::string& path) {
    Ledger ledger;
    Journal journal;
    const Status status = LoadMonthFile(ledger, journal, path);
    EXPECT_TRUE(status.ok()) << status.message();
    return ledger;
}

class MonthFile : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string path = folder.path("DEC2026.rep");
    const std::string golden = readFile(kGolden);
    Ledger ledger;
    Journal journal;
};

TEST_F(MonthFile, JournalAppendsReadsRewritesInPlaceNeverWritesReadOnlyAndIsFoundInAnyCase) {
    ASSERT_TRUE(journal.open(folder.path("m.jrn"), JournalMode::ReadWrite).ok());
    EXPECT_EQ(journal.recordCount(), 0);
    ASSERT_TRUE(journal.append(deposit(100)).ok());
    ASSERT_TRUE(journal.append(deposit(200)).ok());
    ASSERT_TRUE(journal.write(1, cancelledRecord(CancelReason::Canceled)).ok());
    EXPECT_EQ(journal.read(2)->amount(), Money::cents(200));
    EXPECT_FALSE(journal.read(3).ok());
    EXPECT_FALSE(journal.write(3, deposit(1)).ok());
    EXPECT_EQ(readFile(folder.path("m.jrn")),
              std::string(cancelledRecord(CancelReason::Canceled).text()) + std::string(deposit(200).text()));

    Journal readOnly;
    ASSERT_TRUE(readOnly.open(folder.path("r.jrn"), JournalMode::ReadOnly).ok());
    EXPECT_FALSE(readOnly.append(deposit(1)).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.path("r.jrn")));

    // A journal named in another case is found.
    writeFile(folder.path("JAN2027.JRN"), "");
    EXPECT_EQ(Journal::locate(folder.path("JAN2027.REP")), folder.path("JAN2027.JRN"));
    EXPECT_EQ(Journal::locate(folder.path("jan2027.rep")), folder.path("JAN2027.JRN"));
    // The exact name wins when both exist.
    writeFile(folder.path("JAN2027.jrn"), "");
    EXPECT_EQ(Journal::locate(folder.path("JAN2027.REP")), folder.path("JAN2027.jrn"));
    // Nothing there: the exact name, for creation.
    EXPECT_EQ(Journal::locate(folder.path("FEB2027.rep")), folder.path("FEB2027.jrn"));
}

TEST_F(MonthFile, GoldenBytesAndOtherWritersFormsLoadIntoTheSampleLedger) {
    const auto bytes = composeMonthFile(test::sampleLedger());
    ASSERT_TRUE(bytes.ok()) << bytes.message();
    EXPECT_EQ(*bytes, golden);
    std::filesystem::copy_file(kGolden, path);
    Ledger expected = test::sampleLedger();  // recomputed, as a load is
    expected.CurrentFile = path;
    EXPECT_TRUE(load(path) == expected);  // "Pastor, Salary": the comma stays inside
    // Opening writes nothing; the journal comes with the first action.
    EXPECT_FALSE(std::filesystem::exists(folder.path("DEC2026.jrn")));

    // Other writers' forms: LF line ends, blanks before fields, ".5"-style numbers, an unquoted name.
    std::string other = golden;
    std::erase(other, '\r');
    other.replace(other.find("1200,500,300.5"), 14, " 1200, 500.00 ,300.50");
    other.replace(other.find("\"Utilities\""), 11, "Utilities");
    other.replace(other.find("1000.75,\"101\""), 7, "1000.7500");
    writeFile(path, other);
    EXPECT_TRUE(load(path) == expected);
}

TEST_F(MonthFile, DamagedFileKeepsTheLoadedMonthAndNamesTheField) {
    const std::string good = folder.path("good.rep");
    test::writeMonth(test::sampleLedger(), good, {deposit(500)});
    ASSERT_TRUE(LoadMonthFile(ledger, journal, good).ok());
    const std::size_t budget = golden.find("1200");
    const std::pair<std::string, std::string> damaged[] = {
        {golden.substr(0, golden.size() / 2), "ends early"},
        {"", "field 1 "},
        {golden.substr(0, budget) + "12x0" + golden.substr(budget + 4),
         "field 2 (annual budget): \"12x0\" is not a number"},
        {golden.substr(0, golden.rfind(",2\r\n")) + ",250\r\n", "field 1394 (designated fund count)"},
        {"\"101\",1200,\"unclosed", "no closing quote"},
        {"", "No such file"},  // none is written
    };
    for (const auto& [bytes, says] : damaged) {
        const bool missing = says == "No such file";
        const std::string bad = folder.path(missing ? "none.rep" : "bad.rep");
        if (!missing) writeFile(bad, bytes);
        const Status status = LoadMonthFile(ledger, journal, bad);
        EXPECT_TRUE(test::holds(status.message(), says));
        EXPECT_TRUE(test::holds(status.message(), bad));
        EXPECT_EQ(ledger.CurrentFile, good);
        EXPECT_EQ(journal.path(), folder.path("good.jrn"));
    }
}

TEST_F(MonthFile, RefusesTextAndAmountsTheFormatCannotHold) {
    ledger = test::sampleLedger();
    ledger.CurrentFile = path;
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    const std::string before = readFile(path);
    for (const std::string name : {"The \"Big\" Fund", "Line\r\nbreak", "bad \x81 byte"}) {
        Ledger changed = ledger;
        changed.DesigAcctName[2] = name;
        const Status status = SaveMonthFile(changed);
        EXPECT_TRUE(test::holds(status.message(), "designated fund name")) << name;
        EXPECT_EQ(readFile(path), before);
    }
    // An amount the reader would refuse is not written: the month would never open again.
    for (const char* huge : {"1000000000000.01", "-99999999999999999"}) {
        Ledger changed = ledger;
        changed.Summary[kBeginningBalance] = Money::fromText(huge);
        const Status status = SaveMonthFile(changed);
        EXPECT_TRUE(test::holds(status.message(), "larger than a month file can hold"));
        EXPECT_EQ(readFile(path), before);
    }
    ledger.DesigAcctName[2] = "Caf\xE9 Fund";  // Windows-1252 letters are fine
    ledger.Summary[kBeginningBalance] = Money::fromText("-1000000000000");
    EXPECT_TRUE(SaveMonthFile(ledger).ok());
    EXPECT_TRUE(test::holds(readFile(path), "Caf\xE9 Fund"));
}

// Month files and journals damaged or made by other writers: each one loads or is refused
// with a message naming the file, nothing crashes, and opening changes nothing on disk.

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

TEST_F(MonthFile, NumbersOutOfRangeAreRefusedOrReadWithoutWrappingAndFundCountComesFromNames) {
    const std::size_t field2 = golden.find(",1200,") + 1;
    for (const std::string text : {"99999999999999999999", "-99999999999999999999", "NaN", "\"12\""}) {
        SCOPED_TRACE(text);
        writeFile(path, golden.substr(0, field2) + text + golden.substr(field2 + 4));
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
        writeFile(path, golden.substr(0, golden.rfind(",3,2")) + "," + count + ",2\r\n");
        EXPECT_FALSE(openAndUse(folder, path, ledger, journal).ok()) << count;
    }

    // A stored count larger than the named rows would list empty funds and misplace the next one.
    std::string sevenFunds = golden;
    sevenFunds.replace(sevenFunds.rfind(",2\r\n"), 4, ",7\r\n");
    writeFile(path, sevenFunds);
    EXPECT_EQ(load(path).DesigCount, 2);
    Ledger noFunds = test::sampleLedger();
    noFunds.DesigAcctName[1].clear();
    noFunds.DesigAcctName[2].clear();
    noFunds.DesigCount = 7;
    noFunds.CurrentFile = path;
    ASSERT_TRUE(SaveMonthFile(noFunds).ok());
    EXPECT_EQ(load(path).DesigCount, 0);
}

// A torn last record is a write cut short and is written over; records before the end that
// are not records (a byte lost or added, line ends, junk) stop the reading there and keep
// every write out, since what follows them is someone's records, shifted.
TEST_F(MonthFile, OnlyATornLastJournalRecordLoadsAsWholeDamageBeforeItIsNamedAndNeverWrittenAfter) {
    test::writeMonth(test::sampleLedger(), path);
    const std::string dp(deposit(1250).text());
    const std::string expenditure(test::bx("101", Money::cents(300)).text());
    const std::string cancelled(cancelledRecord(CancelReason::Canceled).text());
    const std::string four = dp + expenditure + cancelled + dp;
    std::string lostByte = four;
    lostByte.erase(kRecordSize + 12, 1);
    struct Case {
        std::string journal;
        std::int64_t damaged;  // 0: whole, and `records` are read
        Money receipts;        // from the records read
        std::size_t records = 0;
    };
    const Case cases[] = {
        {four + dp.substr(0, 17), 0, Money::cents(2500), 4},
        {four + std::string(kRecordSize * 2, ' '), 0, Money::cents(2500), 6},  // blank records are records
        {lostByte, 2, Money::cents(1250)},
        {dp + std::string(kRecordSize, '\xFF') + four, 2, Money::cents(1250)},
        {std::string(kRecordSize * 3, '\0'), 0, Money()},  // zeros to the end: what a crash leaves
        {std::string(kRecordSize, '\0') + dp, 1, Money()},
    };
    for (const Case& c : cases) {
        writeFile(folder.path("DEC2026.jrn"), c.journal);
        ASSERT_TRUE(openAndUse(folder, path, ledger, journal).ok());
        EXPECT_EQ(journal.damagedRecord(), c.damaged) << c.journal;
        EXPECT_EQ(ledger.Summary[kTotalReceipts], c.receipts) << c.journal;
        const Status appended = journal.append(deposit(1));
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
