#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "ledger/ledger_routines.h"
#include "review/month_summary.h"

namespace quorvel {
namespace {

TEST(MonthSummary, ElevenLinesWithoutSourcesOrTransfers) {
    Ledger l = test::sampleLedger();
    l.CurrentFile = "/books/NOV2026.rep";
    const std::vector<std::string> expected = {
        "   File loaded is /books/NOV2026.rep",
        "Beginning Balance                       1000.75",
        "Undesignated Receipts                      0.00",
        "Designated Receipts                        0.00",
        "Budget Expenditures                        0.00",
        "Designated Expenditures                    0.00",
        " ",
        "Remaining Balance                       1000.75",
        " ",
        "Undesignated Funds remaining             500.25",
        "Designated Fund Totals                   500.50",
    };
    EXPECT_EQ(monthSummaryLines(l), expected);
}

TEST(MonthSummary, OtherSourcesAndTransfersAppearWhenAboveZero) {
    Ledger l = test::sampleLedger();
    l.Summary[kTotalReceipts] = Money::cents(20000);
    l.SourceAmount[1] = Money::cents(1250);
    l.DesigAmount[1][kReceivedInMonth] = Money::cents(3000);
    l.TransferAmount[1] = Money::cents(1000);
    l.BudgetAmount[1][kSpentInMonth] = Money::cents(1000);
    RecomputeTotals(l);
    const auto lines = monthSummaryLines(l);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[2], "Undesignated Receipts                    167.50");
    EXPECT_EQ(lines[3], "Other sources                             12.50");
    EXPECT_EQ(lines[4], "Designated Receipts                       20.00");
    EXPECT_EQ(lines[5], "Internal Transfers                        10.00");

    l.SourceAmount[1] = Money::cents(-1250);  // only a positive total is shown
    l.TransferAmount[1] = Money();
    RecomputeTotals(l);
    EXPECT_EQ(monthSummaryLines(l).size(), 11u);
}

TEST(MonthSummary, FiguresStayInTheirTwelveCharacters) {
    EXPECT_EQ(summaryLine("Remaining Balance", Money::cents(-1250)),
              "Remaining Balance                        -12.50");
    // A figure wider than the field keeps its leftmost twelve characters.
    EXPECT_EQ(summaryLine("Big", Money::cents(123456789012345)),
              "Big" + std::string(32, ' ') + "123456789012");
}

}  // namespace
}  // namespace quorvel
