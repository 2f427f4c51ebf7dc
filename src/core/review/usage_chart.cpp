#include "usage_chart.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ledger/month_names.h"
#include "review/sections.h"

namespace quorvel {
namespace {

constexpr int kMostSteps = 8;

// The smallest of 1, 2, 2.5 and 5 times a power of ten that spans `width` in at most kMostSteps steps.
double roundStep(double width) {
    const double rough = width / kMostSteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0})
        if (factor * power >= rough) return factor * power;
    return 10 * power;
}

}  // namespace

UsageChart usageChart(const Ledger& ledger) {
    UsageChart chart;
    if (const auto named = monthOfName(std::filesystem::path(ledger.CurrentFile).filename().string()))
        chart.monthsGone = named->month;
    const auto sections = budgetRowSections(ledger);
    int section = 0;
    for (const UsageFigure& figure : usageFigures(ledger)) {
        if (sections[figure.row] != section || chart.groups.empty()) {
            section = sections[figure.row];
            chart.groups.push_back({section ? ledger.SectionTitle[section] : std::string(), {}});
        }
        const bool past = figure.budget <= Money()
                              ? figure.spent > Money()
                              : chart.monthsGone && figure.months && *figure.months > *chart.monthsGone;
        chart.groups.back().bars.push_back(
            {ledger.BudgetAcctNumber[figure.row], ledger.BudgetAcctName[figure.row], figure, past});
    }
    return chart;
}

UsageAxis usageAxis(const UsageChart& chart) {
    double low = 0;
    double high = 100;
    for (const UsageGroup& group : chart.groups) {
        for (const UsageBar& bar : group.bars) {
            const double share = bar.figure.months.value_or(0) * 100 / 12;
            low = std::min(low, share);
            high = std::max(high, share);
        }
    }
    low = std::max(low, -kUsageAxisReach);
    high = std::min(high, kUsageAxisReach);
    UsageAxis axis;
    axis.step = roundStep(high - low);
    axis.low = std::floor(low / axis.step) * axis.step;
    axis.high = std::ceil(high / axis.step) * axis.step;
    return axis;
}

double shareOnAxis(const UsageAxis& axis, double share) { return std::clamp(share, axis.low, axis.high); }

int usageChartRows(const UsageChart& chart) {
    std::size_t rows = 0;
    for (const UsageGroup& group : chart.groups) rows += group.bars.size() + (group.title.empty() ? 0 : 1);
    return static_cast<int>(rows);
}

std::vector<UsageChart> usageChartPages(const UsageChart& chart, int rows) {
    rows = std::max(rows, 2);
    std::vector<UsageChart> pages;
    int used = rows;  // no page yet
    for (const UsageGroup& group : chart.groups) {
        const int title = group.title.empty() ? 0 : 1;
        bool opened = false;
        for (const UsageBar& bar : group.bars) {
            if (used + (opened ? 1 : title + 1) > rows) {
                pages.push_back({chart.monthsGone, {}});
                used = 0;
                opened = false;
            }
            if (!opened) {
                pages.back().groups.push_back({group.title, {}});
                used += title;
                opened = true;
            }
            pages.back().groups.back().bars.push_back(bar);
            ++used;
        }
    }
    if (pages.empty()) pages.push_back({chart.monthsGone, {}});
    return pages;
}

}  // namespace quorvel
