#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "ledger/ledger_routines.h"
#include "review/action_list.h"
#include "review/month_summary.h"

namespace quorvel {
namespace {

TEST(MonthSummary, ElevenLinesFiguresInTwelveCharactersSourcesAndTransfersWhenAboveZero) {
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
    EXPECT_EQ(summaryLine("Remaining Balance", Money::cents(-1250)),
              "Remaining Balance                        -12.50");
    // A figure wider than the field keeps its leftmost twelve characters.
    EXPECT_EQ(summaryLine("Big", Money::cents(123456789012345)),
              "Big" + std::string(32, ' ') + "123456789012");

    // Other sources and transfers appear when above zero.
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

using test::keyed;

std::vector<ActionRecord> monthOfEveryKind() {
    return {
        composeBudgetRecord("BX", "101", " 40", "ck 1001"),                              // 1
        composeKeyedRecord("DX", "01234", " 12.5", "ck 1002"),                           // 2
        composeKeyedRecord("DP", "", " 500", "12/06"),                                   // 3
        composeKeyedRecord("DD", "20000", "25.00", "12/06"),                             // 4
        composeFundCreated("20000"),                                                     // 5: never listed
        composeFundName("Organ, Repair"),                                                // 6: never listed
        composeBudgetRecord("TO", "102", "50.00", "12/07"),                              // 7
        composeKeyedRecord("TI", "20000", "50.00", "12/07"),                             // 8
        composeKeyedRecord("SX", "11111", *amountAsRight(Money::cents(1250)), " rent"),  // 9
        cancelledRecord(CancelReason::Canceled),                                         // 10
        composeBudgetRecord("BX", "999", " 1", ""),  // 11: no such account
    };
}

TEST(ActionList, GoldenLinesOfEveryKindAndRecordNumbersPastNineHundredNinetyNine) {
    const ActionList list = actionListLines(test::sampleLedger(), monthOfEveryKind());
    const std::vector<std::string> expected = {
        "                - Actions Taken for This Report -",
        "Budget Expenditure       101 Pastor, Salary                    40.00        ck 1001    001",
        "Designated Expenditure       Memorial Fund                     12.50        ck 1002    002",
        "Deposit -                                                     500.00        12/06      003",
        "Designation -                Organ, Repair                     25.00        12/06      004",
        "Transfer Out             102 Utilities                         50.00        12/07      007",
        "Transfer In                  Organ, Repair                     50.00        12/07      008",
        "Note Deposit Source          Bake Sale                         12.50         rent      009",
        "      - this action item has been cancelled -                                          010",
        "Budget Expenditure       999                                    1.00                   011",
    };
    EXPECT_EQ(list.lines, expected);
    EXPECT_EQ(list.recordNumbers, (std::vector<std::int64_t>{0, 1, 2, 3, 4, 7, 8, 9, 10, 11}));

    // Past 999 records the number widens instead of being cut, so a line still names its record.
    std::vector<ActionRecord> records(1000, keyed("DP", "", Money::cents(100)));
    const ActionList many = actionListLines(test::sampleLedger(), records);
    ASSERT_EQ(many.lines.size(), 1001u);
    EXPECT_EQ(many.lines[999].substr(87), "999");
    EXPECT_EQ(many.lines[1000].substr(87), "1000");
    EXPECT_EQ(many.recordNumbers[1000], 1000);
}

TEST(ActionList, CashViewAndFiltersByBudgetFundOrSource) {
    const Ledger ledger = test::sampleLedger();
    // No key: the cash view.
    const std::pair<const char*, std::vector<std::int64_t>> cases[] = {
        {nullptr, {0, 1, 2, 3, 11}},  // expenditures and deposits only
        {"  101", {0, 1}},           {"  102", {0, 7}},
        {"01234", {0, 2}},           {"20000", {0, 4, 8}},  // DN is never listed
        {"11111", {0, 9}},
    };
    for (const auto& [key, numbers] : cases) {
        ActionListFilter filter;
        filter.cashOnly = key == nullptr;
        if (key) filter.key = key;
        EXPECT_EQ(actionListLines(ledger, monthOfEveryKind(), filter).recordNumbers, numbers)
            << (key ? key : "cash");
    }
    EXPECT_EQ(actionListLines(ledger, {}).lines, std::vector<std::string>{kActionListTitle});
}

}  // namespace
}  // namespace quorvel
