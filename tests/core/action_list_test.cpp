#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "review/action_list.h"

namespace quorvel {
namespace {

using test::bx;
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

TEST(ActionList, GoldenLinesOfEveryKind) {
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
}

TEST(ActionList, CashViewAndFiltersByBudgetFundOrSource) {
    const Ledger ledger = test::sampleLedger();
    const struct {
        const char* key;  // none: the cash view
        std::vector<std::int64_t> numbers;
    } cases[] = {
        {nullptr, {0, 1, 2, 3, 11}},  // expenditures and deposits only
        {"  101", {0, 1}},           {"  102", {0, 7}},
        {"01234", {0, 2}},           {"20000", {0, 4, 8}},  // DN is never listed
        {"11111", {0, 9}},
    };
    for (const auto& c : cases) {
        ActionListFilter filter;
        filter.cashOnly = c.key == nullptr;
        if (c.key) filter.key = c.key;
        EXPECT_EQ(actionListLines(ledger, monthOfEveryKind(), filter).recordNumbers, c.numbers)
            << (c.key ? c.key : "cash");
    }
    EXPECT_EQ(actionListLines(ledger, {}).lines, std::vector<std::string>{kActionListTitle});
}

// Past 999 records the number widens instead of being cut, so a line still names its record.
TEST(ActionList, RecordNumbersPastNineHundredNinetyNine) {
    std::vector<ActionRecord> records(1000, keyed("DP", "", Money::cents(100)));
    const ActionList list = actionListLines(test::sampleLedger(), records);
    ASSERT_EQ(list.lines.size(), 1001u);
    EXPECT_EQ(list.lines[999].substr(87), "999");
    EXPECT_EQ(list.lines[1000].substr(87), "1000");
    EXPECT_EQ(list.recordNumbers[1000], 1000);
}

}  // namespace
}  // namespace quorvel
