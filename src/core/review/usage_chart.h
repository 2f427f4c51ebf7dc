// The usage listing's figures as a chart draws them: for each budget account the share of its
// annual budget spent in the year against the share of the year gone, the accounts grouped
// under their report sections. The figures are the listing's own (usageFigures).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledger/ledger.h"
#include "review/usage.h"

namespace quorvel {

struct UsageBar {
    std::string number;
    std::string name;
    UsageFigure figure;
    // Spent beyond the share of the year gone, or spent against a zero or negative budget.
    bool pastShare = false;
};

struct UsageGroup {
    std::string title;  // the section's; empty for accounts before the first section
    std::vector<UsageBar> bars;
};

struct UsageChart {
    // Months of the year gone at the month's end; none when the month file's name does not
    // say which month it is, and then no account is marked.
    std::optional<int> monthsGone;
    std::vector<UsageGroup> groups;
};

// The chart of the loaded month; the months gone come from the name of `ledger.CurrentFile`.
UsageChart usageChart(const Ledger& ledger);

// The chart's share axis, in percent of the annual budget: from `low` to `high` by `step`, a
// handful of rounded ticks. It reaches at most kUsageAxisReach either side of zero, so one
// account spent a hundredfold does not flatten the rest; a bar longer than that ends at the
// axis's end, and its label keeps the real share.
inline constexpr double kUsageAxisReach = 200;
struct UsageAxis {
    double low = 0;
    double high = 100;
    double step = 25;
    bool operator==(const UsageAxis&) const = default;
};
UsageAxis usageAxis(const UsageChart& chart);
// The percent a bar of `share` percent is drawn to on `axis`.
double shareOnAxis(const UsageAxis& axis, double share);

// The chart in pages of at most `rows` rows (an account's bar or a section's title; at least
// two), each page under the whole chart's months gone. A section's title is never left at the
// foot of a page without an account under it; a section running on to the next page repeats
// its title there.
std::vector<UsageChart> usageChartPages(const UsageChart& chart, int rows);
// The rows of a chart or page.
int usageChartRows(const UsageChart& chart);

}  // namespace quorvel
