// Routines that act on the ledger as a whole.
#pragma once

#include <functional>
#include <string>

#include "ledger.h"

namespace quorvel {

// Empties the account tables, summary and sections; sources get the name "0" (their ids
// are kept). Transfer slots, CurrentFile and row 0 are left alone.
void ClearLedger(Ledger& ledger);

// Derives budget column 4, the month summary, the sources' total and DesigCount.
// Summary(1) and Summary(4) are inputs; DesigAmount column 4 is kept by the journal replay.
void RecomputeTotals(Ledger& ledger);

// Exchange sort of budget rows 1..n by account number in byte order ("099" < "100" < "20"),
// where n is the highest row below 100 in use. Row 0 is the holding place, so it keeps a
// copy of the last row moved. Sets BudgetCount = n when there are at least two rows.
void SortBudgetAccounts(Ledger& ledger);

// A random source of whole numbers in [0, bound).
using RandomBelow = std::function<int(int bound)>;

// The process-wide generator, seeded from the clock at first use.
RandomBelow clockSeededRandom();
// A repeatable generator, for the demo and tests.
RandomBelow seededRandom(unsigned seed);

// A five-digit identifier below 30000 used by no designated fund and no deposit source.
std::string NewAccountId(const Ledger& ledger, const RandomBelow& random);

}  // namespace quorvel
