#include <gtest/gtest.h>

#include "core/review/open_month.h"
#include "review/sources_and_balance.h"

namespace quorvel {
namespace {

TEST(SourceList, EachLineCarriesItsOwnRowAcrossAGap) {
    Ledger ledger = test::sampleLedger();
    ledger.SourceId[3] = "33333";
    ledger.SourceName[3] = "Rental";
    ledger.SourceAmount[3] = Money::cents(12345);
    const SourceList list = sourceListLines(ledger);
    EXPECT_EQ(
        list.lines,
        (std::vector<std::string>{
            kSourceListTitle,
            "Bake Sale                                      0.00                                    001",
            "Rental                                       123.45                                    003"}));
    EXPECT_EQ(list.rows, (std::vector<int>{0, 1, 3}));
}

using SourcesAndBalance = test::OpenMonthTest;

TEST_F(SourcesAndBalance, RenameAndBalanceAreSavedAndReloaded) {
    open(test::sampleLedger(), {test::keyed("SX", "11111", Money::cents(700))});
    ASSERT_TRUE(renameSource(ledger, journal, 1, " Bake Sale, Spring  ").ok());
    EXPECT_EQ(ledger.SourceName[1], "Bake Sale, Spring");
    EXPECT_EQ(ledger.SourceAmount[1], Money::cents(700));
    ledger.SourceId[2] = "22222";  // a second source, for the duplicate below
    ledger.SourceName[2] = "Rental";
    // A one-character name would hide the source and every later one from the source list.
    for (const auto& [name, reason] :
         {std::pair{"\"quoted\"", "double quote"}, std::pair{"X", "two characters"},
          std::pair{" RENTAL", "already exists"},
          std::pair{"A name longer than the list has room for", "longer than 39"}})
        EXPECT_TRUE(test::holds(renameSource(ledger, journal, 1, name).message(), reason));

    EXPECT_EQ(beginningBalanceLine(ledger), "Starting balance is currently 1000.75");
    const Money remaining = ledger.Summary[kRemainingBalance];
    ASSERT_TRUE(replaceBeginningBalance(ledger, journal, "68,412.55").ok());
    EXPECT_EQ(ledger.Summary[kRemainingBalance], remaining + Money::cents(6841255 - 100075));
    ledger.Summary[kBeginningBalance] = Money::cents(50);
    EXPECT_EQ(beginningBalanceLine(ledger), "Starting balance is currently 0.5");
}

}  // namespace
}  // namespace quorvel
