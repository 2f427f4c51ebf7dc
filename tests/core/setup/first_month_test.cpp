// The first month of a set-up year: written, loaded again, and the journal of that name.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"
#include "setup/first_month.h"

namespace quorvel {
namespace {

using test::readFile;

AnnualSetup sampleYear() {
    AnnualSetup setup;
    EXPECT_TRUE(
        setup.addBudgetAccount("300", "Missions, Local", Money::cents(240000), Money::cents(240000)).ok());
    EXPECT_TRUE(
        setup.addBudgetAccount("007", "Office \x80 Supplies", Money::cents(120000), Money::cents(90000))
            .ok());
    EXPECT_TRUE(
        setup.addBudgetAccount("101", "Pastor", Money::cents(3000000), Money::fromUnits(15000012345)).ok());
    EXPECT_TRUE(setup.addFund("Memorial Fund", Money::cents(50000), seededRandom(5)).ok());
    EXPECT_TRUE(setup.addFund("Organ, Repair", Money::cents(-25), seededRandom(6)).ok());
    return setup;
}

Ledger load(const std::string& path) {
    Ledger ledger;
    Journal journal;
    EXPECT_TRUE(LoadMonthFile(ledger, journal, path, JournalMode::ReadOnly).ok());
    return ledger;
}

class FirstMonthTest : public ::testing::Test {
  protected:
    test::TestFolder folder;
    std::string path = folder.path("JAN2027.rep");
};

TEST_F(FirstMonthTest, ASavedYearLoadsBackWithTheSameTables) {
    const Ledger month = firstMonth(sampleYear(), Money::cents(150025), path);
    EXPECT_EQ(month.Summary[kBeginningBalance], Money::cents(150025));
    EXPECT_EQ(month.Summary[kDesignatedAtFirst], Money::cents(49975));
    EXPECT_EQ(month.Summary[kRemainingBalance], Money::cents(150025));
    EXPECT_EQ(month.Summary[kDesignatedFundTotals], Money::cents(49975));
    ASSERT_TRUE(saveFirstMonth(month).ok());
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), "");

    const Ledger loaded = load(path);
    EXPECT_EQ(loaded.CurrentFile, path);
    EXPECT_EQ(loaded.BudgetCount, 3);
    EXPECT_EQ(loaded.DesigCount, 2);
    EXPECT_EQ(loaded.BudgetAcctNumber, month.BudgetAcctNumber);
    EXPECT_EQ(loaded.BudgetAcctName, month.BudgetAcctName);
    EXPECT_EQ(loaded.BudgetAmount, month.BudgetAmount);
    EXPECT_EQ(loaded.DesigAcctNumber, month.DesigAcctNumber);
    EXPECT_EQ(loaded.DesigAcctName, month.DesigAcctName);
    EXPECT_EQ(loaded.DesigAmount, month.DesigAmount);
    EXPECT_EQ(loaded.SourceId, month.SourceId);
    EXPECT_EQ(loaded.SourceName, month.SourceName);
    EXPECT_EQ(loaded.SectionStart, month.SectionStart);
    EXPECT_EQ(loaded.Summary, month.Summary);
    EXPECT_EQ(loaded.BudgetAcctNumber[1], "007");
    EXPECT_EQ(loaded.BudgetAmount[2][kSpentInYear], Money::cents(3000000) - Money::fromUnits(15000012345));
}

TEST_F(FirstMonthTest, AJournalWithRecordsIsMovedAsideAndAnEmptyOneIsKept) {
    const std::string stale = std::string(test::keyed("DP", "", Money::cents(99900)).text());
    const struct {
        const char* journal;      // the journal already there
        const char* olderBackup;  // a backup already there, if any
        const char* backup;       // where the records must end up; nullptr: nothing moved
        std::string content;
    } cases[] = {
        {"JAN2027.jrn", nullptr, "JAN2027.jrn.bak", stale},
        {"JAN2027.jrn", "JAN2027.jrn.bak", "JAN2027.jrn.bak2", stale},
        {"JAN2027.JRN", nullptr, "JAN2027.JRN.bak", stale},
        {"JAN2027.jrn", nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.journal) + (c.olderBackup ? " with a backup" : ""));
        test::TestFolder own;
        const std::string monthPath = own.path("JAN2027.rep");
        test::writeFile(own.path(c.journal), c.content);
        if (c.olderBackup) test::writeFile(own.path(c.olderBackup), "an older backup");
        ASSERT_TRUE(saveFirstMonth(firstMonth(sampleYear(), Money::cents(100), monthPath)).ok());
        if (c.backup) {
            EXPECT_EQ(readFile(own.path(c.backup)), stale);
        }
        if (c.olderBackup) {
            EXPECT_EQ(readFile(own.path(c.olderBackup)), "an older backup");
        }
        const auto files = std::distance(std::filesystem::directory_iterator(own.root()), {});
        EXPECT_EQ(files, 2 + (c.backup ? 1 : 0) + (c.olderBackup ? 1 : 0));
        EXPECT_EQ(readFile(own.path("JAN2027.jrn")), "");
        EXPECT_TRUE(load(monthPath).Summary[kTotalReceipts].isZero());
    }
}

TEST_F(FirstMonthTest, AFailedSaveWritesNothingAndPutsTheJournalBack) {
    const std::string stale = std::string(test::keyed("DP", "", Money::cents(100)).text());
    test::writeFile(folder.path("JAN2027.jrn"), stale);
    const Status status = [&] {
        test::FileSizeLimit full(100);
        return saveFirstMonth(firstMonth(sampleYear(), Money::cents(100), path));
    }();
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(path), std::string::npos) << status.message();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), stale);
    EXPECT_FALSE(std::filesystem::exists(folder.path("JAN2027.jrn.bak")));
}

TEST_F(FirstMonthTest, AMonthFileNamedLikeAJournalIsRefused) {
    const std::string journalName = folder.path("JAN2027.jrn");
    const Status status = saveFirstMonth(firstMonth(sampleYear(), Money::cents(100), journalName));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(".rep"), std::string::npos) << status.message();
    EXPECT_FALSE(std::filesystem::exists(journalName));
}

}  // namespace
}  // namespace quorvel
