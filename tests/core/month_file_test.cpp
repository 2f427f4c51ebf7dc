#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"

namespace quorvel {
namespace {

using test::readFile;
using test::TestFolder;
using test::writeFile;

const std::string kGolden = std::string(QUORVEL_TEST_DATA) + "/small_month.rep";

// Loading gives exactly `expected` (recomputed, as sampleLedger is), under the loaded name.
void expectSameStoredColumns(const Ledger& loaded, Ledger expected) {
    expected.CurrentFile = loaded.CurrentFile;
    EXPECT_TRUE(loaded == expected);
}

TEST(MonthFile, WritesTheGoldenBytes) {
    const auto bytes = composeMonthFile(test::sampleLedger());
    ASSERT_TRUE(bytes.ok()) << bytes.message();
    EXPECT_EQ(*bytes, readFile(kGolden));
}

TEST(MonthFile, GoldenFileLoadsIntoTheSampleLedger) {
    TestFolder folder;
    const std::string path = folder.path("NOV2026.rep");
    std::filesystem::copy_file(kGolden, path);
    Ledger loaded;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(loaded, journal, path).ok());
    EXPECT_EQ(loaded.CurrentFile, path);
    expectSameStoredColumns(loaded, test::sampleLedger());  // "Pastor, Salary": the comma stays inside
    // Opening writes nothing; the journal comes with the first action.
    EXPECT_FALSE(std::filesystem::exists(folder.path("NOV2026.jrn")));
}

// The file holds the year up to last month; the journal adds the month back at each load.
TEST(MonthFile, ColumnTwoIsWrittenWithoutTheMonthsExpenditure) {
    TestFolder folder;
    const std::string path = folder.path("m.rep");
    test::writeMonth(test::sampleLedger(), path, {test::bx("101", Money::cents(4000))});
    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, path).ok());
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInYear], Money::cents(34050));
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInMonth], Money::cents(4000));

    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    EXPECT_EQ(readFile(path).substr(0, 20), "\"101\",1200,500,300.5");
}

TEST(MonthFile, ReadsTheFormsOtherWritersUse) {
    TestFolder folder;
    std::string bytes = readFile(kGolden);
    // LF line ends, blanks before fields, ".5"-style numbers and an unquoted name.
    std::string other;
    for (char c : bytes) {
        if (c != '\r') other.push_back(c);
    }
    other.replace(other.find("1200,500,300.5"), 14, " 1200, 500.00 ,300.50");
    other.replace(other.find("\"Utilities\""), 11, "Utilities");
    other.replace(other.find("1000.75,\"101\""), 7, "1000.7500");
    const std::string path = folder.path("OTHER.rep");
    writeFile(path, other);
    Ledger loaded;
    Journal journal;
    const Status status = LoadMonthFile(loaded, journal, path);
    ASSERT_TRUE(status.ok()) << status.message();
    expectSameStoredColumns(loaded, test::sampleLedger());
}

TEST(MonthFile, DamagedFileKeepsTheLoadedMonthAndNamesTheField) {
    TestFolder folder;
    const std::string good = folder.path("good.rep");
    test::writeMonth(test::sampleLedger(), good, {test::keyed("DP", "", Money::cents(500))});
    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, good).ok());

    const std::string golden = readFile(kGolden);
    const struct {
        std::string bytes;
        std::string expected;
    } damaged[] = {
        {golden.substr(0, golden.size() / 2), "ends early"},
        {"", "field 1 "},
        {golden.substr(0, golden.find("1200")) + "12x0" + golden.substr(golden.find("1200") + 4),
         "field 2 (annual budget): \"12x0\" is not a number"},
        {golden.substr(0, golden.rfind(",2\r\n")) + ",250\r\n", "field 1394 (designated fund count)"},
        {"\"101\",1200,\"unclosed", "no closing quote"},
    };
    for (const auto& d : damaged) {
        const std::string bad = folder.path("bad.rep");
        writeFile(bad, d.bytes);
        const Status status = LoadMonthFile(ledger, journal, bad);
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find(d.expected), std::string::npos) << status.message();
        EXPECT_NE(status.message().find(bad), std::string::npos) << status.message();
        EXPECT_EQ(ledger.CurrentFile, good);
        EXPECT_EQ(journal.path(), folder.path("good.jrn"));
    }
    const Status missing = LoadMonthFile(ledger, journal, folder.path("none.rep"));
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("No such file"), std::string::npos);
}

TEST(MonthFile, RefusesTextTheFormatCannotHold) {
    TestFolder folder;
    Ledger ledger = test::sampleLedger();
    ledger.CurrentFile = folder.path("m.rep");
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    const std::string before = readFile(ledger.CurrentFile);

    for (const std::string& name :
         {std::string("The \"Big\" Fund"), std::string("Line\r\nbreak"), std::string("bad \x81 byte")}) {
        Ledger changed = ledger;
        changed.DesigAcctName[2] = name;
        const Status status = SaveMonthFile(changed);
        EXPECT_FALSE(status.ok()) << name;
        EXPECT_NE(status.message().find("designated fund name"), std::string::npos) << status.message();
        EXPECT_EQ(readFile(ledger.CurrentFile), before);
    }
    // Windows-1252 letters are fine.
    ledger.DesigAcctName[2] = "Caf\xE9 Fund";
    EXPECT_TRUE(SaveMonthFile(ledger).ok());

    // An amount the reader would refuse is not written: the month would never open again.
    const std::string saved = readFile(ledger.CurrentFile);
    for (const Money huge : {Money::fromText("1000000000000.01"), Money::fromText("-99999999999999999")}) {
        Ledger changed = ledger;
        changed.Summary[kBeginningBalance] = huge;
        const Status status = SaveMonthFile(changed);
        EXPECT_NE(status.message().find("larger than a month file can hold"), std::string::npos)
            << status.message();
        EXPECT_EQ(readFile(ledger.CurrentFile), saved);
    }
    ledger.Summary[kBeginningBalance] = Money::fromText("-1000000000000");
    EXPECT_TRUE(SaveMonthFile(ledger).ok());
}

// A stored count larger than the named rows would list empty funds and misplace the next one.
TEST(MonthFile, FundCountComesFromTheNames) {
    TestFolder folder;
    std::string golden = readFile(kGolden);
    golden.replace(golden.rfind(",2\r\n"), 4, ",7\r\n");
    const std::string path = folder.path("m.rep");
    writeFile(path, golden);
    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, path).ok());
    EXPECT_EQ(ledger.DesigCount, 2);

    Ledger noFunds = test::sampleLedger();
    noFunds.DesigAcctName[1].clear();
    noFunds.DesigAcctName[2].clear();
    noFunds.DesigCount = 7;
    noFunds.CurrentFile = path;
    ASSERT_TRUE(SaveMonthFile(noFunds).ok());
    ASSERT_TRUE(LoadMonthFile(ledger, journal, path).ok());
    EXPECT_EQ(ledger.DesigCount, 0);
}

TEST(MonthFile, StoredMonthColumnsAreNotTrusted) {
    TestFolder folder;
    Ledger ledger = test::sampleLedger();
    ledger.SourceAmount[1] = Money::cents(777);
    ledger.BudgetAmount[2][kSpentInMonth] = Money::cents(100);  // no journal record behind it
    ledger.DesigAmount[1][kReceivedInMonth] = Money::cents(100);
    ledger.Summary[kTotalReceipts] = Money::cents(5000);
    ledger.CurrentFile = folder.path("m.rep");
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    Ledger loaded;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(loaded, journal, ledger.CurrentFile).ok());
    EXPECT_TRUE(loaded.SourceAmount[1].isZero());
    EXPECT_TRUE(loaded.BudgetAmount[2][kSpentInMonth].isZero());
    EXPECT_EQ(loaded.BudgetAmount[2][kSpentInYear], Money::cents(-100));  // the file held col 2 - col 3
    EXPECT_TRUE(loaded.DesigAmount[1][kReceivedInMonth].isZero());
    EXPECT_EQ(loaded.DesigAmount[1][kFundRemaining], Money::cents(50000));
    EXPECT_TRUE(loaded.Summary[kTotalReceipts].isZero());
}

}  // namespace
}  // namespace quorvel
