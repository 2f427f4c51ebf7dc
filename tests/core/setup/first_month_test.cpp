// The first month of a set-up year: written, loaded again, and the journal of that name.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/reload_check.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "setup/first_month.h"

namespace quorvel {
namespace {

using test::readFile;

AnnualSetup sampleYear() {
    AnnualSetup setup;
    const std::tuple<const char*, const char*, Money, Money> accounts[] = {
        {"300", "Missions, Local", Money::cents(240000), Money::cents(240000)},
        {"007", "Office \x80 Supplies", Money::cents(120000), Money::cents(90000)},
        {"101", "Pastor", Money::cents(3000000), Money::fromUnits(15000012345)},
    };
    for (const auto& [number, name, budget, balance] : accounts)
        EXPECT_TRUE(setup.addBudgetAccount(number, name, budget, balance).ok()) << name;
    EXPECT_TRUE(setup.addFund("Memorial Fund", Money::cents(50000), seededRandom(5)).ok());
    EXPECT_TRUE(setup.addFund("Organ, Repair", Money::cents(-25), seededRandom(6)).ok());
    return setup;
}

class FirstMonthTest : public ::testing::Test {
protected:
    test::TestFolder folder;
    std::string path = folder.path("JAN2027.rep");
    const std::string stale = std::string(test::keyed("DP", "", Money::cents(99900)).text());
};

TEST_F(FirstMonthTest, AJournalWithRecordsIsMovedAsideAndAnEmptyOneIsKept) {
    // the journal already there, a backup already there, where its records end up (none: it was empty)
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"JAN2027.jrn", nullptr, "JAN2027.jrn.bak"},
        {"JAN2027.jrn", "JAN2027.jrn.bak", "JAN2027.jrn.bak2"},
        {"JAN2027.JRN", nullptr, "JAN2027.JRN.bak"},
        {"JAN2027.jrn", nullptr, nullptr},
    };
    for (const auto& [journal, olderBackup, backup] : cases) {
        SCOPED_TRACE(std::string(journal) + (olderBackup ? " with a backup" : ""));
        test::TestFolder own;
        test::writeFile(own.path(journal), backup ? stale : "");
        if (olderBackup) test::writeFile(own.path(olderBackup), "an older backup");
        const Ledger month = firstMonth(sampleYear(), Money::cents(100), own.path("JAN2027.rep"));
        ASSERT_TRUE(saveFirstMonth(month).ok());
        if (backup) {
            EXPECT_EQ(readFile(own.path(backup)), stale);
        }
        if (olderBackup) {
            EXPECT_EQ(readFile(own.path(olderBackup)), "an older backup");
        }
        const auto files = std::distance(std::filesystem::directory_iterator(own.root()), {});
        EXPECT_EQ(files, 2 + (backup ? 1 : 0) + (olderBackup ? 1 : 0));
        EXPECT_EQ(readFile(own.path("JAN2027.jrn")), "");
        EXPECT_TRUE(test::sameAsReload(month));  // the old records are not replayed
    }
}

TEST_F(FirstMonthTest, TheYearsFiguresOpenTheMonthAndAFailedSaveWritesNothing) {
    const Ledger month = firstMonth(sampleYear(), Money::cents(150025), path);
    EXPECT_EQ(month.Summary[kBeginningBalance], Money::cents(150025));
    EXPECT_EQ(month.Summary[kDesignatedAtFirst], Money::cents(49975));
    EXPECT_EQ(month.Summary[kRemainingBalance], Money::cents(150025));
    EXPECT_EQ(month.Summary[kDesignatedFundTotals], Money::cents(49975));
    EXPECT_EQ(month.BudgetAcctNumber[1], "007");
    EXPECT_EQ(month.BudgetAmount[2][kSpentInYear], Money::cents(3000000) - Money::fromUnits(15000012345));

    // The journal moved aside is put back.
    test::writeFile(folder.path("JAN2027.jrn"), stale);
    const Status status = [&] {
        test::FileSizeLimit full(100);
        return saveFirstMonth(month);
    }();
    EXPECT_NE(status.message().find(path), std::string::npos) << status.message();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), stale);
    EXPECT_FALSE(std::filesystem::exists(folder.path("JAN2027.jrn.bak")));

    // A month named as a journal is refused.
    const Status refused =
        saveFirstMonth(firstMonth(sampleYear(), Money::cents(100), folder.path("JAN2027.jrn")));
    EXPECT_NE(refused.message().find(".rep"), std::string::npos) << refused.message();
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), stale);
}

}  // namespace
}  // namespace quorvel
