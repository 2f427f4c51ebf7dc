// Starting the next month: its name, its files and the balances it carries forward.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/file_faults.h"
#include "ledger/month_file.h"
#include "ledger/month_names.h"
#include "ledger/rollover.h"

namespace quorvel {
namespace {

using test::readFile;
using test::TestFolder;

// A month with spending, receipts, a transfer and a source note, loaded as the program holds it.
class RolloverTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMonth(
            test::sampleLedger(), current,
            {test::bx("101", Money::cents(4000)), test::keyed("DP", "", Money::cents(50000)),
             test::keyed("DD", "01234", Money::cents(2500)), test::keyed("DX", "20000", Money::cents(25)),
             test::to("102", Money::cents(1000)), composeKeyedRecord("TI", "20000", "10.00", ""),
             test::keyed("SX", "11111", Money::cents(1250))});
        ASSERT_TRUE(LoadMonthFile(ledger, journal, current).ok());
        closed = ledger;
        oldMonthBytes = readFile(current);
        oldJournalBytes = readFile(folder.path("NOV2026.jrn"));
    }

    void expectOldMonthUntouched() {
        EXPECT_EQ(readFile(current), oldMonthBytes);
        EXPECT_EQ(readFile(folder.path("NOV2026.jrn")), oldJournalBytes);
    }

    TestFolder folder;
    const std::string current = folder.path("NOV2026.rep");
    Ledger ledger, closed;
    Journal journal;
    std::string oldMonthBytes, oldJournalBytes;
};

// A new month carries the year's spending forward; a fresh year starts every budget again.
TEST_F(RolloverTest, BalancesAreCarriedForward) {
    for (const auto& [kind, name] : {std::pair(RolloverKind::NewMonth, "DEC2026.rep"),
                                     std::pair(RolloverKind::FreshYear, "JAN2027.rep")}) {
        const bool freshYear = kind == RolloverKind::FreshYear;
        const std::string path = folder.path(name);
        ASSERT_TRUE(LoadMonthFile(ledger, journal, current).ok());
        ledger.SourceId[kLastSourceRow] = "55555";  // the last row goes too
        ASSERT_TRUE(rollOver(ledger, journal, path, kind).ok());
        EXPECT_EQ(ledger.CurrentFile, path);
        EXPECT_TRUE(ledger.SourceId[kLastSourceRow].empty());
        EXPECT_FALSE(journal.isOpen());
        expectOldMonthUntouched();
        EXPECT_EQ(std::filesystem::file_size(Journal::pathFor(path)), 0u);

        const Ledger next = test::loadMonth(path).ledger;
        EXPECT_EQ(next.Summary[kBeginningBalance], closed.Summary[kRemainingBalance]);
        for (int j = kUndesignatedReceipts; j <= kTotalExpenditures; ++j)
            EXPECT_TRUE(next.Summary[j].isZero()) << j;
        for (int i = 1; i <= 3; ++i) {
            const AmountRow& was = closed.BudgetAmount[i];
            EXPECT_EQ(next.BudgetAmount[i][kBudgeted], was[kBudgeted]) << i;
            EXPECT_EQ(next.BudgetAmount[i][kSpentInYear], freshYear ? Money() : was[kSpentInYear]) << i;
            EXPECT_TRUE(next.BudgetAmount[i][kSpentInMonth].isZero()) << i;
        }
        for (int f = 1; f <= 2; ++f)
            EXPECT_EQ(next.DesigAmount[f][kAtFirstOfMonth], closed.DesigAmount[f][kFundRemaining]) << f;
        EXPECT_TRUE(next.SourceId[1].empty());  // deposit sources do not carry over
    }
}

// When the new month cannot be saved the open month stays open. "The new month was not saved"
// was once said of a month file that was saved and loads, when only its journal was not made.
TEST_F(RolloverTest, AFailedSaveKeepsTheOpenMonthAndAJournalNotMadeKeepsTheSavedOne) {
    const std::string path = folder.path("DEC2026.rep");
    const Status failed = [&] {
        test::FileSizeLimit full(100);
        return rollOver(ledger, journal, path, RolloverKind::NewMonth);
    }();
    ASSERT_FALSE(failed.ok());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ledger.CurrentFile, current);
    EXPECT_TRUE(journal.isOpen());

    ScopedFileFault full([&](FileStep step, const std::string& at) {
        return step == FileStep::Open && at == folder.path("DEC2026.jrn") ? ENOSPC : 0;
    });
    const Status status = rollOver(ledger, journal, path, RolloverKind::NewMonth);
    EXPECT_TRUE(status.tookEffect());
    EXPECT_TRUE(test::holds(status.message(), path + " is saved as the new month, but its journal"));
    EXPECT_EQ(ledger.CurrentFile, path);
    EXPECT_FALSE(journal.isOpen());
    EXPECT_EQ(test::loadMonth(path).ledger.Summary[kBeginningBalance], closed.Summary[kRemainingBalance]);
}

// A copy over another month keeps that month's journal recoverable (its file is kept as any
// replaced month file is), and shares nothing with the open month.
// The journal itself, and a name whose journal is the open month's, count as the open month.
TEST_F(RolloverTest, CopyOverAnotherMonthKeepsItsBackupAndNeverOverTheOpenMonth) {
    for (const std::string& path : {current, folder.path("NOV2026.jrn"), folder.path("NOV2026.REP")}) {
        EXPECT_TRUE(
            test::holds(rollOver(ledger, journal, path, RolloverKind::NewMonth).message(), "open now"));
        EXPECT_FALSE(copyMonth(ledger, journal, path).ok()) << path;
    }
    EXPECT_EQ(ledger.CurrentFile, current);
    expectOldMonthUntouched();
    const std::string target = folder.path("JAN2027.rep");
    Ledger other = test::sampleLedger();
    other.BudgetAcctName[1] = "Other month";
    test::writeMonth(other, target, {test::keyed("DP", "", Money::cents(900))});
    const std::string targetMonth = readFile(target), targetJournal = readFile(folder.path("JAN2027.jrn"));
    ASSERT_TRUE(copyMonth(ledger, journal, target).ok());
    EXPECT_EQ(readFile(target + ".bak"), targetMonth);
    EXPECT_EQ(readFile(target), oldMonthBytes);
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), oldJournalBytes);
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn.bak")), targetJournal);
    ASSERT_TRUE(journal.append(test::keyed("DP", "", Money::cents(100))).ok());
    EXPECT_EQ(readFile(folder.path("JAN2027.jrn")), oldJournalBytes);
}

TEST(NextMonthName, FollowsTheCalendarInTheNamesOwnCaseAndExtension) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"NOV2026.rep", "DEC2026.rep", false}, {"DEC2026.rep", "JAN2027.rep", true},
        {"jan2027.REP", "feb2027.REP", false}, {"Sep2026.rep", "Oct2026.rep", false},
        {"DEC0999.rep", "JAN1000.rep", true},  {"AUG2026", "SEP2026", false}};
    for (const auto& [given, following, startsYear] : cases) {
        const auto next = nextMonthName(given);
        ASSERT_TRUE(next.has_value()) << given;
        EXPECT_EQ(next->name, following) << given;
        EXPECT_EQ(next->startsYear, startsYear) << given;
        EXPECT_EQ(previousMonthName(following), given) << following;
    }
    for (const char* notAMonth :
         {"BUDGET.rep", "DEC26.rep", "XYZ2026.rep", "DEC20a6.rep", "DEC9999.rep", ".rep", ""})
        EXPECT_FALSE(nextMonthName(notAMonth).has_value()) << notAMonth;
}

}  // namespace
}  // namespace quorvel
