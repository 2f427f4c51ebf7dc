#include <gtest/gtest.h>

#include <functional>

#include "actions/recording.h"
#include "core/open_month.h"

namespace quorvel {
namespace {

// The sample month opened for recording, as the program holds it.
class RecordingTest : public test::OpenMonthTest {
protected:
    void SetUp() override { open(test::sampleLedger()); }
    RandomBelow random = seededRandom(11);
};

// Each kind writes its records as the journal keeps them; the figures are the replay's.
TEST_F(RecordingTest, EachKindWritesItsRecordsAndMatchesTheReload) {
    const std::pair<std::function<Status(Ledger&, Journal&)>, std::vector<std::string>> cases[] = {
        {[](Ledger& l, Journal& j) { return recordBudgetExpenditure(l, j, 2, "12.50", "check 1234567"); },
         {"BX   102  12.5        check 1234  "}},
        {[](Ledger& l, Journal& j) { return recordDesignatedExpenditure(l, j, 1, "25.00", "ck 9"); },
         {"DX 01234  25          ck 9        "}},
        {[](Ledger& l, Journal& j) { return recordDeposit(l, j, "100.00", "12/06"); },
         {"DP        100         12/06       "}},
        {[](Ledger& l, Journal& j) { return recordDesignation(l, j, 2, "25.00", "memorial"); },
         {"DD 20000 25.00        memorial    "}},
        {[](Ledger& l, Journal& j) { return recordSourceNote(l, j, 1, "12.5", "sale"); },
         {"SX 11111        12.50 sale        "}},
        {[](Ledger& l, Journal& j) { return recordTransfer(l, j, 2, 2, "50.00", "12/10"); },
         {"TO   102 50.00        12/10       ", "TI 20000 50.00        12/10       "}},
    };
    std::size_t written = 0;
    for (const auto& [record, texts] : cases) {
        SCOPED_TRACE(texts[0]);
        ASSERT_TRUE(record(ledger, journal).ok());
        const std::vector<ActionRecord> all = records();
        ASSERT_EQ(all.size(), written + texts.size());
        for (const std::string& text : texts) EXPECT_EQ(all[written++].text(), text);
    }
}

TEST_F(RecordingTest, OverBudgetOnlyWhenStrictlyAboveWhatRemains) {
    EXPECT_FALSE(overBudget(ledger, 1, Money::cents(89950)));  // "Pastor, Salary": 1200.00, 300.50 spent
    EXPECT_TRUE(overBudget(ledger, 1, Money::cents(89951)));
    ledger.BudgetAmount[2][kRemaining] = Money();
    EXPECT_TRUE(overBudget(ledger, 2, Money::cents(1)));
    EXPECT_FALSE(overBudget(ledger, 2, Money()));
}

// A fund made for a transfer is announced in two records; one made for a designation, and a
// source (at the first free row), write none.
TEST_F(RecordingTest, NewFundsAndSources) {
    const auto row = createFund(ledger, journal, "  Christmas Baskets  ", random, true);
    ASSERT_TRUE(row.ok()) << row.message();
    EXPECT_EQ(*row, 3);
    EXPECT_EQ(ledger.DesigAcctName[3], "Christmas Baskets");
    const auto fund = createFund(ledger, journal, "Food Pantry", random, false);
    ASSERT_TRUE(fund.ok());
    EXPECT_EQ(ledger.DesigAcctName[*fund], "Food Pantry");
    const auto source = createSource(ledger, journal, "Building Rental", random);
    ASSERT_TRUE(source.ok());
    EXPECT_EQ(*source, 2);
    EXPECT_EQ(ledger.SourceName[2], "Building Rental");
    const std::vector<ActionRecord> all = records();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].text(), "DN " + ledger.DesigAcctNumber[3] + " 0.00         transfer    ");
    EXPECT_EQ(all[1].text(), "D2 Christmas Baskets              ");
}

TEST_F(RecordingTest, RefusalsSayWhy) {
    EXPECT_EQ(recordDesignatedExpenditure(ledger, journal, 1, "500.01", "").message(), kFundOverdrawn);
    ASSERT_TRUE(recordDesignatedExpenditure(ledger, journal, 1, "500.00", "").ok());  // all that is left
    // The replay finds a transfer's account by all three characters: "7" would never be charged.
    EXPECT_FALSE(canTransferFrom(ledger, 3));
    EXPECT_TRUE(
        test::holds(recordTransfer(ledger, journal, 3, 1, "50.00", "").message(), "three-digit number"));
    EXPECT_TRUE(
        test::holds(recordBudgetExpenditure(ledger, journal, 1, "100000000.00", "").message(), "too large"));
    EXPECT_TRUE(test::holds(createFund(ledger, journal, "The \"Good\" Fund", random, false).message(),
                            "double quote"));
    EXPECT_FALSE(createSource(ledger, journal, "Bad\x81", random).ok());
    // Longer than the transfer's record holds, or the name of another fund or source.
    // clang-format off
    const std::pair<bool, const char*> names[] = {
        {true, "Christmas Baskets for Families"}, {true, ledger.DesigAcctName[1].c_str()},
        {false, "bake sale"}, {false, "X"}};
    // clang-format on
    for (const auto& [fund, name] : names) {
        EXPECT_FALSE(fund ? createFund(ledger, journal, name, random, true).ok()
                          : createSource(ledger, journal, name, random).ok())
            << name;
    }
    // No room left for one more fund or source.
    for (int f = 3; f <= kLastWorkingRow; ++f) {
        ledger.DesigAcctName[f] = "Fund " + std::to_string(f);
        ledger.DesigAcctNumber[f] = "1" + std::to_string(1000 + f);
    }
    for (int k = 2; k <= kLastSourceRow; ++k) ledger.SourceId[k] = "2" + std::to_string(1000 + k);
    RecomputeTotals(ledger);
    EXPECT_EQ(createFund(ledger, journal, "One Too Many", random, true).message(), kOutOfFundSpace);
    EXPECT_EQ(createSource(ledger, journal, "One Too Many", random).message(), kOutOfSourceSpace);
}

}  // namespace
}  // namespace quorvel
