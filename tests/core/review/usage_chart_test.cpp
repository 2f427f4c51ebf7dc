// The usage chart carries the usage listing's own figures, marks the accounts spent past the
// share of the year gone (known from the month file's name), and groups them by section.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "review/usage.h"
#include "review/usage_chart.h"

namespace quorvel {
namespace {

TEST(UsageChart, ListingFiguresMarkedAgainstTheYearGoneUnderTheirSections) {
    Ledger ledger;
    const struct {
        const char* number;
        long long budget, spent;
    } accounts[] = {{"050", 120000, 95000}, {"100", 120000, 90000}, {"110", 120000, 91000},
                    {"120", 0, 0},          {"130", 0, 2500},       {"200", 700000, 1}};
    int row = 1;
    for (const auto& a : accounts) {
        ledger.BudgetAcctNumber[row] = a.number;
        ledger.BudgetAcctName[row] = std::string("Account ") + a.number;
        ledger.BudgetAmount[row][kBudgeted] = Money::cents(a.budget);
        ledger.BudgetAmount[row][kSpentInYear] = Money::cents(a.spent);
        ++row;
    }
    ledger.SectionStart = {"", "100", "200", "150"};  // the third is never met: not a group
    ledger.SectionTitle = {"", "Operations", "Missions", "Lost"};
    const std::vector<std::string> listing = usageLines(ledger);
    const struct {
        const char* file;
        std::optional<int> gone;
        std::vector<std::string> past;
    } months[] = {
        {"/books/SEP2026.rep", 9, {"050", "110", "130"}},  // 9.00 is not past 9 months, 9.10 is
        {"/books/dec2026.REP", 12, {"130"}},
        {"/books/Budget.rep", std::nullopt, {"130"}},  // spent with no budget: past whatever the month
    };
    for (const auto& month : months) {
        ledger.CurrentFile = month.file;
        const UsageChart chart = usageChart(ledger);
        EXPECT_EQ(chart.monthsGone, month.gone) << month.file;
        ASSERT_EQ(chart.groups.size(), 3u);
        EXPECT_EQ(chart.groups[1].title, "Operations");
        EXPECT_EQ(chart.groups[2].title, "Missions");
        std::vector<std::string> past;
        std::size_t line = 2;
        for (const UsageGroup& group : chart.groups) {
            for (const UsageBar& bar : group.bars) {
                ASSERT_LT(line, listing.size());
                EXPECT_EQ(listing[line].substr(0, 3), bar.number);
                char months[64] = "";
                if (bar.figure.months) std::snprintf(months, sizeof months, "%.2f", *bar.figure.months);
                const std::string shown = listing[line].substr(65, 12);
                EXPECT_EQ(shown.substr(std::min(shown.find_first_not_of(' '), shown.size())), months)
                    << bar.number;
                if (bar.pastShare) past.push_back(bar.number);
                ++line;
            }
        }
        EXPECT_EQ(line, listing.size());
        EXPECT_EQ(past, month.past) << month.file;
    }
}

}  // namespace
}  // namespace quorvel
