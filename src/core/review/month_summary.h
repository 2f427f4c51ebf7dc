// The month summary that the main window's list shows: the file line, then each figure
// under a 35-character label, right-aligned in 12 characters.
#pragma once

#include <string>
#include <vector>

#include "ledger/ledger.h"

namespace quorvel {

// Expects totals already recomputed (RecomputeTotals). "Other sources" and "Internal
// Transfers" appear only when their figure is above zero; the other eleven lines always.
std::vector<std::string> monthSummaryLines(const Ledger& ledger);

// A label padded to 35 characters followed by the amount formatted "0.00" in 12.
std::string summaryLine(std::string_view label, Money amount);

}  // namespace quorvel
