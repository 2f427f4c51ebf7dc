#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"

namespace quorvel {
namespace {

using test::readFile;
using test::writeFile;

const std::string kGolden = std::string(QUORVEL_TEST_DATA) + "/small_month.rep";

// `path` loaded for writing, as the program opens it.
Ledger load(const std::string& path) {
    Ledger ledger;
    Journal journal;
    const Status status = LoadMonthFile(ledger, journal, path);
    EXPECT_TRUE(status.ok()) << status.message();
    return ledger;
}

// Loading gives exactly `expected` (recomputed, as sampleLedger is), under the loaded name.
void expectSameStoredColumns(const Ledger& loaded, Ledger expected) {
    expected.CurrentFile = loaded.CurrentFile;
    EXPECT_TRUE(loaded == expected);
}

class MonthFile : public ::testing::Test {
protected:
    test::TestFolder folder;
    const std::string path = folder.path("NOV2026.rep");
};

TEST_F(MonthFile, GoldenBytesAreWrittenAndLoadIntoTheSampleLedger) {
    const auto bytes = composeMonthFile(test::sampleLedger());
    ASSERT_TRUE(bytes.ok()) << bytes.message();
    EXPECT_EQ(*bytes, readFile(kGolden));
    std::filesystem::copy_file(kGolden, path);
    const Ledger loaded = load(path);
    EXPECT_EQ(loaded.CurrentFile, path);
    expectSameStoredColumns(loaded, test::sampleLedger());  // "Pastor, Salary": the comma stays inside
    // Opening writes nothing; the journal comes with the first action.
    EXPECT_FALSE(std::filesystem::exists(folder.path("NOV2026.jrn")));
}

// The file holds the year up to last month; the journal adds the month back at each load.
TEST_F(MonthFile, ColumnTwoIsWrittenWithoutTheMonthsExpenditure) {
    test::writeMonth(test::sampleLedger(), path, {test::bx("101", Money::cents(4000))});
    const Ledger ledger = load(path);
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInYear], Money::cents(34050));
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInMonth], Money::cents(4000));
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    EXPECT_EQ(readFile(path).substr(0, 20), "\"101\",1200,500,300.5");
}

TEST_F(MonthFile, ReadsTheFormsOtherWritersUse) {
    // LF line ends, blanks before fields, ".5"-style numbers and an unquoted name.
    std::string other = readFile(kGolden);
    std::erase(other, '\r');
    other.replace(other.find("1200,500,300.5"), 14, " 1200, 500.00 ,300.50");
    other.replace(other.find("\"Utilities\""), 11, "Utilities");
    other.replace(other.find("1000.75,\"101\""), 7, "1000.7500");
    writeFile(path, other);
    expectSameStoredColumns(load(path), test::sampleLedger());
}

TEST_F(MonthFile, DamagedFileKeepsTheLoadedMonthAndNamesTheField) {
    const std::string good = folder.path("good.rep");
    test::writeMonth(test::sampleLedger(), good, {test::keyed("DP", "", Money::cents(500))});
    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, good).ok());

    const std::string golden = readFile(kGolden);
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
        ASSERT_FALSE(status.ok());
        EXPECT_TRUE(test::holds(status.message(), says));
        EXPECT_TRUE(test::holds(status.message(), bad));
        EXPECT_EQ(ledger.CurrentFile, good);
        EXPECT_EQ(journal.path(), folder.path("good.jrn"));
    }
}

TEST_F(MonthFile, RefusesTextAndAmountsTheFormatCannotHold) {
    Ledger ledger = test::sampleLedger();
    ledger.CurrentFile = path;
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    const std::string before = readFile(path);
    for (const std::string name : {"The \"Big\" Fund", "Line\r\nbreak", "bad \x81 byte"}) {
        Ledger changed = ledger;
        changed.DesigAcctName[2] = name;
        const Status status = SaveMonthFile(changed);
        EXPECT_FALSE(status.ok()) << name;
        EXPECT_TRUE(test::holds(status.message(), "designated fund name"));
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

// A stored count larger than the named rows would list empty funds and misplace the next one.
TEST_F(MonthFile, FundCountComesFromTheNames) {
    std::string golden = readFile(kGolden);
    golden.replace(golden.rfind(",2\r\n"), 4, ",7\r\n");
    writeFile(path, golden);
    EXPECT_EQ(load(path).DesigCount, 2);

    Ledger noFunds = test::sampleLedger();
    noFunds.DesigAcctName[1].clear();
    noFunds.DesigAcctName[2].clear();
    noFunds.DesigCount = 7;
    noFunds.CurrentFile = path;
    ASSERT_TRUE(SaveMonthFile(noFunds).ok());
    EXPECT_EQ(load(path).DesigCount, 0);
}

TEST_F(MonthFile, StoredMonthColumnsAreNotTrusted) {
    Ledger ledger = test::sampleLedger();
    ledger.SourceAmount[1] = Money::cents(777);
    ledger.BudgetAmount[2][kSpentInMonth] = Money::cents(100);  // no journal record behind it
    ledger.DesigAmount[1][kReceivedInMonth] = Money::cents(100);
    ledger.Summary[kTotalReceipts] = Money::cents(5000);
    ledger.CurrentFile = path;
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    const Ledger loaded = load(path);
    EXPECT_TRUE(loaded.SourceAmount[1].isZero());
    EXPECT_TRUE(loaded.BudgetAmount[2][kSpentInMonth].isZero());
    EXPECT_EQ(loaded.BudgetAmount[2][kSpentInYear], Money::cents(-100));  // the file held col 2 - col 3
    EXPECT_TRUE(loaded.DesigAmount[1][kReceivedInMonth].isZero());
    EXPECT_EQ(loaded.DesigAmount[1][kFundRemaining], Money::cents(50000));
    EXPECT_TRUE(loaded.Summary[kTotalReceipts].isZero());
}

}  // namespace
}  // namespace quorvel
