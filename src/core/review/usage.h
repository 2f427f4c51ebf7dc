// How many months' worth of each budget account's annual budget has been spent in the year.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledger/ledger.h"

namespace quorvel {

// One numbered account of the usage listing.
struct UsageFigure {
    int row = 0;  // in the budget table
    Money budget;
    Money spent;  // in the year
    // Months' worth of the annual budget spent (spent x 12 / budget); none for a zero budget.
    std::optional<double> months;
};

// The numbered accounts in table order.
std::vector<UsageFigure> usageFigures(const Ledger& ledger);

// Two heading lines, then one line per numbered account: number, name in 30, annual budget,
// spent in the year and the months of usage (two decimals), blank for a zero budget.
std::vector<std::string> usageLines(const Ledger& ledger);

}  // namespace quorvel
