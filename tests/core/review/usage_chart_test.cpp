// The usage chart carries the usage listing's own figures, marks the accounts spent past the
// share of the year gone (known from the month file's name), and groups them by section.
#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>
#include <tuple>

#include "review/usage.h"
#include "review/usage_chart.h"

namespace quorvel {
namespace {

TEST(UsageChart, ListingFiguresMarkedAgainstTheYearGoneUnderTheirSections) {
    Ledger ledger;
    const std::tuple<const char*, long long, long long> accounts[] = {
        {"050", 120000, 95000}, {"100", 120000, 90000}, {"110", 120000, 91000}, {"120", 0, 0},
        {"130", 0, 2500},       {"", 100, 100},         {"200", 700000, 1},     {"210", -120000, 5000},
        {"220", 120000, -30000}};  // spent against a negative budget; a refund
    for (int row = 1; const auto& [number, budget, spent] : accounts) {
        ledger.BudgetAcctNumber[row] = number;
        ledger.BudgetAcctName[row] = std::string("Account ") + number;
        ledger.BudgetAmount[row][kBudgeted] = Money::cents(budget);
        ledger.BudgetAmount[row++][kSpentInYear] = Money::cents(spent);
    }
    ledger.SectionStart = {"", "100", "200", "150"};  // the third is never met: not a group
    ledger.SectionTitle = {"", "Operations", "Missions", "Lost"};
    const std::vector<std::string> listing = usageLines(ledger);
    ASSERT_EQ(listing.size(), 2u + 8u);  // the row without a number is left out
    EXPECT_EQ(listing[3],
              "100 Account 100                             1200.00       900.00         9.00             ");
    EXPECT_EQ(listing[6].substr(52, 25), "       25.00             ");  // a zero budget has no ratio
    // the month file, the months of the year gone, the accounts past that share
    const std::tuple<const char*, std::optional<int>, std::vector<std::string>> months[] = {
        {"/books/SEP2026.rep", 9, {"050", "110", "130", "210"}},  // 9.00 is not past 9 months, 9.10 is
        {"/books/dec2026.REP", 12, {"130", "210"}},
        {"/books/Budget.rep", std::nullopt, {"130", "210"}},  // spent with no budget: past whatever the month
    };
    for (const auto& [file, gone, expectedPast] : months) {
        SCOPED_TRACE(file);
        ledger.CurrentFile = file;
        const UsageChart chart = usageChart(ledger);
        EXPECT_EQ(chart.monthsGone, gone);
        std::vector<std::string> titles, past;
        std::size_t line = 2;
        for (const UsageGroup& group : chart.groups) {
            titles.push_back(group.title);
            for (const UsageBar& bar : group.bars) {
                ASSERT_LT(line, listing.size());
                EXPECT_EQ(listing[line].substr(0, 3), bar.number);
                char shown[64] = "";
                if (bar.figure.months) std::snprintf(shown, sizeof shown, "%12.2f", *bar.figure.months);
                EXPECT_EQ(listing[line++].substr(65, 12), *shown ? shown : "            ") << bar.number;
                if (bar.pastShare) past.push_back(bar.number);
            }
        }
        EXPECT_EQ(line, listing.size());
        EXPECT_EQ(titles, (std::vector<std::string>{"", "Operations", "Missions"}));
        EXPECT_EQ(past, expectedPast);
    }
}

UsageChart chartOf(const std::vector<std::vector<double>>& sections, bool titled = true) {
    UsageChart chart{12, {}};
    for (const auto& shares : sections) {
        chart.groups.push_back({titled ? "Section" : "", {}});
        for (const double share : shares)
            chart.groups.back().bars.push_back({"100", "", {0, {}, {}, share * 12 / 100}, false});
    }
    return chart;
}

// A few rounded ticks whatever the shares; a share far out ends at the axis's reach. Pages hold at
// most their rows; a section's title stays with an account and repeats on the page its section runs
// on to.
TEST(UsageChart, AxisKeepsAFewRoundedTicksAndPagesKeepSectionTitlesWithTheirAccounts) {
    // shares, the axis, the last share as its bar is drawn
    const std::tuple<std::vector<double>, UsageAxis, double> cases[] = {
        {{50}, {0, 100, 20}, 50},           {{130}, {0, 140, 20}, 130},
        {{50, 1000000}, {0, 200, 25}, 200},  // budget 1.00, spent 10,000.00
        {{-30, 80}, {-40, 100, 20}, 80},    {{-5000, 150}, {-200, 150, 50}, 150},
        {{-5000}, {-200, 100, 50}, -200},
    };
    for (const auto& [shares, expected, drawn] : cases) {
        const UsageAxis axis = usageAxis(chartOf({shares}));
        EXPECT_EQ(axis, expected) << shares.back();
        EXPECT_EQ(shareOnAxis(axis, shares.back()), drawn) << shares.back();
    }
    // accounts in each section, whether titled, rows a page holds, rows on each page
    const std::tuple<std::vector<std::size_t>, bool, int, std::vector<int>> pagings[] = {
        {{}, true, 36, {0}},          {{65}, false, 36, {36, 29}},
        {{65}, true, 36, {36, 31}},    // the title again on the second page
        {{34, 3}, true, 36, {35, 4}},  // not the second title alone at the foot of the first
        {{33, 3}, true, 36, {36, 3}}, {{10, 10, 10, 10, 10, 10, 10}, true, 36, {36, 36, 7}},
    };
    for (const auto& [sections, titled, pageHolds, pageRows] : pagings) {
        std::vector<std::vector<double>> shares;
        for (const std::size_t n : sections) shares.emplace_back(n, 50.0);
        const UsageChart chart = chartOf(shares, titled);
        std::vector<int> rows;
        std::size_t bars = 0;
        for (const UsageChart& page : usageChartPages(chart, pageHolds)) {
            rows.push_back(usageChartRows(page));
            EXPECT_EQ(page.monthsGone, chart.monthsGone);
            for (const UsageGroup& group : page.groups) bars += group.bars.size();
        }
        EXPECT_EQ(rows, pageRows) << sections.size() << " sections, " << pageHolds;
        EXPECT_EQ(bars, static_cast<std::size_t>(std::accumulate(sections.begin(), sections.end(), 0)));
    }
}

}  // namespace
}  // namespace quorvel
