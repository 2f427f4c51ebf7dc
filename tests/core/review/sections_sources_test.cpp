#include <gtest/gtest.h>

#include <tuple>

#include "core/open_month.h"
#include "ledger/ledger_routines.h"
#include "review/sections.h"
#include "review/sources_and_balance.h"

namespace quorvel {
namespace {

// Ten accounts 100, 110, ..., 190 in rows 1..10 and no sections.
Ledger accountsOnly() {
    Ledger l;
    ClearLedger(l);
    for (int i = 1; i <= 10; ++i) {
        l.BudgetAcctNumber[i] = std::to_string(90 + 10 * i);
        l.BudgetAcctName[i] = "Account " + std::to_string(i);
    }
    l.BudgetCount = 10;
    return l;
}

// Refusals add nothing; sections added out of order stand in order, and one deleted, the next moves up.
TEST(Sections, RefusalsAddNothingAndSectionsStandInOrder) {
    Ledger l = accountsOnly();
    EXPECT_EQ(addSection(l, 0, "Title").message(), kSectionNeedsBudgetItem);
    EXPECT_EQ(addSection(l, 11, "Title").message(), kSectionNeedsBudgetItem);
    EXPECT_TRUE(test::holds(addSection(l, 1, "The \"Big\" One").message(), "double quote"));
    for (const auto& [row, number, title] : {std::tuple{1, "300", "Outreach"}, std::tuple{2, "100", "Staff"},
                                             std::tuple{3, "200", "Building"}}) {
        l.BudgetAcctNumber[row] = number;
        ASSERT_TRUE(addSection(l, row, title).ok());
    }
    // A second section at an account that starts one would hide every later heading.
    EXPECT_TRUE(test::holds(addSection(l, 2, "Again").message(), "already starts"));
    EXPECT_EQ(sectionLines(l, kSectionsTitle),
              (std::vector<std::string>{kSectionsTitle, "100 Staff", "200 Building", "300 Outreach"}));
    removeSection(l, 2);
    EXPECT_EQ(l.SectionStart, (std::array<std::string, kSections + 1>{"", "100", "300"}));  // none on row 0
    EXPECT_EQ(sectionLines(l, kSectionsAfterDeleteTitle),
              (std::vector<std::string>{kSectionsAfterDeleteTitle, "100 Staff", "300 Outreach"}));
}

// Nine are shown and added at most; a tenth from the file stays out of sight until one goes.
TEST(Sections, NineAreTheMostAndAnEmptyTitleIsAccepted) {
    Ledger l = accountsOnly();
    for (int i = 1; i <= kShownSections; ++i) ASSERT_TRUE(addSection(l, i, i == 5 ? "" : "S").ok()) << i;
    EXPECT_EQ(sectionsInUse(l), 9);
    EXPECT_EQ(sectionLines(l, kSectionsTitle)[5], "140 ");
    EXPECT_EQ(addSection(l, 10, "Tenth").message(), kSectionLimit);
    EXPECT_EQ(l.SectionStart[10], "");

    l.SectionStart[10] = l.BudgetAcctNumber[10];
    l.SectionTitle[10] = "S10";
    EXPECT_EQ(sectionLines(l, kSectionsTitle).size(), 10u);  // the title and nine
    removeSection(l, 9);
    EXPECT_EQ(sectionLines(l, kSectionsTitle).back(), "190 S10");
    EXPECT_EQ(l.SectionStart[10], "");
}

using SampleMonth = test::OpenMonthTest;

// The sample month's sections, one at the short number "7", and its sources as listed; each window's
// save changes its own part of the month and nothing else.
TEST_F(SampleMonth, SectionsSourcesAndTheBeginningBalanceListedAndSaved) {
    open(test::sampleLedger(), {test::keyed("SX", "11111", Money::cents(700))});
    EXPECT_EQ(sectionLines(ledger, kSectionsTitle),
              (std::vector<std::string>{kSectionsTitle, "101 Operations", "7 Other"}));
    EXPECT_EQ(sectionBudgetLines(ledger), (std::vector<std::string>{kSectionBudgetTitle, "101 Pastor, Salary",
                                                                    "102 Utilities", "7 Short Number"}));
    Ledger listed = ledger;  // a source on row 3, past an empty row 2
    listed.SourceId[3] = "33333";
    listed.SourceName[3] = "Rental";
    listed.SourceAmount[3] = Money::cents(12345);
    const SourceList list = sourceListLines(listed);
    EXPECT_EQ(
        list.lines,
        (std::vector<std::string>{
            kSourceListTitle,
            "Bake Sale                                      7.00                                    001",
            "Rental                                       123.45                                    003"}));
    EXPECT_EQ(list.rows, (std::vector<int>{0, 1, 3}));

    Ledger edited = ledger;
    ASSERT_TRUE(addSection(edited, 2, "Building").ok());
    edited.BudgetAcctName[1] = "not part of the sections";
    ASSERT_TRUE(saveSections(ledger, journal, edited).ok());
    EXPECT_EQ(ledger.SectionStart[2] + " " + ledger.SectionTitle[2], "102 Building");
    EXPECT_EQ(ledger.BudgetAcctName[1], "Pastor, Salary");

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
