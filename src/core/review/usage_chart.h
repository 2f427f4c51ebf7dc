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
    // Spent beyond the share of the year gone, or spent with no budget at all.
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

}  // namespace quorvel
