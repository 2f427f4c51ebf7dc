// A month with activity for the report tests, built on the core tests' sample month, and a
// way to write an expected line the way the report places its texts.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ledger/ledger.h"

namespace quorvel::test {

// The sample month with receipts, a transfer, a source note and expenditures:
//   Memorial Fund (01234): 500.00 at the first, 75.00 received of which 25.00 transferred in,
//                          10.00 spent; Organ, Repair: 0.50 at the first, nothing this month
//   Bake Sale 12.50; deposits 600.00; 101 spent 40.00 this month, 7 spent 2.50.
Ledger reportMonth();

// Texts at 1-based columns on one line; a text whose column the line has passed starts a new
// line, as on paper. Lines are joined with "\n".
std::string placed(const std::vector<std::pair<int, std::string>>& texts);

// A line of 90 blanks with the texts written over it, as a report file composes it.
std::string composed(const std::vector<std::pair<int, std::string>>& texts);

}  // namespace quorvel::test
