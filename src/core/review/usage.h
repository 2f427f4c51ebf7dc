// How many months' worth of each budget account's annual budget has been spent in the year.
#pragma once

#include <string>
#include <vector>

#include "ledger/ledger.h"

namespace quorvel {

// Two heading lines, then one line per numbered account: number, name in 30, annual budget,
// spent in the year and the months of usage (spent x 12 / budget), blank for a zero budget.
std::vector<std::string> usageLines(const Ledger& ledger);

}  // namespace quorvel
